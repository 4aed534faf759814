#include "RecordingNotifier.h"
#include "SerialTestSupport.h"

#include "app/Workspace.h"
#include "serialno/QtpFile.h"
#include "serialno/SerialNumber.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace serialtest;

namespace {

using Texts = std::vector<std::string>;

// A 1K-word device with RTWI words at 20h and 21h and a two-byte number
// 1234h set up for program memory, most significant byte first.
void SetUpTwoByteNumber(Workspace& ws)
{
    ShapeSmallDevice(ws);
    PutRtwiWords(ws, 0x20, 2);
    ws.SerialByteCount = 2;
    ws.SerialStartAddress = 0x20;
    ws.SerialValue = Cells("1234");
    ws.SerialStartValue = Cells("1234");
    ws.SerialEndValue = Cells("FFFF");
}

QtpFileChoice Chosen(const std::string& path)
{
    return {true, true, path};
}

const char kThreeRecords[] =
    ":040020001231343134\r\n"
    ":040020001231353133\r\n"
    ":040020001231363132\r\n"
    ":00000001FF";

}  // namespace

TEST(QtpRecord, MatchesTheWrittenExamplesInBothOrdersAndForEeprom)
{
    Workspace ws;
    ShapeSmallDevice(ws);
    ws.SerialByteCount = 2;
    ws.SerialStartAddress = 0x10;
    ws.SerialValue = Cells("1234");
    EXPECT_EQ(QtpRecordText(ws), ":040010001231343144\r\n");
    ws.SerialOrder = soLsbFirst;
    EXPECT_EQ(QtpRecordText(ws), ":040010003431123144\r\n");

    ws.SerialTarget = stEeprom;
    ws.SerialByteCount = 1;
    ws.SerialValue = Cells("5A");
    EXPECT_EQ(QtpRecordText(ws), ":024210005A0052\r\n");

    ws.SerialStartAddress = 0x80;  // past 128 bytes of EEPROM
    EXPECT_EQ(QtpRecordText(ws), "");
}

TEST(QtpWrite, WritesOneRecordPerPartAndTheEndRecordAndAdvancesTheNumber)
{
    TempDir dir;
    Workspace ws;
    RecordingNotifier notifier;
    SetUpTwoByteNumber(ws);
    EXPECT_EQ(WriteQtpFile(ws, Chosen(dir.File("lot")), 3, notifier), QtpWriteResult::Written);
    EXPECT_TRUE(notifier.Texts().empty());
    EXPECT_EQ(ReadBytes(dir.File("lot.txt")), kThreeRecords);
    EXPECT_EQ(Hex(ws.SerialValue, 2), "1237");
    EXPECT_EQ(ws.QtpOutputHandle, nullptr);
}

TEST(QtpWrite, FileReadBackGivesTheWrittenNumbersOneByOne)
{
    // Eight pseudo-random bytes into EEPROM, least significant first.
    TempDir dir;
    Workspace ws;
    RecordingNotifier notifier;
    ShapeSmallDevice(ws);
    ws.SerialMode = smPseudoRandom;
    ws.SerialTarget = stEeprom;
    ws.SerialOrder = soLsbFirst;
    ws.SerialByteCount = 8;
    ws.SerialStartAddress = 0x78;
    ws.SerialValue = Cells("0123456789ABCDEF");
    const SerialCells first = ws.SerialValue;
    ASSERT_EQ(WriteQtpFile(ws, Chosen(dir.File("prng.txt")), 20, notifier), QtpWriteResult::Written);

    Workspace reader;
    ShapeSmallDevice(reader);
    reader.SerialOrder = soLsbFirst;
    ASSERT_EQ(LoadQTPFile1Click(reader, Chosen(dir.File("prng.txt")), notifier), QtpLoadResult::Loaded);
    SerialCells expected = first;
    for (int part = 0; part < 20; ++part) {
        EXPECT_EQ(Hex(reader.SerialValue, 8), Hex(expected, 8)) << "record " << part;
        EXPECT_EQ(reader.SerialTarget, stEeprom);
        EXPECT_EQ(reader.SerialStartAddress, 0x78u);
        for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(reader.EepromBuffer[0x78 + i], expected[i]);
        ShiftRegisterStep(expected, 8);
        const SerialPassResult next = NextSerialAfterPass(reader, notifier);
        EXPECT_EQ(next, part < 19 ? SerialPassResult::QtpNext : SerialPassResult::QtpFinished);
    }
    EXPECT_TRUE(notifier.Texts().empty());
}

TEST(QtpWrite, AnExistingFileIsReplacedOnlyAfterYes)
{
    TempDir dir;
    const std::string path = dir.File("lot.txt");
    WriteBytes(path, "old");
    Workspace ws;
    SetUpTwoByteNumber(ws);
    RecordingNotifier notifier;
    notifier.Script({Answer::No});
    EXPECT_EQ(WriteQtpFile(ws, Chosen(path), 3, notifier), QtpWriteResult::NotReplaced);
    EXPECT_EQ(notifier.Texts(), Texts{"File Exists, Replace?"});
    EXPECT_TRUE(notifier.Prompts[0].IsQuestion);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(Hex(ws.SerialValue, 2), "1234");

    notifier.Script({Answer::Yes});
    EXPECT_EQ(WriteQtpFile(ws, Chosen(path), 3, notifier), QtpWriteResult::Written);
    EXPECT_EQ(ReadBytes(path), kThreeRecords);
}

TEST(QtpWrite, FailuresToSaveAreReportedAndLeaveNoHalfFile)
{
    TempDir dir;
    RecordingNotifier notifier;
    Workspace ws;
    SetUpTwoByteNumber(ws);

    // The configuration filter was chosen.
    EXPECT_EQ(WriteQtpFile(ws, {true, false, dir.File("a.txt")}, 3, notifier), QtpWriteResult::Failed);
    EXPECT_EQ(notifier.Texts(), Texts{"File can't be saved!"});
    notifier.Clear();

    // The file cannot be created.
    EXPECT_EQ(WriteQtpFile(ws, Chosen(dir.File("missing/a.txt")), 3, notifier), QtpWriteResult::Failed);
    EXPECT_EQ(notifier.Texts(), Texts{"File can't be saved!"});
    notifier.Clear();

    // The records cannot be written: a full device refuses them at the flush,
    // and the device itself is not removed.
    std::error_code linkError;
    std::filesystem::create_symlink("/dev/full", dir.File("full.txt"), linkError);
    if (!linkError) {
        notifier.Script({Answer::Yes});
        EXPECT_EQ(WriteQtpFile(ws, Chosen(dir.File("full.txt")), 3, notifier), QtpWriteResult::Failed);
        EXPECT_EQ(notifier.Texts(), (Texts{"File Exists, Replace?", "File can't be saved!"}));
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));
        notifier.Clear();
    }

    // Settings that cannot be written leave a record-less file behind nowhere.
    ws.SerialStartAddress = 0x3FF;
    EXPECT_EQ(WriteQtpFile(ws, Chosen(dir.File("b.txt")), 3, notifier), QtpWriteResult::Failed);
    EXPECT_EQ(notifier.Texts(), Texts{"File can't be saved!"});
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.txt")));
    EXPECT_EQ(ws.QtpOutputHandle, nullptr);
}

TEST(QtpLoad, AGoodFirstRecordSwitchesSerialModeOnAndPlacesTheNumber)
{
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"), kThreeRecords);
    Workspace ws;
    ShapeSmallDevice(ws);
    PutRtwiWords(ws, 0x20, 2);
    ws.AutoPassCount = 5;
    RecordingNotifier notifier;
    EXPECT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Loaded);
    EXPECT_TRUE(notifier.Texts().empty());
    EXPECT_TRUE(ws.QtpMode);
    EXPECT_FALSE(ws.QtpFileEnd);
    EXPECT_TRUE(ws.SerialModeOn);
    EXPECT_EQ(ws.AutoPassCount, 0);
    EXPECT_EQ(ws.Status.SerialModeText, "Enable");
    EXPECT_EQ(ws.Status.QtpText, "QTP1.txt");
    EXPECT_EQ(ws.Status.SerialText, " 1234");
    EXPECT_EQ(ws.SerialByteCount, 2u);
    EXPECT_EQ(ws.SerialStartAddress, 0x20u);
    EXPECT_EQ(ws.ProgramMemory[0x40], 0x12);
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x34);
    EXPECT_NE(ws.QtpInputHandle, nullptr);
}

TEST(QtpLoad, OnlyTheEndRecordLeavesSerialModeOffWithoutAMessage)
{
    TempDir dir;
    WriteBytes(dir.File("empty.txt"), ":00000001FF");
    Workspace ws;
    ShapeSmallDevice(ws);
    ws.SerialModeOn = true;
    ws.Status.SerialModeText = "Enable";
    RecordingNotifier notifier;
    EXPECT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("empty.txt")), notifier), QtpLoadResult::Refused);
    EXPECT_TRUE(notifier.Texts().empty());
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_EQ(ws.Status.SerialModeText, "Disable");
    EXPECT_EQ(ws.QtpInputHandle, nullptr);
}

TEST(QtpLoad, RecordsOverWordsWithoutRtwiAreRefused)
{
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"), kThreeRecords);
    Workspace ws;
    ShapeSmallDevice(ws);
    PutRtwiWords(ws, 0x20, 1);  // word 21h stays blank
    RecordingNotifier notifier;
    EXPECT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Refused);
    EXPECT_EQ(notifier.Texts(), Texts{"The Instr is not 'RTWI'"});
    EXPECT_FALSE(ws.QtpMode);
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_EQ(ws.QtpInputHandle, nullptr);
}

TEST(QtpLoad, CancellingWhileAFileIsInUseClosesItButKeepsTheLabels)
{
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"), kThreeRecords);
    Workspace ws;
    SetUpTwoByteNumber(ws);
    RecordingNotifier notifier;
    ASSERT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Loaded);
    EXPECT_EQ(LoadQTPFile1Click(ws, {}, notifier), QtpLoadResult::Cancelled);
    EXPECT_FALSE(ws.QtpMode);
    EXPECT_EQ(ws.QtpInputHandle, nullptr);
    EXPECT_TRUE(ws.SerialModeOn);
    EXPECT_EQ(ws.Status.SerialModeText, "Enable");
    EXPECT_EQ(ws.Status.QtpText, "QTP1.txt");
    // The configuration filter, or a file that cannot be opened, stop silently too.
    EXPECT_EQ(LoadQTPFile1Click(ws, {true, false, dir.File("QTP1.txt")}, notifier), QtpLoadResult::Cancelled);
    EXPECT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("none.txt")), notifier), QtpLoadResult::Cancelled);
    EXPECT_TRUE(notifier.Texts().empty());
}

TEST(QtpRead, CorruptRecordsAreReportedAndChangeNoSerialMember)
{
    struct Case {
        const char* What;
        std::string Content;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {"missing colon", "040020001231343134\r\n:00000001FF", "File Information Error!"},
        {"empty file", "", "File Information Error!"},
        {"non-hex length", ":0G0020001231343134\r\n", "File data error!"},
        {"non-hex address", ":04002G001231343134\r\n", "File data error!"},
        {"non-hex type", ":0400200X1231343134\r\n", "File data error!"},
        {"non-hex serial byte", ":040020001Z31343134\r\n", "File data error!"},
        {"non-hex second byte", ":04002000123G343134\r\n", "File data error!"},
        {"non-hex checksum", ":0400200012313431Z4\r\n", "File data error!"},
        {"checksum off by one", ":040020001231343135\r\n", "File Checksum Error!"},
        {"nine bytes", ":12002000123134313531363137313831393141314231C0\r\n", "File data error!"},
        // An odd length carries its whole pairs only, and only they are summed.
        {"odd length", ":0300200012313431\r\n", "File Checksum Error!"},
        {"past program memory", ":0403FF001231343134\r\n", "File data error!"},
        {"between memory and EEPROM", ":041000001231343134\r\n", "File data error!"},
        {"past EEPROM", ":04427F001200340000\r\n", "File data error!"},
        {"program second byte 00", ":040020001200340032\r\n", "File data error!"},
        {"EEPROM second byte 31", ":024210005A3121\r\n", "File data error!"},
        {"end record type with data", ":040020011231343133\r\n", "File data error!"},
        {"end of file in the data", ":0400200012", "File data error!"},
        {"end of file in the address", ":0400", "File data error!"},
        {"end of file after the colon", ":", "File data error!"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir.File("bad.txt"), c.Content);
        Workspace ws;
        SetUpTwoByteNumber(ws);
        ws.SerialByteCount = 3;
        ws.SerialStartAddress = 0x30;
        ws.SerialValue = Cells("0A0B0C0D0E0F1011");
        const auto memory = ws.ProgramMemory;
        RecordingNotifier notifier;
        EXPECT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("bad.txt")), notifier), QtpLoadResult::Refused)
            << c.What;
        EXPECT_EQ(notifier.Texts(), Texts{c.Message}) << c.What;
        EXPECT_TRUE(ws.QtpFileEnd && !ws.QtpMode && !ws.SerialModeOn && !ws.QtpInputHandle) << c.What;
        EXPECT_EQ(ws.Status.SerialModeText, "Disable") << c.What;
        EXPECT_TRUE(ws.SerialByteCount == 3 && ws.SerialStartAddress == 0x30 && ws.SerialTarget == stProgramMemory)
            << c.What;
        EXPECT_EQ(Hex(ws.SerialValue, 8), "0A0B0C0D0E0F1011") << c.What;
        EXPECT_TRUE(ws.ProgramMemory == memory) << c.What;
    }
}

TEST(QtpRead, TheRecordTypeCountsOnlyInTheSumAndTheOddLengthBitNotAtAll)
{
    // Type 02 is read as data like 00; length 05 gives two pairs, and the
    // sum counts 2n = 4, so the first record's checksum still fits.
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"),
              ":040020021231343132\r\n"
              ":050020001231353133\r\n"
              ":00000001FF");
    Workspace ws;
    SetUpTwoByteNumber(ws);
    ws.SerialValue = Cells("0000");
    RecordingNotifier notifier;
    ASSERT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Loaded)
        << notifier.LastText();
    EXPECT_EQ(Hex(ws.SerialValue, 2), "1234");
    EXPECT_EQ(ws.SerialByteCount, 2u);
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::QtpNext);
    EXPECT_EQ(Hex(ws.SerialValue, 2), "1235");
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x35);
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::QtpFinished);
    EXPECT_TRUE(notifier.Texts().empty());
}

TEST(QtpProduction, EachPassTakesTheNextRecordUntilTheEndRecord)
{
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"), kThreeRecords);
    Workspace ws;
    SetUpTwoByteNumber(ws);
    ws.SerialValue = Cells("0000");
    RecordingNotifier notifier;
    ASSERT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Loaded);
    ws.QtpSimulate = true;
    ws.AutoPassCount = 2;
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::QtpNext);
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x35);
    EXPECT_EQ(ws.Status.SerialText, " 1235");
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::QtpNext);
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x36);
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::QtpFinished);
    EXPECT_TRUE(notifier.Texts().empty());
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_FALSE(ws.QtpMode);
    EXPECT_FALSE(ws.QtpSimulate);
    EXPECT_EQ(ws.AutoPassCount, 0);
    EXPECT_EQ(ws.QtpInputHandle, nullptr);
    EXPECT_EQ(ws.Status.SerialModeText, "Disable");
    EXPECT_EQ(ws.Status.QtpText, "Disable");
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::SerialOff);
}

TEST(QtpProduction, ABadRecordMidFileEndsQtpModeWithoutProgrammingAHalfNumber)
{
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"),
              ":040020001231343134\r\n"
              ":040020001231353134\r\n"  // checksum should be 33
              ":040020001231363132\r\n"
              ":00000001FF");
    Workspace ws;
    SetUpTwoByteNumber(ws);
    RecordingNotifier notifier;
    ASSERT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Loaded);
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::QtpFinished);
    EXPECT_EQ(notifier.Texts(), Texts{"File Checksum Error!"});
    EXPECT_EQ(Hex(ws.SerialValue, 2), "1234");
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x34);
    EXPECT_FALSE(ws.SerialModeOn);
}

TEST(SerialProduction, WithoutQtpEachPassAdvancesAndPlacesTheNumber)
{
    Workspace ws;
    SetUpTwoByteNumber(ws);
    ws.SerialModeOn = true;
    RecordingNotifier notifier;
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::Advanced);
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x35);
    EXPECT_EQ(ws.Status.SerialText, " 1235");

    // An increment that cannot give a new number switches serial mode off.
    ws.SerialIncrement = 0;
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::Refused);
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_EQ(ws.Status.SerialModeText, "Disable");
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x35);
}

TEST(QtpProduction, ANumberThatCannotBePlacedEndsSerialModeInsteadOfRepeatingTheOld)
{
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"), kThreeRecords);
    Workspace ws;
    SetUpTwoByteNumber(ws);
    RecordingNotifier notifier;
    ws.SerialOrder = 5;  // no such byte order
    EXPECT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Refused);
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_EQ(ws.QtpInputHandle, nullptr);

    ws.SerialOrder = soMsbFirst;
    ASSERT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Loaded);
    ws.SerialOrder = 5;
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::Refused);
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_FALSE(ws.QtpMode);
    EXPECT_EQ(ws.QtpInputHandle, nullptr);
    EXPECT_EQ(ws.Status.QtpText, "Disable");
    EXPECT_EQ(ws.ProgramMemory[0x42], 0x34);
}

TEST(QtpProduction, ARecordOverWordsWithoutRtwiEndsSerialModeBeforeAnythingIsWritten)
{
    TempDir dir;
    WriteBytes(dir.File("QTP1.txt"),
              ":040020001231343134\r\n"
              ":040030001231353123\r\n"  // words 30h and 31h hold no RTWI
              ":00000001FF");
    Workspace ws;
    SetUpTwoByteNumber(ws);
    RecordingNotifier notifier;
    ASSERT_EQ(LoadQTPFile1Click(ws, Chosen(dir.File("QTP1.txt")), notifier), QtpLoadResult::Loaded);
    const auto memory = ws.ProgramMemory;
    EXPECT_EQ(NextSerialAfterPass(ws, notifier), SerialPassResult::Refused);
    EXPECT_EQ(notifier.Texts(), Texts{"The Instr is not 'RTWI'"});
    EXPECT_EQ(ws.ProgramMemory, memory);
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_FALSE(ws.QtpMode);
    EXPECT_EQ(ws.QtpInputHandle, nullptr);
}
