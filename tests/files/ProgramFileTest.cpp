#include "FileTestSupport.h"

#include "workspace/Checksum.h"
#include "files/HexRecords.h"
#include "files/ProgramFile.h"

#include <filesystem>
#include <random>

// A 7-bit device of 16 words and 4 EEPROM bytes (the blank word is written as FF 3F,
// not left out), and 16-bit words in 8-bit halves where FFFF words split the record.
TEST(ChxSaving, SmallProgramsAreWrittenRecordByRecord)
{
    auto seven = FreshWorkspace("31Q520");
    seven->RomBytes = 32;
    seven->EepromSize = 4;
    seven->DeviceFlags = 0x06;
    SetWord(*seven, 0, 0x1234);
    SetWord(*seven, 1, 0x3FFF);
    for (uint32_t w = 2; w < 16; ++w) SetWord(*seven, w, w);
    std::copy_n("\xAA\xFF\x00\x55", 4, seven->EepromBuffer.begin());
    auto eight = FreshWorkspace("31Q520");
    eight->DeviceFamily = 6;
    eight->BlankMaskHigh = eight->BlankMaskLow = 0xFF;
    eight->WordShift = 8;
    eight->SevenBitMode = false;
    eight->RomBytes = 18;
    eight->DeviceFlags = 0x02;
    std::copy_n("\x11\x22\x33\x44\xFF\xFF\x55\x66\x77\x88\xFF\xFF\xFF\xFF\xFF\xFF\x01\x02", 18,
                eight->ProgramMemory.begin());
    EXPECT_EQ(ProgramFileBytes(*seven, SaveFormat::Chx),
              ":100000003412FF3F02000300040005000600070051\r\n"
              ":10001000080009000A000B000C000D000E000F0084\r\n"
              ":08820000AA00FF000000550078\r\n"
              ":00000001FF\r\n");
    EXPECT_EQ(ProgramFileBytes(*eight, SaveFormat::Chx),
              ":040000001122334452\r\n:04000600556677883C\r\n:020010000102EB\r\n:00000001FF\r\n");
}

TEST(CbnSaving, ImageHoldsProgramFillAndEepromPairs)
{
    auto ws = FreshWorkspace("31Q520");
    ws->EepromBuffer[0] = 0x5A;
    ws->EepromBuffer[127] = 0xC3;
    const std::string bytes = ProgramFileBytes(*ws, SaveFormat::Cbn);
    // The 0xFF fill up to 8200h and EEPROM bytes as (byte, 00) pairs; the words are the round trip's.
    EXPECT_EQ(bytes.substr(2048, 0x8200 - 2048), std::string(0x8200 - 2048, '\xFF'));
    EXPECT_EQ(bytes.substr(0x8200, 4), std::string("\x5A\x00\xFF\x00", 4));
    EXPECT_EQ(bytes.substr(0x8200 + 254), std::string("\xC3\x00", 2));
}

// The saved file's extension and format always agree (the loader goes by the
// extension), and every saved file loads back as it was and saves to the same bytes.
TEST(ProgramRoundTrip, RandomProgramWithEepromComesBackUnderTheChosenName)
{
    const struct {
        const char* Typed;   // the name as the save dialog returns it
        int FilterIndex;     // 1 ".chx", 2 ".cbn"
        const char* SavedAs;
        SaveFormat Format;
    } cases[] = {
        {"a", 1, "a.chx", SaveFormat::Chx},         {"b", 2, "b.cbn", SaveFormat::Cbn},
        {"c.chx", 2, "c.chx", SaveFormat::Chx},     {"d.cbn", 1, "d.cbn", SaveFormat::Cbn},
        {"e.CHX", 2, "e.CHX", SaveFormat::Chx},     {"f.txt", 1, "f.txt.chx", SaveFormat::Chx},
        {"g.hex", 2, "g.hex.cbn", SaveFormat::Cbn}, {"v1.dir/h", 1, "v1.dir/h.chx", SaveFormat::Chx},
    };
    TempDir dir;
    std::filesystem::create_directory(dir.File("v1.dir"));
    uint32_t seed = 11;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        const SaveTarget target = SaveTargetFor(dir.File(c.Typed), c.FilterIndex);
        EXPECT_EQ(target.Path, dir.File(c.SavedAs));
        EXPECT_EQ(target.Format, c.Format);
        auto original = FreshWorkspace("72Q574");
        std::mt19937 rng(seed++);
        for (uint32_t w = 0; w < original->RomBytes / 2; ++w) SetWord(*original, w, rng() & 0x3FFF);
        for (uint32_t i = 0; i < original->EepromSize; ++i) original->EepromBuffer[i] = static_cast<uint8_t>(rng());
        CalChecksum(*original);
        RecordingNotifier n;
        ASSERT_TRUE(SaveProgramMemory(*original, target.Path, target.Format, n));

        auto loaded = FreshWorkspace("72Q574");
        const FileCommandResult r = Load(*loaded, target.Path, n);
        EXPECT_TRUE(n.Prompts.empty()) << n.LastText();
        EXPECT_EQ(loaded->Status.TotalChecksum, original->Status.TotalChecksum);
        EXPECT_EQ(r.MemoryCaption.value_or(""), target.Path);
        EXPECT_EQ(ProgramFileBytes(*loaded, target.Format), ReadBytes(target.Path));   // program and EEPROM as saved
    }
}

TEST(ProgramSaving, FailedWriteIsReportedAndKeepsTheOldFile)
{
    TempDir dir;
    auto ws = FreshWorkspace();
    RecordingNotifier n;
    EXPECT_FALSE(SaveProgramMemory(*ws, dir.File("missing-dir/out.cbn"), SaveFormat::Cbn, n));
    EXPECT_EQ(n.LastText(), "File can't be saved!");

    // A directory in the way of the rename: the write fails, the directory stays.
    std::filesystem::create_directory(dir.File("taken.cbn"));
    WriteBytes(dir.File("taken.cbn/keep"), "old");
    EXPECT_FALSE(SaveProgramMemory(*ws, dir.File("taken.cbn"), SaveFormat::Cbn, n));
    EXPECT_EQ(ReadBytes(dir.File("taken.cbn/keep")), "old");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"taken.cbn"});
}

// Raw images: a ".cbn" for a 72Q574 (R 4096 bytes, half H 2048, 256 EEPROM bytes
// behind 8200h) holding word i at word i; an ".obj" of zeros for a 31Q520 (R 2048,
// family 2: each PIC word 0000 becomes NOP 2000h), taken only at R or H.
TEST(RawImageSizeRules, EverySizeClassGetsItsQuestionAndOutcome)
{
    const std::string half = "Code size is half of ROM size. Duplicate the program ?";
    const struct {
        const char* Name;
        std::size_t Size;
        Answer Reply;
        bool Loaded;
        std::vector<std::string> Texts;
        bool Duplicated;
    } cases[] = {
        {"cbn exactly R", 4096, Answer::No, true, {}, false},
        {"cbn between H and R", 3000, Answer::No, true, {}, false},
        {"cbn exactly H, Yes", 2048, Answer::Yes, true, {half}, true},
        {"cbn below H, Yes", 1000, Answer::Yes, true, {half}, true},
        {"cbn below H, No", 1000, Answer::No, false, {half, "File size unmatch!"}, false},
        {"cbn program plus EEPROM", 0x8200 + 512, Answer::No, true, {}, false},
        {"obj exactly R", 2048, Answer::No, true, {}, false},
        {"obj exactly H, Yes", 1024, Answer::Yes, true, {half}, true},
        {"obj past R", 3000, Answer::No, false, {"File size unmatch!"}, false},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const bool obj = std::string(c.Name).starts_with("obj");
        auto ws = FreshWorkspace(obj ? "31Q520" : "72Q574");
        std::string bytes = std::string(c.Size, obj ? 0x00 : 0x01);
        for (std::size_t i = 0; !obj && i + 1 < std::min<std::size_t>(bytes.size(), 4096); i += 2) {
            bytes[i] = static_cast<char>(i / 2 & 0xFF);
            bytes[i + 1] = static_cast<char>((i / 2 >> 8) & 0x3F);
        }
        if (c.Size == 0x8200 + 512) bytes[0x8200 + 2 * 255] = '\x77';
        const std::string path = dir.File(obj ? "p.obj" : "p.cbn");
        WriteBytes(path, bytes);
        const Snapshot before = TakeSnapshot(*ws);
        RecordingNotifier n;
        n.Fallback = c.Reply;
        EXPECT_EQ(Load(*ws, path, n).Loaded, c.Loaded);
        EXPECT_EQ(n.Texts(), c.Texts);
        if (!c.Loaded) {
            ExpectSameSnapshot(before, TakeSnapshot(*ws));
            continue;
        }
        const uint32_t word5 = obj ? 0x2000 : 5;
        EXPECT_EQ(WordAt(*ws, 5), word5);
        if (c.Duplicated) { EXPECT_EQ(WordAt(*ws, ws->RomBytes / 4 + 5), word5); }
        if (c.Size == 3000) {
            EXPECT_EQ(WordAt(*ws, 1499), 1499u);
            EXPECT_EQ(WordAt(*ws, 1500), 0x3FFFu);   // the rest keeps its (blank) contents
        }
        EXPECT_EQ(ws->EepromBuffer[255], c.Size == 0x8200 + 512 ? 0x77 : 0xFF);
    }
}

TEST(ProgramLoading, LoadEndsSerialModeAndOnlyALoadedFileBlanksOptions)
{
    TempDir dir;
    WriteBytes(dir.File("p.cbn"), std::string(2048, '\0'));
    for (const bool chosen : {false, true}) {
        SCOPED_TRACE(chosen ? "file chosen" : "dialog cancelled");
        auto ws = FreshWorkspace("31Q520");
        ws->SerialModeOn = ws->DisasmWindowOpen = true;
        ws->Status.SerialModeText = "Enable", ws->Status.PassCountText = "12";
        ws->OptionWords[0] = 0x06, ws->OptionWords[1] = 0x00;
        SetWord(*ws, 0, 0x0042);
        RecordingNotifier n;
        const FileCommandResult r = Load(*ws, chosen ? dir.File("p.cbn") : "", n);
        EXPECT_EQ(r.Loaded, chosen);
        EXPECT_TRUE(n.Prompts.empty());
        EXPECT_FALSE(ws->SerialModeOn);
        EXPECT_TRUE(r.Actions.CloseDisasmWindow);
        EXPECT_EQ(WordAt(*ws, 0), chosen ? 0u : 0x42u);
        if (!chosen) continue;
        EXPECT_EQ(ws->Status.SerialModeText, "Disable");
        EXPECT_EQ(ws->Status.PassCountText, "0");
        EXPECT_FALSE(ws->DisasmWindowOpen);
        EXPECT_EQ(ws->OptionWords[0], 0x7F);            // blanked, then forced by the option model
        EXPECT_EQ(ws->OptionWords[1], 0x5F);
    }
}
