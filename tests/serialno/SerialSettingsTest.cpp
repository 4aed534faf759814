#include "serialno/SerialSetFrame.h"   // the kept texts the frame is built from
#include "serialno/SerialSettings.h"

#include "SerialTestSupport.h"

#include <gtest/gtest.h>

using namespace serialtest;

TEST(SerialSettings, ChecksGiveTheirMessageInOrder)
{
    const std::string range = "Setar Value more then End Value !! ", increment = " \"Increment\" is not a valid value!!",
                      bytes = "\"No. of Byte\" is not a valid value!!";
    enum { Plain, Box, Cleared };   // a plain box, the "Error" box, a plain box that empties "Increment"
    const struct { uint32_t Mode; const char *Bytes, *Address, *Start, *End, *Increment; uint32_t Target;
                   std::string Message; int Kind; } rows[] = {   // Message empty: passes
        {0, "1", "0000", "00", "00", "1", 0, range, Box},
        {0, "1", "0000", "00", "01", "1", 0, "", Plain},
        {0, "2", "0000", "0100", "00FF", "1", 0, range, Box},
        {2, "2", "0000", "B1", "A2", "1", 0, range, Box},
        {2, "2", "0000", "A1", "A2", "1", 0, "", Plain},
        {1, "1", "0000", "00", "00", "1", 0, range, Box},
        {1, "2", "0000", "FFFF", "FFFF", "1", 0, range, Box},   // the lock-up value never passes
        {0, "2", "03FE", "00", "01", "1", 0, "", Plain},
        {0, "2", "03FF", "00", "01", "1", 0, "Serial no located beyond program memory size", Plain},
        {0, "1", "007F", "00", "01", "1", 1, "", Plain},
        {0, "1", "0080", "00", "01", "1", 1, "Serial no located beyond EEPROM memory size", Plain},
        {0, "1", "0200", "00", "01", "1", 0, "The program memory is not 'RTWI'. Serial No. will be disable!", Box},
        {2, "1", "0000", "0", "1", "36", 0, increment, Cleared},
        {2, "1", "0000", "0", "1", "35", 0, "", Plain},
        {0, "1", "0000", "00", "01", "256", 0, increment, Cleared},
        {0, "1", "0000", "00", "01", "255", 0, "", Plain},
        {0, "1", "0000", "00", "01", "", 0, increment, Plain},
        {0, "0", "0000", "00", "01", "1", 0, bytes, Plain},
        {0, "", "0000", "00", "01", "1", 0, bytes, Plain},
        {0, "1", "0000", "0001", "01", "1", 0, "Start value over 1 bytes!!", Plain},
        {0, "1", "0000", "01", "Z2", "1", 0, "'Z2' is not a valid integer value", Box},
        {0, "1", "00Q0", "00", "01", "1", 0, "'00Q0' is not a valid integer value", Box},
    };
    Workspace ws;
    SetCreationDefaults(ws);
    PutRtwiWords(ws, 0, 1024);
    ws.ProgramMemory[2 * 0x200 + 1] = 0x20;
    for (const auto& r : rows) {
        SerialDialogTexts texts{r.Address, r.Bytes, r.Start, r.End, r.Increment, "1", r.Mode, 0, r.Target};
        const auto failure = CheckSerialNoSetting(ws, texts);
        EXPECT_EQ(failure ? failure->Message : "", r.Message) << r.Address << " " << r.Start << " " << r.End;
        EXPECT_EQ(failure && failure->ErrorBox, r.Kind == Box) << r.Message;
        EXPECT_EQ(failure && failure->ClearIncrement, r.Kind == Cleared) << r.Message;
    }
}

TEST(SerialSettings, LeavingAFieldTidiesItsText)
{
    const struct {
        std::string Got, Expected;
    } rows[] = {
        {StartValueExit("FFFF", 2, smPseudoRandom), "0000"},   // the lock-up value
        {StartValueExit("FFFF", 2, smSequential), "FFFF"},
        {StartValueExit("123456", 2, smSequential), "3456"},
        {ValueFieldExit("5", 2, smSequential), "0005"},
        {ValueFieldExit("ABCD", 2, smAscii), "CD"},
        {ValueFieldExit("5", 9, smSequential), "5"},            // no loop past the eight cells
        {StartAddressExit("12"), "0012"},
        {AtLeastOneExit("0"), "1"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.Got, r.Expected);
    // Pseudo-random to Sequential at n = 2: the start keeps its last 4 characters.
    SerialDialogTexts texts{"0000", "2", "123456", "ABCD"};
    FitValuesToByteCount(texts, true);
    EXPECT_EQ(texts.StartValue + texts.EndValue, "3456ABCD");
}

TEST(SerialSettings, AcceptKeepsTheTidiedTextsLoadsAndPlacesTheNumber)
{
    Workspace ws;
    SetCreationDefaults(ws);
    PutRtwiWords(ws, 0, 1024);
    SerialDialogTexts texts{"123", "2", "10", "ff"};   // tidied on the way to the frame
    ASSERT_FALSE(CheckSerialNoSetting(ws, texts));
    AcceptSerialSettings(ws, texts);
    EXPECT_TRUE(ws.SerialModeOn && ws.Status.SerialModeText == "Enable" && !ws.Status.SingleProgramCommands);
    EXPECT_EQ(Hex(ws.SerialValue, 2) + Hex(ws.SerialStartValue, 2) + Hex(ws.SerialEndValue, 2), "0010001000FF");
    EXPECT_EQ(ws.ProgramMemory[2 * 0x124], 0x10);
    EXPECT_EQ(ws.SerialSetupTexts[sstStartAddress] + ws.SerialSetupTexts[sstEndValue], "012300FF");

    // ASCII: one cell per character, within the text's length.
    texts = {"0000", "3", "A0Z", "B00", "1", "1", smAscii};
    ASSERT_FALSE(CheckSerialNoSetting(ws, texts));
    AcceptSerialSettings(ws, texts);
    EXPECT_EQ(Hex(ws.SerialValue, 3), "0A0023");

    ws.QtpSimulate = true;
    DisableSerialMode(ws);
    EXPECT_TRUE(!ws.QtpSimulate && !ws.SerialModeOn && ws.Status.SerialModeText == "Disable" &&
                ws.Status.SingleProgramCommands);
}

TEST(SerialSettings, ASetReadFromTheWriterOpensTheDialogOnce)
{
    Workspace ws;
    ws.SerialSetTexts = {"ABCD", "02", "7", "A5", "B0", "1", "A6"};   // as the serial-set read leaves them
    ws.SerialSetupTexts[sstOrder] = "1", ws.SerialSetupTexts[sstMode] = "2", ws.SerialSetLoaded = true;
    std::string saved;
    const SerialDialogTexts texts = OpeningSerialTexts(ws, saved);
    EXPECT_EQ(texts.StartAddress + " " + texts.NoOfByte + " " + texts.StartValue + " " + texts.EndValue + " " +
                  texts.Increment + " " + saved, "ABCD 2 A5 B0 7 A6");
    EXPECT_TRUE(texts.Target == stEeprom && texts.Order == soLsbFirst && texts.Mode == smAscii);
    EXPECT_FALSE(ws.SerialSetLoaded);
    EXPECT_EQ(OpeningSerialTexts(ws, saved).StartAddress, "0000") << "the next opening has the defaults";
}
