#include "SerialTestSupport.h"
#include "serialno/QtpFile.h"

#include <filesystem>

using namespace serialtest;

namespace {

const char kThreeRecords[] =
    ":040020001231343134\r\n"
    ":040020001231353133\r\n"
    ":040020001231363132\r\n"
    ":00000001FF";

// RTWI words at 20h and 21h of a 1K-word device; the number 1234h, MSB first; a scratch folder.
struct QtpSetup {
    QtpSetup()
    {
        SetCreationDefaults(Ws);
        PutRtwiWords(Ws, 0x20, 2);
        Ws.SerialByteCount = 2;
        Ws.SerialStartAddress = 0x20;
        Ws.SerialValue = Ws.SerialStartValue = Cells("1234");
        Ws.SerialEndValue = Cells("FFFF");
    }
    QtpFileChoice Chosen(const std::string& name) const { return {true, true, Dir.File(name)}; }
    QtpLoadResult Load(const std::string& content)
    {
        WriteBytes(Dir.File("QTP1.txt"), content);
        return LoadQTPFile1Click(Ws, Chosen("QTP1.txt"), N);
    }
    bool QtpEnded() const { return !Ws.SerialModeOn && !Ws.QtpMode && !Ws.QtpInputHandle; }

    TempDir Dir;
    Workspace Ws;
    RecordingNotifier N;
};

}  // namespace

TEST(QtpWrite, RecordsCarryEachPartsNumberAndReadBackInOrder)
{
    QtpSetup q;   // most significant first: the three records below
    q.Ws.SerialOrder = soLsbFirst;
    EXPECT_EQ(QtpRecordText(q.Ws), ":040020003431123134\r\n");
    q.Ws.SerialTarget = stEeprom, q.Ws.SerialStartAddress = 0x10, q.Ws.SerialByteCount = 1, q.Ws.SerialValue = Cells("5A");
    EXPECT_EQ(QtpRecordText(q.Ws), ":024210005A0052\r\n");
    q.Ws.SerialStartAddress = 0x80;   // past 128 bytes of EEPROM
    EXPECT_EQ(QtpRecordText(q.Ws), "");

    QtpSetup three;
    EXPECT_EQ(WriteQtpFile(three.Ws, three.Chosen("lot"), 3, three.N), QtpWriteResult::Written);
    EXPECT_EQ(ReadBytes(three.Dir.File("lot.txt")), kThreeRecords);
    EXPECT_EQ(Hex(three.Ws.SerialValue, 2), "1237");

    // Eight pseudo-random bytes into EEPROM, least significant first, read back record by record.
    QtpSetup w;
    w.Ws.SerialMode = smPseudoRandom, w.Ws.SerialTarget = stEeprom, w.Ws.SerialOrder = soLsbFirst;
    w.Ws.SerialByteCount = 8, w.Ws.SerialStartAddress = 0x78, w.Ws.SerialValue = Cells("0123456789ABCDEF");
    SerialCells expected = w.Ws.SerialValue;
    ASSERT_EQ(WriteQtpFile(w.Ws, w.Chosen("prng.txt"), 20, w.N), QtpWriteResult::Written);
    QtpSetup r;
    r.Ws.SerialOrder = soLsbFirst;
    ASSERT_EQ(LoadQTPFile1Click(r.Ws, w.Chosen("prng.txt"), r.N), QtpLoadResult::Loaded);
    for (int part = 0; part < 20; ++part) {
        for (uint32_t i = 0; i < 8; ++i) ASSERT_EQ(r.Ws.EepromBuffer[0x78 + i], expected[i]) << part;
        ShiftRegisterStep(expected, 8);
        EXPECT_EQ(NextSerialAfterPass(r.Ws, r.N), part < 19 ? SerialPassResult::QtpNext : SerialPassResult::QtpFinished);
    }
    EXPECT_TRUE(w.N.Texts().empty() && r.N.Texts().empty());
}

TEST(QtpWrite, ReplacesOnlyAfterYesAndLeavesNoHalfFile)
{
    QtpSetup q;
    const std::string path = q.Dir.File("lot.txt");
    WriteBytes(path, "old");
    q.N.Script({Answer::No});
    EXPECT_EQ(WriteQtpFile(q.Ws, q.Chosen("lot.txt"), 3, q.N), QtpWriteResult::NotReplaced);
    EXPECT_EQ(q.N.Texts(), Texts{"File Exists, Replace?"});
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(Hex(q.Ws.SerialValue, 2), "1234");
    q.N.Script({Answer::Yes});
    EXPECT_EQ(WriteQtpFile(q.Ws, q.Chosen("lot.txt"), 3, q.N), QtpWriteResult::Written);
    EXPECT_EQ(ReadBytes(path), kThreeRecords);

    std::filesystem::create_symlink("/dev/full", q.Dir.File("full.txt"));
    struct Case {
        const char* Name;
        QtpFileChoice Choice;
        uint32_t Address;
    } const cases[] = {
        {"configuration filter", {true, false, q.Dir.File("a.txt")}, 0x20},
        {"folder missing", q.Chosen("missing/a.txt"), 0x20},
        {"device full", q.Chosen("full.txt"), 0x20},   // refused at the flush; the device stays
        {"settings past the device", q.Chosen("b.txt"), 0x3FF},
    };
    for (const auto& c : cases) {
        QtpSetup f;
        f.Ws.SerialStartAddress = c.Address;
        f.N.Fallback = Answer::Yes;
        EXPECT_EQ(WriteQtpFile(f.Ws, c.Choice, 3, f.N), QtpWriteResult::Failed) << c.Name;
        EXPECT_EQ(f.N.LastText(), "File can't be saved!") << c.Name;
        EXPECT_EQ(f.Ws.QtpOutputHandle, nullptr);
    }
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    EXPECT_FALSE(std::filesystem::exists(q.Dir.File("b.txt")));
}

TEST(QtpLoad, AGoodFirstRecordSwitchesSerialModeOnAndPlacesTheNumber)
{
    QtpSetup q;
    q.Ws.SerialValue = Cells("0000"), q.Ws.AutoPassCount = 5;
    EXPECT_EQ(q.Load(kThreeRecords), QtpLoadResult::Loaded);
    EXPECT_TRUE(q.N.Texts().empty());
    EXPECT_TRUE(q.Ws.QtpMode && q.Ws.SerialModeOn && q.Ws.QtpInputHandle);
    EXPECT_EQ(q.Ws.AutoPassCount, 0);
    EXPECT_EQ(q.Ws.Status.QtpText, "QTP1.txt");
    EXPECT_EQ(q.Ws.Status.SerialText, " 1234");
    EXPECT_EQ(q.Ws.ProgramMemory[0x40], 0x12);
    EXPECT_EQ(q.Ws.ProgramMemory[0x42], 0x34);
    // Cancelling while the file is in use closes it but keeps the labels.
    EXPECT_EQ(LoadQTPFile1Click(q.Ws, {}, q.N), QtpLoadResult::Cancelled);
    EXPECT_FALSE(q.Ws.QtpMode);
    EXPECT_EQ(q.Ws.QtpInputHandle, nullptr);
    EXPECT_EQ(q.Ws.Status.QtpText, "QTP1.txt");
    EXPECT_TRUE(q.N.Texts().empty());
}

TEST(QtpLoad, BadFirstRecordsAreReportedAndChangeNoSerialMember)
{
    struct Case {
        const char* What;
        std::string Content;
        std::string Message;
    } const cases[] = {
        {"only the end record", ":00000001FF", ""},
        {"words without RTWI", ":040030001231343124\r\n", "The Instr is not 'RTWI'"},
        {"missing colon", "040020001231343134\r\n:00000001FF", "File Information Error!"},
        {"empty file", "", "File Information Error!"},
        {"non-hex length", ":0G0020001231343134\r\n", "File data error!"},
        {"non-hex serial byte", ":040020001Z31343134\r\n", "File data error!"},
        {"checksum off by one", ":040020001231343135\r\n", "File Checksum Error!"},
        {"nine bytes", ":12002000123134313531363137313831393141314231C0\r\n", "File data error!"},
        // An odd length carries its whole pairs only, and only they are summed.
        {"odd length", ":0300200012313431\r\n", "File Checksum Error!"},
        {"past program memory", ":0403FF001231343134\r\n", "File data error!"},
        {"past EEPROM", ":04427F001200340000\r\n", "File data error!"},
        {"program second byte 00", ":040020001200340032\r\n", "File data error!"},
        {"EEPROM second byte 31", ":024210005A3121\r\n", "File data error!"},
        {"end record type with data", ":040020011231343133\r\n", "File data error!"},
        {"end of file in the data", ":0400200012", "File data error!"},
    };
    for (const Case& c : cases) {
        QtpSetup q;
        q.Ws.SerialByteCount = 3, q.Ws.SerialValue = Cells("0A0B0C0D0E0F1011"), q.Ws.SerialModeOn = true;
        const auto memory = q.Ws.ProgramMemory;
        EXPECT_EQ(q.Load(c.Content), QtpLoadResult::Refused) << c.What;
        EXPECT_EQ(q.N.Texts(), c.Message.empty() ? Texts{} : Texts{c.Message}) << c.What;
        EXPECT_TRUE(q.QtpEnded()) << c.What;
        EXPECT_EQ(q.Ws.Status.SerialModeText, "Disable") << c.What;
        if (c.Message == "The Instr is not 'RTWI'") continue;   // a sound record over the wrong words
        EXPECT_TRUE(q.Ws.SerialByteCount == 3 && q.Ws.SerialStartAddress == 0x20) << c.What;
        EXPECT_EQ(Hex(q.Ws.SerialValue, 8), "0A0B0C0D0E0F1011") << c.What;
        EXPECT_TRUE(q.Ws.ProgramMemory == memory) << c.What;
    }
}

TEST(QtpProduction, EachPassTakesTheNextRecordUntilTheEnd)
{
    struct Case {
        const char* What;
        std::string Content;
        int GoodPasses;   // passes that take a record before the end
        SerialPassResult Last;
        std::string Message;
        uint8_t LastByte;   // the number's low byte in program memory at the end
    } const cases[] = {
        {"three records", kThreeRecords, 2, SerialPassResult::QtpFinished, "", 0x36},
        {"LF line ends", ":040020001231343134\n:040020001231353133\n:040020001231363132\n:00000001FF\n", 2,
         SerialPassResult::QtpFinished, "", 0x36},
        // Type 02 is read as data like 00; length 05 gives two pairs.
        {"type and odd length", ":040020021231343132\r\n:050020001231353133\r\n:00000001FF", 1,
         SerialPassResult::QtpFinished, "", 0x35},
        {"a length below two ends the file", ":040020001231343134\r\n:01002000120F\r\n", 0,
         SerialPassResult::QtpFinished, "", 0x34},
        {"bad checksum mid-file", ":040020001231343134\r\n:040020001231353134\r\n", 0,
         SerialPassResult::QtpFinished, "File Checksum Error!", 0x34},
        {"words without RTWI mid-file", ":040020001231343134\r\n:040030001231353123\r\n", 0,
         SerialPassResult::Refused, "The Instr is not 'RTWI'", 0x34},
    };
    for (const auto& c : cases) {
        QtpSetup q;
        q.Ws.SerialValue = Cells("0000");
        ASSERT_EQ(q.Load(c.Content), QtpLoadResult::Loaded) << c.What << q.N.LastText();
        q.Ws.QtpSimulate = true;
        for (int pass = 0; pass < c.GoodPasses; ++pass)
            EXPECT_EQ(NextSerialAfterPass(q.Ws, q.N), SerialPassResult::QtpNext) << c.What;
        const auto memory = q.Ws.ProgramMemory;
        EXPECT_EQ(NextSerialAfterPass(q.Ws, q.N), c.Last) << c.What;
        EXPECT_EQ(q.N.Texts(), c.Message.empty() ? Texts{} : Texts{c.Message}) << c.What;
        EXPECT_TRUE(q.Ws.ProgramMemory == memory) << c.What << ": no half number is placed";
        EXPECT_EQ(q.Ws.ProgramMemory[0x42], c.LastByte) << c.What;
        EXPECT_TRUE(q.QtpEnded()) << c.What;
        EXPECT_TRUE(c.Last != SerialPassResult::QtpFinished || !q.Ws.QtpSimulate) << c.What;
        EXPECT_EQ(q.Ws.Status.QtpText, "Disable") << c.What;
    }
}

TEST(QtpProduction, ANumberThatCannotBePlacedEndsSerialMode)
{
    QtpSetup q;
    q.Ws.SerialOrder = 5;   // no such byte order
    EXPECT_EQ(q.Load(kThreeRecords), QtpLoadResult::Refused);
    EXPECT_TRUE(q.QtpEnded());
    q.Ws.SerialOrder = soMsbFirst;
    ASSERT_EQ(q.Load(kThreeRecords), QtpLoadResult::Loaded);
    q.Ws.SerialOrder = 5;
    EXPECT_EQ(NextSerialAfterPass(q.Ws, q.N), SerialPassResult::Refused);
    EXPECT_TRUE(q.QtpEnded());
    EXPECT_EQ(q.Ws.ProgramMemory[0x42], 0x34);

    // Without a QTP file each pass advances the number; an increment of 0 ends serial mode.
    QtpSetup s;
    s.Ws.SerialModeOn = true;
    EXPECT_EQ(NextSerialAfterPass(s.Ws, s.N), SerialPassResult::Advanced);
    EXPECT_EQ(s.Ws.ProgramMemory[0x42], 0x35);
    EXPECT_EQ(s.Ws.Status.SerialText, " 1235");
    s.Ws.SerialIncrement = 0;
    EXPECT_EQ(NextSerialAfterPass(s.Ws, s.N), SerialPassResult::Refused);
    EXPECT_FALSE(s.Ws.SerialModeOn);
    EXPECT_EQ(s.Ws.ProgramMemory[0x42], 0x35);
}
