#include "workspace/Workspace.h"
#include "files/SafeFile.h"
#include "infosheet/InfoSheet.h"
#include "RecordingNotifier.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

InfoSheetData KnownSheet()
{
    InfoSheetData d{.Date = "12/6/26", .DeviceName = "31Q520", .DataFileName = "pump.main.hex", .CustomerName = "Acme",
                    .CustomerProject = "Pump", .CodeNo = "C17", .PartNo = "31Q520", .Options = {}, .OptionValue = "3FB1",
                    .Checksum = "F800", .ChecksumWithOpt = "78AE", .SerialEnabled = true, .SerialStartAddress = "1F00",
                    .Frequency = "", .VoltageLow = "2.2", .VoltageHigh = "5.5", .Current = "3", .SleepCurrent = "1",
                    .VersionText = "V15"};
    d.Options[0] = {"OSC Type:", true, "RC"};
    d.Options[1] = {"PRD:", false, "Blank"};
    d.Options[3] = {"WDT:", true, "Enable"};
    d.Options[5] = {"A caption of 25 characters", true, "On"};
    d.Options[12] = {"Security:", true, "Enable"};
    return d;
}

const char kGoldenText[] =
    "                   Date: 12/6/26\r\n"
    "            Device name: 31Q520\r\n"
    "              File name: C17-pump.main.hex\r\n"
    "        Customer's name: Acme\r\n"
    "Customer's project name: Pump\r\n"
    "               OSC Type: RC\r\n"
    "                    WDT: Enable\r\n"
    "A caption of 25 characters On\r\n"
    "               Security: Enable\r\n"
    "           Option value: 3FB1\r\n"
    "         Serial no mode: Enable\r\n"
    "Serial no start address: 1F00H\r\n"
    "        Memory checksum: F800H\r\n"
    "    Operating frequency:  Hz\r\n"
    "      Operating voltage: 2.2 ~ 5.5 V\r\n"
    "      Operating current: 3 mA\r\n"
    "          Sleep current: 1 uA\r\n"
    "               Part no : 31Q520-C17\r\n";


} // namespace

TEST(InfoSheetText, KnownSheetGivesTheGoldenFileByteForByte)
{
    EXPECT_EQ(InfoSheetText(KnownSheet()), kGoldenText);
    TempDir dir;
    const std::string path = dir.Path + "/pump.txt";
    RecordingNotifier notes;
    WriteFileReplacing(path, "an older, longer sheet that must vanish completely\r\n");
    notes.Script({Answer::Yes});
    ASSERT_TRUE(SaveInfoSheetText(path, 1, KnownSheet(), notes));
    EXPECT_EQ(ReadBytes(path), kGoldenText);
    EXPECT_EQ(notes.Texts(), std::vector<std::string>{"File existed, overwrite it?"});
}

TEST(InfoSheetText, RefusedOrFailedSavesReportAndKeepTheOldFile)
{
    TempDir dir;
    const std::string existing = dir.Path + "/old.txt";
    const struct {
        std::string Path;
        int FilterIndex;
        const char* Message;   // the one text shown
    } cases[] = {
        {existing, 1, "File existed, overwrite it?"},          // answered No
        {existing, 2, "File can't be saved!"},
        {dir.Path + "/missing/sheet.txt", 1, "File can't be saved!"},
        {existing + "/sheet.txt", 1, "File can't be saved!"},  // a file where a folder should be
    };
    for (const auto& c : cases) {
        WriteFileReplacing(existing, "old");
        RecordingNotifier notes;
        EXPECT_FALSE(SaveInfoSheetText(c.Path, c.FilterIndex, KnownSheet(), notes)) << c.Path;
        EXPECT_EQ(notes.Texts(), std::vector<std::string>{c.Message}) << c.Path;
        EXPECT_EQ(ReadBytes(existing), "old");
    }
}

TEST(InfoSheetLayout, RowsOfBothPathsFollowTheSerialModeAndTheVisibleOptions)
{
    const struct {
        SheetPath Path;
        bool Serial;
        int Visible;            // option rows shown, from the first
        const char* Prefix;
        int X, Y;
    } cases[] = {
        {SheetPath::Picture, false, 13, "Option Value----", 80, 180 + 20 * 18},
        {SheetPath::Picture, false, 0, "Option Value----", 80, 180 + 20 * 5},
        {SheetPath::Picture, false, 0, "8. Part no : 31Q520-C17", 50, 180 + 20 * 28},
        {SheetPath::Picture, false, 0, "Version : V15", 600, 980},
        {SheetPath::Picture, true, 3, "Serial no start address : ----1F00", 50, 180 + 20 * 23},
        {SheetPath::Picture, true, 3, "Version : V15", 600, 1000},
        {SheetPath::Printer, false, 2, "          __ programmed by writer", 400, 5900},
        {SheetPath::Printer, true, 2, "          __ programmed by writer", 400, 6020},
        {SheetPath::Printer, true, 2, "Serial no start address : ----1F00", 700, 1100 + 120 * 23},
        {SheetPath::Printer, true, 2, "Version : V15", 3700, 6500},
        {SheetPath::Printer, true, 2, "Operating Voltage ------------ 2.2 ~ 5.5 V", 700, 1100 + 120 * 26},
    };
    for (const auto& c : cases) {
        InfoSheetData d = KnownSheet();
        d.SerialEnabled = c.Serial;
        for (int i = 0; i < 13; ++i) d.Options[i] = {"Item", i < c.Visible, "x"};
        const SheetDrawing drawing = LayOutSheet(d, c.Path);
        const auto line = std::find_if(drawing.Lines.begin(), drawing.Lines.end(),
                                       [&](const SheetLine& l) { return l.Text.starts_with(c.Prefix); });
        ASSERT_NE(line, drawing.Lines.end()) << c.Prefix;
        EXPECT_EQ(line->X, c.X) << c.Prefix;
        EXPECT_EQ(line->Y, c.Y) << c.Prefix;
    }
}

TEST(InfoSheetOpening, ChecksRunInOrderAndTheFirstFailureEndsThem)
{
    const struct {
        bool Blank;
        uint32_t OptionStatus;
        const char* Security;
        Answer Reply;
        bool Opens;
        const char* Text;
    } cases[] = {
        {true, 0, "Enable", Answer::Yes, false, "Data memory are blank or error"},
        {false, 1, "Enable", Answer::Yes, false, "Some options are blank!"},
        {false, 2, "Enable", Answer::Yes, false, "Some options are error!"},
        {false, 3, "Enable", Answer::Yes, false, "Some options are blank or error!"},
        {false, 0, "Disable", Answer::No, false, "Security is not enabled, continue?"},
        {false, 0, "Blank", Answer::Yes, true, "Security is not enabled, continue?"},
        {false, 0, "Enable", Answer::No, true, ""},
    };
    for (const auto& c : cases) {
        Workspace ws;
        ws.RomBytes = 64, ws.BlankMaskLow = 0xFF, ws.BlankMaskHigh = 0x3F;
        for (uint32_t i = 0; i < ws.RomBytes; i += 2) ws.ProgramMemory[i] = 0xFF, ws.ProgramMemory[i + 1] = 0x3F;
        if (!c.Blank) ws.ProgramMemory[62] = 0x12;   // the last word of the device
        ws.ProgramMemory[64] = 0;                    // beyond it: not looked at
        ws.OptionStatus = c.OptionStatus;
        RecordingNotifier notes;
        notes.Script({c.Reply});
        EXPECT_EQ(InfoSheetMayOpen(ws, c.Security, notes), c.Opens) << c.Text;
        EXPECT_EQ(notes.LastText(), c.Text);
    }
}

TEST(InfoSheetFields, FirstEmptyRequiredFieldIsNamedAndBlanksCountAsContent)
{
    InfoSheetData d = KnownSheet();
    d.SerialStartAddress.clear();
    EXPECT_EQ(MissingFieldMessage(d), "Please enter serial no. start address");
    d.SerialEnabled = false;
    EXPECT_EQ(MissingFieldMessage(d), "");
    d.CodeNo.clear();
    d.CustomerProject = " ";   // blanks count as content
    EXPECT_EQ(MissingFieldMessage(d), "Please enter Code No.");
}
