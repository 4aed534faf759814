#include "SerialTestSupport.h"
#include "serialno/SerialSetFrame.h"

using namespace serialtest;

// The documented frame of a sequential setup is checked byte for byte at the
// simulated writer; here the ASCII mode, whose characters become digit values,
// and texts that describe no setup.
TEST(SerialSetFrameBuild, AsciiCharactersBecomeDigitValuesAndBadTextsAreRefused)
{
    Workspace ws;
    SetCreationDefaults(ws);
    ws.SerialSetupTexts = {"0040", "3", "A0Z", "B00", "35", "1", "1", "2"};
    const auto frame = BuildSerialSetFrame(ws);
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::vector<uint8_t>(frame->begin() + 5, frame->end()),
              (std::vector<uint8_t>{35, 0, 0, 0, 0, 0, 0x0A, 0x00, 0x23, 0, 0, 0, 0, 0, 0x0B, 0x00, 0x00, 1, 1, 2}));
    struct Case {
        const char* What;
        Texts T;
    };
    const std::vector<Case> cases = {
        {"never set up", {"", "", "0000", "0000", "", "", "", ""}},
        {"short address", {"123", "2", "0010", "00FF", "1", "0", "0", "0"}},
        {"byte count 0", {"0000", "0", "", "", "1", "0", "0", "0"}},
        {"start value too short", {"0000", "2", "010", "00FF", "1", "0", "0", "0"}},
        {"increment 0", {"0000", "2", "0010", "00FF", "0", "0", "0", "0"}},
        {"ASCII increment 36", {"0000", "2", "A1", "A2", "36", "0", "0", "2"}},
        {"mode 3", {"0000", "2", "0010", "00FF", "1", "0", "0", "3"}},
        {"past program memory", {"03FF", "2", "0010", "00FF", "1", "0", "0", "0"}},
        {"past EEPROM", {"007F", "2", "0010", "00FF", "1", "1", "0", "0"}},
    };
    for (const Case& c : cases) {
        std::copy(c.T.begin(), c.T.end(), ws.SerialSetupTexts.begin());
        EXPECT_FALSE(BuildSerialSetFrame(ws)) << c.What;
    }
}

TEST(SerialSetReplyStore, ReadsEachFieldFromItsOwnOffsetOfTheThirtyThreeBytes)
{
    const SerialSetReply reply = {
        0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x12, 0x34, 0x56,  // 0-7 start value
        0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0x65, 0x43, 0x21,  // 8-15 end value
        0x0A, 0xBC, 0x03, 0x11, 0x01, 0x01,              // 16-17 address, n, increment, target, byte order
        0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0x0F, 0xED, 0xCB,  // 22-29 saved serial
        0x99, 0x99, 0x00,                                // 30-31 not used, 32 mode
    };
    Workspace ws;
    ASSERT_TRUE(StoreSerialSetReply(ws, reply));
    EXPECT_EQ(ws.SerialSetTexts,
              (std::array<std::string, 7>{"0ABC", "03", "17", "123456", "654321", "1", "0FEDCB"}));
    EXPECT_EQ(ws.SerialSetupTexts[1], "3");
    EXPECT_EQ(ws.SerialSetupTexts[6], "1");
    EXPECT_EQ(ws.SerialSetupTexts[7], "0");
}

// Each field out of its range refuses the whole reply (the fuzz target
// shows that a refused reply changes nothing).
TEST(SerialSetReplyStore, FieldsOutOfRangeAreRefused)
{
    struct Case {
        const char* What;
        uint32_t Mode;
        std::size_t Offset;
        uint8_t Value;
    } const cases[] = {
        {"byte count 0", 0, ssrByteCount, 0}, {"byte count 9", 0, ssrByteCount, 9}, {"mode 3", 0, ssrMode, 3},
        {"target 2", 0, ssrTarget, 2},        {"order 2", 0, ssrOrder, 2},
        {"ASCII byte 36", 2, ssrSavedSerial + 7, 36},
    };
    for (const auto& c : cases) {
        Workspace ws;
        SerialSetReply reply{};
        reply[ssrByteCount] = 2, reply[ssrIncrement] = 1, reply[ssrMode] = static_cast<uint8_t>(c.Mode);
        reply[c.Offset] = c.Value;
        EXPECT_FALSE(StoreSerialSetReply(ws, reply)) << c.What;
    }
}
