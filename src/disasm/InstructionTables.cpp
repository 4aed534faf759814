#include "disasm/InstructionTables.h"

#include <array>

namespace {

using O = Operand;
constexpr uint32_t kAny = 0;
constexpr uint32_t kFamily1 = FamilyBit(1);
constexpr uint32_t kFamilies5And6 = FamilyBit(5) | FamilyBit(6);

constexpr OpcodeRow Op(uint8_t first, uint8_t last, const char* mnemonic, Operand operands,
                       uint32_t families = kAny)
{
    return OpcodeRow{first, last, mnemonic, operands, nullptr, O::None, families};
}

// A row whose instruction depends on the destination bit d.
constexpr OpcodeRow ByD(uint8_t op6, const char* d0, Operand o0, const char* d1, Operand o1,
                        uint32_t families = kAny)
{
    return OpcodeRow{op6, op6, d0, o0, d1, o1, families};
}

constexpr std::array kBaseRows{
    Op(0, 3, "BCR", O::RegisterBit),
    Op(4, 7, "BTSC", O::RegisterBit),
    Op(8, 11, "BSR", O::RegisterBit),
    Op(12, 15, "BTSS", O::RegisterBit),
    Op(16, 16, nullptr, O::SubTable),
    ByD(17, "CLRR", O::Register, "STWR", O::Register),
    Op(18, 18, "ANDWR", O::RegisterDest),
    Op(19, 19, "IORWR", O::RegisterDest),
    Op(20, 20, "XORWR", O::RegisterDest),
    Op(21, 21, "RLR", O::RegisterDest),
    Op(22, 22, "RRR", O::RegisterDest),
    Op(23, 23, "SWAPR", O::RegisterDest),
    Op(24, 24, "LDR", O::RegisterDest),
    Op(25, 25, "INCR", O::RegisterDest),
    Op(26, 26, "INCRSZ", O::RegisterDest),
    Op(27, 27, "ADDWR", O::RegisterDest),
    Op(28, 28, "SUBWR", O::RegisterDest),
    Op(29, 29, "DECR", O::RegisterDest),
    Op(30, 30, "DECRSZ", O::RegisterDest),
    Op(31, 31, "COMR", O::RegisterDest),
    Op(32, 39, "LCALL", O::Address11),
    Op(40, 47, "LJUMP", O::Address11),
    Op(48, 48, "CALL", O::Address8, kFamily1),
    Op(49, 49, "RTWI", O::Immediate),
    Op(50, 51, "JUMP", O::Address9, kFamily1),
    Op(52, 52, "ANDWI", O::Immediate),
    Op(53, 53, "IORWI", O::Immediate),
    Op(54, 54, "XORWI", O::Immediate),
    Op(55, 55, "ADDWI", O::Immediate),
    Op(56, 56, "SUBWI", O::Immediate),
    Op(58, 58, "LDWI", O::Immediate),
    ByD(60, "TBLRDC", O::Register, "TBLRDL", O::Register, kFamilies5And6),
};

constexpr std::array kBaseSubTable{
    SubTableRow{0x00, 0x00, "NOP", O::None},
    SubTableRow{0x01, 0x01, "CLRWT", O::None},
    SubTableRow{0x02, 0x02, "SLEEP", O::None},
    SubTableRow{0x03, 0x03, "TMODE", O::None},
    SubTableRow{0x04, 0x04, "RET", O::None},
    SubTableRow{0x05, 0x07, "CPIO", O::Register},
    SubTableRow{0x09, 0x09, "RTFI", O::None},
    SubTableRow{0x80, 0xFF, "CLRW", O::None},
};

constexpr std::array kQlRows{
    Op(0, 3, "BSM", O::RegisterBit),
    Op(4, 7, "BTSS", O::RegisterBit),
    Op(8, 11, "BCM", O::RegisterBit),
    Op(12, 15, "BTZC", O::RegisterBit),
    Op(16, 23, "CALL", O::Address11),
    Op(24, 31, "GOTO", O::Address11),
    Op(32, 32, nullptr, O::SubTable),
    ByD(33, "MOVWM", O::Register, "CLRW", O::None),
    Op(34, 34, "INCM", O::RegisterDest),
    Op(35, 35, "DECMZS", O::RegisterDest),
    Op(36, 36, "DECM", O::RegisterDest),
    Op(37, 37, "INCMZS", O::RegisterDest),
    Op(38, 38, "SWAPM", O::RegisterDest),
    Op(39, 39, "RLCM", O::RegisterDest),
    Op(40, 40, "RRCM", O::RegisterDest),
    Op(41, 41, "MOVM", O::RegisterDest),
    Op(42, 42, "ORWM", O::RegisterDest),
    Op(43, 43, "ANDWM", O::RegisterDest),
    Op(44, 44, "SUBWM", O::RegisterDest),
    Op(45, 45, "XORWM", O::RegisterDest),
    Op(46, 46, "COMM", O::RegisterDest),
    Op(47, 47, "ADDWM", O::RegisterDest),
    Op(50, 50, "ORKW", O::Immediate),
    Op(51, 51, "XORKW", O::Immediate),
    Op(52, 52, "SUBKW", O::Immediate),
    Op(53, 53, "ADDKW", O::Immediate),
    Op(54, 54, "MOVKW", O::Immediate),
    Op(55, 55, "RETKW", O::Immediate),
    Op(56, 56, "ANDKW", O::Immediate),
};

constexpr std::array kQlSubTable{
    SubTableRow{0x00, 0x00, "NOP", O::None},
    SubTableRow{0x05, 0x07, "PTIO", O::Register},
    SubTableRow{0x0A, 0x0A, "WDTCLR", O::None},
    SubTableRow{0x0B, 0x0B, "SLEEP", O::None},
    SubTableRow{0x0C, 0x0C, "SELT", O::None},
    SubTableRow{0x0D, 0x0D, "RET", O::None},
    SubTableRow{0x0E, 0x0E, "RETI", O::None},
    SubTableRow{0x80, 0xFF, "CLRM", O::Register},
};

const InstructionSet kBaseSet{"base", kBaseRows, kBaseSubTable};
const InstructionSet kQlSet{"QL", kQlRows, kQlSubTable};

}  // namespace

const InstructionSet& BaseInstructionSet() { return kBaseSet; }
const InstructionSet& QlInstructionSet() { return kQlSet; }

const InstructionSet& InstructionSetFor(uint32_t family)
{
    return family >= 2 && family <= 4 ? kQlSet : kBaseSet;
}
