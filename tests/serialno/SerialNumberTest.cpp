#include "SerialTestSupport.h"

using namespace serialtest;

namespace {

struct SequentialCase {
    uint32_t ByteCount;
    std::string Value, Start, End;
    uint32_t Increment;
    std::vector<std::string> Next;  // the numbers after each step
};

std::vector<std::string> Steps(Workspace& ws, std::size_t count)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(SerialNoNext(ws));
        out.push_back(Hex(ws.SerialValue, ws.SerialByteCount));
    }
    return out;
}

}  // namespace

TEST(SerialSequential, StepsWithCarryAndReloadsOnlyPastTheEndValue)
{
    const std::vector<SequentialCase> cases = {
        // The end value itself is used; passing it reloads the start value.
        {1, "10", "10", "20", 8, {"18", "20", "10", "18"}},
        // A wrap past all ones is not a reload: 00 does not pass FF.
        {1, "FE", "00", "FF", 1, {"FF", "00", "01"}},
        // The carry moves into the next cell.
        {2, "00FF", "0000", "FFFF", 1, {"0100"}},
        // A carry out of the top byte is dropped and the small result stays.
        {2, "FFFF", "0000", "FFFF", 2, {"0001"}},
        // A carry runs through every cell.
        {4, "00FFFFFF", "00000000", "FFFFFFFF", 1, {"01000000"}},
        {8, "00000000000000FF", "0000000000000000", "FFFFFFFFFFFFFFFF", 255,
         {"00000000000001FE", "00000000000002FD"}},
        // The most significant differing cell decides against the end value.
        {2, "01F0", "0100", "0205", 0x10, {"0200", "0100", "0110"}},
        {2, "00E8", "0000", "0105", 0x08, {"00F0", "00F8"}},
    };
    for (const auto& c : cases) {
        Workspace ws;
        ws.SerialMode = smSequential, ws.SerialByteCount = c.ByteCount, ws.SerialIncrement = c.Increment;
        ws.SerialValue = Cells(c.Value), ws.SerialStartValue = Cells(c.Start), ws.SerialEndValue = Cells(c.End);
        EXPECT_EQ(Steps(ws, c.Next.size()), c.Next) << "from " << c.Value;
    }
}

TEST(SerialPseudoRandom, FollowsTheInvertedFeedbackSequences)
{
    Workspace ws;
    ws.SerialMode = smPseudoRandom, ws.SerialByteCount = 1, ws.SerialValue = Cells("00");
    EXPECT_EQ(Steps(ws, 9),
              (std::vector<std::string>{"01", "03", "06", "0D", "1B", "37", "6F", "DE", "BD"}));

    ws.SerialByteCount = 2, ws.SerialValue = Cells("0000");
    EXPECT_EQ(Steps(ws, 7), (std::vector<std::string>{"0001", "0003", "0006", "000D", "001A",
                                                       "0035", "006B"}));
}

namespace {

// The register of n bytes as one number of 8n bits, and back.
uint64_t Pack(const SerialCells& cells, uint32_t n)
{
    uint64_t v = 0;
    for (uint32_t k = n; k-- > 0;) v = (v << 8) | (cells[k] & 0xFF);
    return v;
}

SerialCells Unpack(uint64_t v, uint32_t n)
{
    SerialCells cells{};
    for (uint32_t k = 0; k < n; ++k) cells[k] = static_cast<uint32_t>((v >> (8 * k)) & 0xFF);
    return cells;
}

// A linear map on bit vectors of up to 64 bits, held as the images of the
// unit vectors.
using BitMatrix = std::vector<uint64_t>;

uint64_t Apply(const BitMatrix& m, uint64_t v)
{
    uint64_t r = 0;
    for (std::size_t i = 0; v != 0; ++i, v >>= 1)
        if (v & 1) r ^= m[i];
    return r;
}

BitMatrix Power(BitMatrix m, uint64_t e)
{
    BitMatrix r(m.size());
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = uint64_t{1} << i;
    auto compose = [](const BitMatrix& a, const BitMatrix& b) {
        BitMatrix c(b.size());
        for (std::size_t i = 0; i < b.size(); ++i) c[i] = Apply(a, b[i]);
        return c;
    };
    for (; e != 0; e >>= 1) {
        if (e & 1) r = compose(m, r);
        m = compose(m, m);
    }
    return r;
}

std::vector<uint64_t> PrimeFactors(uint64_t m)
{
    std::vector<uint64_t> primes;
    for (uint64_t d = 2; d * d <= m; ++d) {
        if (m % d != 0) continue;
        primes.push_back(d);
        while (m % d == 0) m /= d;
    }
    if (m > 1) primes.push_back(m);
    return primes;
}

}  // namespace

TEST(SerialPseudoRandom, EveryWidthFromEightToSixtyFourBitsHasTheFullPeriodAndLocksUpOnAllOnes)
{
    // With an even number of taps the inverted feedback on V is the plain
    // feedback on the complement of V, a linear map L. The register visits
    // every value but all ones exactly when L has order 2^(8n) - 1: L to
    // that power is the identity, and to no power N / p for a prime p of N.
    for (uint32_t n = 1; n <= 8; ++n) {
        const uint32_t bits = 8 * n;
        const uint64_t mask = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
        BitMatrix l(bits);
        for (uint32_t i = 0; i < bits; ++i) {
            SerialCells cells = Unpack(~(uint64_t{1} << i) & mask, n);
            ShiftRegisterStep(cells, n);
            l[i] = ~Pack(cells, n) & mask;
        }
        const uint64_t period = mask;
        BitMatrix identity(bits);
        for (uint32_t i = 0; i < bits; ++i) identity[i] = uint64_t{1} << i;
        EXPECT_EQ(Power(l, period), identity) << bits << " bits";
        for (uint64_t p : PrimeFactors(period))
            EXPECT_NE(Power(l, period / p), identity) << bits << " bits repeat after " << period / p;
        SerialCells ones = Unpack(mask, n);
        ShiftRegisterStep(ones, n);
        EXPECT_EQ(Pack(ones, n), mask) << bits << " bits leave all ones";
    }
}

TEST(SerialAdvance, SettingsOutsideTheirRangesAreRefusedAndChangeNothing)
{
    struct Bad {
        uint32_t ByteCount, Mode, Increment;
    };
    for (const Bad& bad : {Bad{0, 0, 1}, Bad{9, 0, 1}, Bad{9, 1, 1}, Bad{100, 1, 1}, Bad{2, 3, 1},
                           Bad{2, 0, 0}, Bad{2, 0, 256}}) {
        Workspace ws;
        ws.SerialByteCount = bad.ByteCount, ws.SerialMode = bad.Mode, ws.SerialIncrement = bad.Increment;
        ws.SerialValue = Cells("0102030405060708");
        EXPECT_FALSE(SerialNoNext(ws)) << bad.ByteCount << " " << bad.Mode << " " << bad.Increment;
        EXPECT_EQ(ws.SerialValue, Cells("0102030405060708"));
    }
}

TEST(SerialPlacement, BytesGoIntoTheirWordsOrEepromCellsInTheChosenOrder)
{
    // Bytes from the placement's start: program words as (low, high), EEPROM one byte each.
    // No bytes: refused, nothing changes.
    struct Case {
        bool ModeOn, SevenBit;
        uint32_t Target, Order, Address, ByteCount;
        const char* Value;
        std::vector<uint8_t> Bytes;
    } const cases[] = {
        // 7-bit words: bit 7 of a byte goes to bit 0 of the RTWI word's high half.
        {true, true, stProgramMemory, soMsbFirst, 0x100, 2, "1234", {0x12, 0x62, 0x34, 0x62, 0x7F}},
        {true, true, stProgramMemory, soMsbFirst, 0x100, 2, "1280", {0x12, 0x62, 0x00, 0x63, 0x7F}},
        {true, true, stProgramMemory, soLsbFirst, 0x100, 2, "FF12", {0x12, 0x62, 0x7F, 0x63, 0x7F}},
        {true, false, stProgramMemory, soMsbFirst, 0x100, 2, "A1B2", {0xA1, 0x62, 0xB2, 0x63, 0x7F}},   // high halves untouched
        {true, true, stEeprom, soMsbFirst, 0x7E, 2, "A1B2", {0xA1, 0xB2, 0xFF}},
        {true, true, stEeprom, soLsbFirst, 0x7E, 2, "A1B2", {0xB2, 0xA1, 0xFF}},
        {true, true, stProgramMemory, soMsbFirst, 0x3FE, 2, "1234", {0x12, 0x62, 0x34, 0x62}},   // the last word is inside
        {false, true, stProgramMemory, soMsbFirst, 0x100, 1, "12", {}},
        {true, true, stProgramMemory, soMsbFirst, 0x3FF, 2, "1234", {}},        // one word past a 1K-word device
        {true, true, stProgramMemory, soMsbFirst, 0xFFFFFFFF, 1, "12", {}},     // the sum must not wrap
        {true, true, stEeprom, soMsbFirst, 0x7F, 2, "1234", {}},                // one byte past 128
        {true, true, stEeprom, soMsbFirst, 0, 9, "0102030405060708", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Value << " at " << c.Address);
        Workspace ws;
        SetCreationDefaults(ws);
        PutRtwiWords(ws, 0x100, 2);
        PutRtwiWords(ws, 0x3FE, 2);
        ws.ProgramMemory[2 * 0x101 + 1] = 0x63;   // bit 0 set: cleared for a byte below 80h
        ws.Status.SerialText = "unchanged";
        ws.SevenBitMode = c.SevenBit, ws.SerialModeOn = c.ModeOn, ws.SerialTarget = c.Target, ws.SerialOrder = c.Order;
        ws.SerialByteCount = c.ByteCount, ws.SerialStartAddress = c.Address, ws.SerialValue = Cells(c.Value);
        const auto memory = ws.ProgramMemory;
        const auto eeprom = ws.EepromBuffer;
        ASSERT_EQ(SerialNo2Memory(ws), !c.Bytes.empty());
        if (c.Bytes.empty()) {
            EXPECT_TRUE(ws.ProgramMemory == memory && ws.EepromBuffer == eeprom && ws.Status.SerialText == "unchanged");
            continue;
        }
        const uint8_t* at = c.Target == stEeprom ? &ws.EepromBuffer[c.Address] : &ws.ProgramMemory[2 * c.Address];
        EXPECT_EQ(std::vector<uint8_t>(at, at + c.Bytes.size()), c.Bytes);
    }
}

TEST(SerialPlacement, ProgramMemoryPlacementRecomputesTheChecksumsEepromPlacementDoesNot)
{
    Workspace ws;
    SetCreationDefaults(ws);
    ws.SerialModeOn = true;
    ws.SerialTarget = stEeprom;
    ws.SerialValue = Cells("00");
    ASSERT_TRUE(SerialNo2Memory(ws));
    EXPECT_EQ(ws.Status.ProgramChecksum, "Blank");

    // 1024 blank words sum to F800; word 0 becoming (00h, 7Eh) adds FFh less.
    ws.SerialTarget = stProgramMemory;
    ASSERT_TRUE(SerialNo2Memory(ws));
    EXPECT_EQ(ws.Status.ProgramChecksum, "F701");
}

