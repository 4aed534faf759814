// Every row of both instruction sets with the edges of its range.
#include "disasm/Disassembler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    uint32_t Family;   // 2 decodes with the QL set, every other value with the base set
    uint32_t Word;
    const char* Mnemonic;   // null: not an instruction
    const char* Operands;
};

constexpr Case kCases[] = {
    // base set: bit rows, register names, flag names up to bit 4
    {0, 0x0000, "BCR", "IAR,0"}, {0, 0x0283, "BCR", "STATUS,5"}, {0, 0x03FF, "BCR", "07FH,7"},
    {0, 0x0503, "BTSC", "STATUS,ZF"}, {0, 0x0583, "BTSC", "STATUS,PF"}, {0, 0x0403, "BTSC", "STATUS,CF"},
    {0, 0x0483, "BTSC", "STATUS,HC"}, {0, 0x0603, "BTSC", "STATUS,TF"},
    {0, 0x0B85, "BSR", "PORTA,7"}, {0, 0x0800, "BSR", "IAR,0"},
    {0, 0x0D03, "BTSS", "STATUS,ZF"}, {0, 0x0FFF, "BTSS", "07FH,7"},
    // base sub-table A
    {0, 0x1000, "NOP", ""}, {0, 0x1001, "CLRWT", ""}, {0, 0x1002, "SLEEP", ""}, {0, 0x1003, "TMODE", ""},
    {0, 0x1004, "RET", ""}, {0, 0x1005, "CPIO", "PORTA"}, {0, 0x1006, "CPIO", "PORTB"},
    {0, 0x1007, "CPIO", "PORTC"}, {0, 0x1009, "RTFI", ""}, {0, 0x1080, "CLRW", ""}, {0, 0x1085, "CLRW", ""},
    {0, 0x10FF, "CLRW", ""}, {0, 0x1008, nullptr, ""}, {0, 0x100A, nullptr, ""}, {0, 0x107F, nullptr, ""},
    // base register rows
    {0, 0x1103, "CLRR", "STATUS"}, {0, 0x1183, "STWR", "STATUS"}, {0, 0x12A0, "ANDWR", "020H,R"},
    {0, 0x1320, "IORWR", "020H,W"}, {0, 0x1401, "XORWR", "RTCC,W"}, {0, 0x1582, "RLR", "PCL,R"},
    {0, 0x1604, "RRR", "MSR,W"}, {0, 0x17FF, "SWAPR", "07FH,R"}, {0, 0x1883, "LDR", "STATUS,R"},
    {0, 0x1803, "LDR", "STATUS,W"}, {0, 0x1906, "INCR", "PORTB,W"}, {0, 0x1A86, "INCRSZ", "PORTB,R"},
    {0, 0x1B07, "ADDWR", "PORTC,W"}, {0, 0x1C08, "SUBWR", "008H,W"}, {0, 0x1D85, "DECR", "PORTA,R"},
    {0, 0x1E05, "DECRSZ", "PORTA,W"}, {0, 0x1F85, "COMR", "PORTA,R"},
    // base long jumps and literals
    {0, 0x2000, "LCALL", "0000H"}, {0, 0x2123, "LCALL", "0123H"}, {0, 0x27FF, "LCALL", "07FFH"},
    {0, 0x2800, "LJUMP", "0000H"}, {0, 0x2FFF, "LJUMP", "07FFH"},
    {1, 0x3001, "CALL", "0001H"}, {0, 0x3001, nullptr, ""}, {1, 0x3105, "RTWI", "005H"},
    {0, 0x3105, "RTWI", "005H"}, {1, 0x3200, "JUMP", "0000H"}, {1, 0x33FF, "JUMP", "01FFH"},
    {0, 0x33FF, nullptr, ""}, {0, 0x3412, "ANDWI", "012H"}, {0, 0x3512, "IORWI", "012H"},
    {0, 0x3612, "XORWI", "012H"}, {0, 0x3712, "ADDWI", "012H"}, {0, 0x38FF, "SUBWI", "0FFH"},
    {0, 0x3912, nullptr, ""}, {0, 0x3A5A, "LDWI", "05AH"}, {0, 0x3B00, nullptr, ""},
    {5, 0x3C85, "TBLRDL", "PORTA"}, {6, 0x3C05, "TBLRDC", "PORTA"}, {0, 0x3C85, nullptr, ""},
    {1, 0x3C85, nullptr, ""}, {5, 0x3D00, nullptr, ""}, {5, 0x3FFF, nullptr, ""}, {0, 0xFFFF, nullptr, ""},
    // 16-bit words: bits 14-15 become register bits 7-8
    {5, 0xD120, "CLRR", "1A0H"}, {5, 0xC120, "BCR", "1A0H,2"}, {6, 0xFFFF, nullptr, ""},
    {5, 0x5F80, "COMR", "080H,R"},
    // QL set
    {2, 0x0000, "BSM", "IAR,0"}, {2, 0x0183, "BSM", "STATUS,PF"}, {2, 0x05A3, "BTSS", "023H,3"},
    {2, 0x0903, "BCM", "STATUS,ZF"}, {2, 0x0C06, "BTZC", "PORTB,0"}, {2, 0x0FFF, "BTZC", "07FH,7"},
    {2, 0x1000, "CALL", "0000H"}, {2, 0x17FF, "CALL", "07FFH"}, {2, 0x1800, "GOTO", "0000H"},
    {2, 0x1FFF, "GOTO", "07FFH"},
    // QL sub-table B
    {2, 0x2000, "NOP", ""}, {2, 0x2005, "PTIO", "PORTA"}, {2, 0x2007, "PTIO", "PORTC"},
    {2, 0x200A, "WDTCLR", ""}, {2, 0x200B, "SLEEP", ""}, {2, 0x200C, "SELT", ""}, {2, 0x200D, "RET", ""},
    {2, 0x200E, "RETI", ""}, {2, 0x2085, "CLRM", "PORTA"}, {2, 0x20FF, "CLRM", "07FH"},
    {2, 0x2001, nullptr, ""}, {2, 0x2004, nullptr, ""}, {2, 0x2008, nullptr, ""}, {2, 0x2009, nullptr, ""},
    {2, 0x200F, nullptr, ""}, {2, 0x207F, nullptr, ""},
    // QL register rows
    {2, 0x2105, "MOVWM", "PORTA"}, {2, 0x2185, "CLRW", ""}, {2, 0x2290, "INCM", "010H,R"},
    {2, 0x2310, "DECMZS", "010H,W"}, {2, 0x2410, "DECM", "010H,W"}, {2, 0x2510, "INCMZS", "010H,W"},
    {2, 0x2690, "SWAPM", "010H,R"}, {2, 0x2710, "RLCM", "010H,W"}, {2, 0x2810, "RRCM", "010H,W"},
    {2, 0x2903, "MOVM", "STATUS,W"}, {2, 0x2A10, "ORWM", "010H,W"}, {2, 0x2B10, "ANDWM", "010H,W"},
    {2, 0x2C10, "SUBWM", "010H,W"}, {2, 0x2D10, "XORWM", "010H,W"}, {2, 0x2E05, "COMM", "PORTA,W"},
    {2, 0x2F90, "ADDWM", "010H,R"},
    // QL literals and the gaps
    {2, 0x3000, nullptr, ""}, {2, 0x31FF, nullptr, ""}, {2, 0x3201, "ORKW", "001H"},
    {2, 0x3301, "XORKW", "001H"}, {2, 0x3401, "SUBKW", "001H"}, {2, 0x3501, "ADDKW", "001H"},
    {2, 0x36FF, "MOVKW", "0FFH"}, {2, 0x3700, "RETKW", "000H"}, {2, 0x3855, "ANDKW", "055H"},
    {2, 0x3900, nullptr, ""}, {2, 0x3B00, nullptr, ""}, {2, 0x3C85, nullptr, ""}, {2, 0x3D00, nullptr, ""},
    {2, 0x3FFF, nullptr, ""},
    // families 3 and 4 read the QL set, 5 the base set
    {3, 0x2E05, "COMM", "PORTA,W"}, {4, 0x200C, "SELT", ""}, {5, 0x2E05, "LJUMP", "0605H"},
};

}  // namespace

TEST(InstructionDecoding, EveryRowOfBothSetsGivesItsMnemonicAndOperands)
{
    for (const Case& c : kCases) {
        const DecodedWord d = DecodeWord(InstructionSetFor(c.Family), c.Family, c.Word);
        SCOPED_TRACE(testing::Message() << "family " << c.Family << " word " << std::hex << c.Word);
        EXPECT_EQ(d.IsInstruction, c.Mnemonic != nullptr);
        if (!c.Mnemonic) continue;
        EXPECT_EQ(d.Mnemonic, c.Mnemonic);
        EXPECT_EQ(d.Operands, c.Operands);
    }
}

TEST(InstructionDecoding, LineLaysOutMnemonicOperandsIndexAndWordInColumns)
{
    const InstructionSet& base = BaseInstructionSet();
    EXPECT_EQ(InstructionLine(DecodeWord(base, 0, 0x1883), 0x12, 0x1883), "LDR     STATUS,R        ;0012    1883\r\n");
    EXPECT_EQ(InstructionLine(DecodeWord(base, 0, 0x1085), 0x12, 0x1085),
              "CLRW    " + std::string(16, ' ') + ";0012    1085\r\n");
    // The word as the workspace keeps it: 7-bit halves, or 8-bit halves.
    EXPECT_EQ(ListingWord(0x03, 0x31, 7), 0x1883u);
    EXPECT_EQ(ListingWord(0x20, 0xD1, 8), 0xD120u);
    EXPECT_EQ(ListingWord(0xFF, 0xFF, 7), 0x807Fu) << "bytes are taken as stored, not masked";
}
