#include "FileTestSupport.h"

namespace {

// "org 0x10" then movlw 0x55, movwf 0x20, goto 0x10: three words at byte 0x20.
const std::string kData = ":060020005530A00010287D";
const std::string kEnd = ":00000001FF";

// The same program with data records only, as this program writes them.
const std::string kReference = kData + "\r\n" + kEnd + "\r\n";

struct StandardFile {
    const char* Name;
    std::string Text;
    std::string Message;   // empty: loads exactly as kReference does
};

struct Loaded {
    bool Ok = false;
    std::vector<std::string> Texts;
    std::unique_ptr<Workspace> Ws;
};

Loaded LoadText(const TempDir& dir, const std::string& name, const std::string& text)
{
    const std::string path = dir.File(name);
    WriteBytes(path, text);
    Loaded out;
    out.Ws = FreshWorkspace("72Q574");
    RecordingNotifier n;   // answers No to the "Duplicate the program ?" question
    out.Ok = Load(*out.Ws, path, n).Loaded;
    out.Texts = n.Texts();
    return out;
}

} // namespace

// Files as assemblers and converters write them: extended-address and
// start-address records, LF line ends, a byte-order mark or comment lines
// around the records. Each loads as its data records alone would; data
// beyond a non-zero extended address is refused.
TEST(StandardHexToolFiles, LoadAsTheirDataRecordsAlone)
{
    const std::vector<StandardFile> cases = {
        {"gpasm INHX8M", kData + "\n" + kEnd + "\n", ""},
        {"gpasm INHX32", ":020000040000FA\n" + kData + "\n" + kEnd + "\n", ""},
        {"srec_cat with execution start", ":020000040000FA\n" + kData + "\n:0400000500000020D7\n" + kEnd + "\n", ""},
        {"extended segment and start segment", ":020000020000FC\r\n" + kData + "\r\n:0400000300000020D9\r\n" + kEnd,
         ""},
        {"byte-order mark", "\xEF\xBB\xBF:020000040000FA\r\n" + kData + "\r\n" + kEnd + "\r\n", ""},
        {"comment lines", "; program.asm\r\n" + kData + "\r\n; end\r\n" + kEnd + "\r\n", ""},
        {"non-zero extended linear address", ":020000040001F9\n" + kData + "\n" + kEnd + "\n",
         "Address error at line 2 !"},
        {"non-zero extended segment address", ":020000021000EC\n" + kData + "\n" + kEnd + "\n",
         "Address error at line 2 !"},
        {"damaged record after a comment", "; program.asm\r\n:060020005530A00010287E\r\n" + kEnd,
         "Checksum error at line 1 !"},
    };
    TempDir dir;
    for (const char* ext : {".hex", ".chx"}) {
        const Loaded reference = LoadText(dir, std::string("reference") + ext, kReference);
        ASSERT_TRUE(reference.Ok);
        ASSERT_EQ(reference.Ws->ProgramMemory[0], 0x7F) << "the reset vector stays blank";
        ASSERT_NE(reference.Ws->ProgramMemory[2 * 0x10], 0x7F);
        for (const StandardFile& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + ext);
            const Loaded got = LoadText(dir, std::string("p") + ext, c.Text);
            if (c.Message.empty()) {
                EXPECT_TRUE(got.Ok);
                EXPECT_EQ(got.Texts, reference.Texts);
                EXPECT_TRUE(got.Ws->ProgramMemory == reference.Ws->ProgramMemory);
                EXPECT_TRUE(got.Ws->EepromBuffer == reference.Ws->EepromBuffer);
            } else {
                EXPECT_FALSE(got.Ok);
                EXPECT_EQ(got.Texts, std::vector<std::string>{c.Message});
                EXPECT_TRUE(got.Ws->ProgramMemory == FreshWorkspace("72Q574")->ProgramMemory);
            }
        }
    }
}
