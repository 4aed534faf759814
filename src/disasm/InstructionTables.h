// The two instruction sets the disassembler reads, as data: one row per
// range of the word's top six bits (op6, bits 13..8), and a sub-table by the
// low byte for the op6 row that holds the instructions without a register.
// A word that no row takes is not an instruction of the set.
#pragma once

#include <cstdint>
#include <span>

// What follows the mnemonic.
enum class Operand : uint8_t {
    None,           // no operand
    Register,       // register text: PORTA, 020H
    RegisterBit,    // register text and bit text: STATUS,ZF, PORTB,7
    RegisterDest,   // register text and ",R" (d = 1) or ",W" (d = 0)
    Immediate,      // the low byte, three hex digits and H: 05AH
    Address11,      // bits 10..0, four hex digits and H: 07FFH
    Address8,       // the low byte as an address: 0001H
    Address9,       // bit 0 of op6 above the low byte: 01FFH
    SubTable,       // the low byte selects a row of the set's sub-table
};

// Families a row is limited to, one bit per family number; 0 means every family.
constexpr uint32_t FamilyBit(uint32_t family) { return family < 32 ? (1u << family) : 0; }

struct OpcodeRow {
    uint8_t FirstOp6;
    uint8_t LastOp6;
    const char* Mnemonic;           // with d = 0, or always when MnemonicD1 is null
    Operand Operands;
    const char* MnemonicD1;         // the instruction when bit 7 (d) is 1
    Operand OperandsD1;
    uint32_t Families;              // FamilyBit mask, 0 = every family
};

struct SubTableRow {
    uint8_t FirstLow;
    uint8_t LastLow;
    const char* Mnemonic;
    Operand Operands;
};

struct InstructionSet {
    const char* Name;
    std::span<const OpcodeRow> Rows;
    std::span<const SubTableRow> SubTable;
};

// The base set: every family except 2, 3 and 4.
const InstructionSet& BaseInstructionSet();
// The QL set: families 2, 3 and 4 (14-bit words).
const InstructionSet& QlInstructionSet();
// The set that decodes a device family.
const InstructionSet& InstructionSetFor(uint32_t family);
