// The serial-number dialog's rules without the dialog: the checks of OK with
// their messages, the tidying of a field that is left, and what OK takes
// into the workspace, the serial-set frame included.
#include "serialno/SerialMessages.h"
#include "serialno/SerialSetFrame.h"
#include "serialno/SerialSettings.h"

#include "SerialTestSupport.h"

#include <gtest/gtest.h>

using namespace serialtest;

namespace {

Workspace& RtwiDevice(Workspace& ws)
{
    SetCreationDefaults(ws);
    PutRtwiWords(ws, 0, 1024);
    return ws;
}

}  // namespace

TEST(SerialSettings, ChecksGiveTheirMessageInOrder)
{
    const std::string range = "Setar Value more then End Value !! ";
    const struct {
        uint32_t Mode;
        const char* Bytes;
        const char* Address;
        const char* Start;
        const char* End;
        const char* Increment;
        uint32_t Target;
        std::string Message;   // empty: passes
    } rows[] = {
        {0, "1", "0000", "00", "00", "1", 0, range},
        {0, "1", "0000", "00", "01", "1", 0, ""},
        {0, "2", "0000", "0100", "00FF", "1", 0, range},
        {2, "2", "0000", "B1", "A2", "1", 0, range},
        {2, "2", "0000", "A1", "A2", "1", 0, ""},
        {1, "1", "0000", "00", "00", "1", 0, range},
        {1, "2", "0000", "FFFF", "FFFF", "1", 0, range},   // the lock-up value never passes
        {0, "2", "03FE", "00", "01", "1", 0, ""},
        {0, "2", "03FF", "00", "01", "1", 0, "Serial no located beyond program memory size"},
        {0, "1", "007F", "00", "01", "1", 1, ""},
        {0, "1", "0080", "00", "01", "1", 1, "Serial no located beyond EEPROM memory size"},
        {2, "1", "0000", "0", "1", "36", 0, " \"Increment\" is not a valid value!!"},
        {2, "1", "0000", "0", "1", "35", 0, ""},
        {0, "1", "0000", "00", "01", "256", 0, " \"Increment\" is not a valid value!!"},
        {0, "1", "0000", "00", "01", "255", 0, ""},
        {0, "1", "0000", "00", "01", "", 0, " \"Increment\" is not a valid value!!"},
        {0, "9", "0000", "00", "01", "1", 0, "\"No. of Byte\" is not a valid value!!"},
        {0, "0", "0000", "00", "01", "1", 0, "\"No. of Byte\" is not a valid value!!"},
        {0, "", "0000", "00", "01", "1", 0, "\"No. of Byte\" is not a valid value!!"},
        {0, "1", "0000", "0001", "01", "1", 0, "Start value over 1 bytes!!"},
        {0, "1", "0000", "G1", "F2", "1", 0, "'G1' is not a valid integer value"},
        {0, "1", "0000", "01", "Z2", "1", 0, "'Z2' is not a valid integer value"},
        {0, "1", "00Q0", "00", "01", "1", 0, "'00Q0' is not a valid integer value"},
    };
    Workspace ws;
    RtwiDevice(ws);
    for (const auto& r : rows) {
        SerialDialogTexts texts;
        texts.Mode = r.Mode;
        texts.NoOfByte = r.Bytes;
        texts.StartAddress = r.Address;
        texts.StartValue = r.Start;
        texts.EndValue = r.End;
        texts.Increment = r.Increment;
        texts.Target = r.Target;
        const auto failure = CheckSerialNoSetting(ws, texts);
        EXPECT_EQ(failure ? failure->Message : "", r.Message) << r.Start << " " << r.End << " " << r.Bytes;
    }
}

TEST(SerialSettings, ProgramMemoryWithoutRtwiIsRefusedInAnErrorBox)
{
    Workspace ws;
    RtwiDevice(ws);
    ws.ProgramMemory[2 * 0x11 + 1] = 0x20;
    SerialDialogTexts texts;
    texts.StartAddress = "0010";
    texts.NoOfByte = "2";
    texts.StartValue = "0000";
    texts.EndValue = "0001";
    const auto failure = CheckSerialNoSetting(ws, texts);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Message, "The program memory is not 'RTWI'. Serial No. will be disable!");
    EXPECT_TRUE(failure->ErrorBox);
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
    SerialDialogTexts texts;
    texts.NoOfByte = "2";
    texts.StartValue = "123456";
    texts.EndValue = "ABCD";
    FitValuesToByteCount(texts, true);
    EXPECT_EQ(texts.StartValue + texts.EndValue, "3456ABCD");
}

TEST(SerialSettings, AcceptTakesTheSettingsPlacesTheNumberAndBuildsTheFrame)
{
    Workspace ws;
    RtwiDevice(ws);
    SerialDialogTexts texts;
    texts.StartAddress = "123";
    texts.NoOfByte = "2";
    texts.StartValue = "10";
    texts.EndValue = "ff";
    ASSERT_FALSE(CheckSerialNoSetting(ws, texts));
    AcceptSerialSettings(ws, texts);
    EXPECT_TRUE(ws.SerialModeOn);
    EXPECT_EQ(ws.Status.SerialModeText, "Enable");
    EXPECT_FALSE(ws.Status.SingleProgramCommands);
    EXPECT_EQ(Hex(ws.SerialValue, 2), "0010");
    EXPECT_EQ(Hex(ws.SerialEndValue, 2), "00FF");
    EXPECT_EQ(ws.ProgramMemory[2 * 0x124], 0x10);
    const auto frame = BuildSerialSetFrame(ws);
    ASSERT_TRUE(frame);
    const SerialSetFrame expected{0xA3, 0x00, 0x01, 0x23, 0x02, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0x10, 0,
                                  0,    0,    0,    0,    0,    0,    0xFF, 0, 0, 0};
    EXPECT_EQ(*frame, expected);

    // ASCII: one cell per character, within the text's length.
    texts = {};
    texts.Mode = smAscii;
    texts.NoOfByte = "3";
    texts.StartValue = "A0Z";
    texts.EndValue = "B00";
    ASSERT_FALSE(CheckSerialNoSetting(ws, texts));
    AcceptSerialSettings(ws, texts);
    EXPECT_EQ(Hex(ws.SerialValue, 3), "0A0023");
    const auto ascii = BuildSerialSetFrame(ws);
    ASSERT_TRUE(ascii);
    EXPECT_EQ(std::vector<uint8_t>(ascii->begin() + 6, ascii->begin() + 14),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0x0A, 0x00, 0x23}));

    DisableSerialMode(ws);
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_EQ(ws.Status.SerialModeText, "Disable");
    EXPECT_TRUE(ws.Status.SingleProgramCommands);
}
