// The three checksums of the status panel, and the shared hexadecimal
// parser and formatters.
#pragma once

#include "workspace/Workspace.h"

#include <cstdint>
#include <string>
#include <string_view>

struct Checksums {
    uint16_t Memory = 0;    // program memory ("Memory:", Label11)
    uint16_t Protect = 0;   // program memory as a protected chip reads it ("After Protect:")
    uint16_t Total = 0;     // memory + EEPROM (devices with EEPROM) + option words
    bool WithEeprom = false;
};

// Computes the three sums from the workspace without changing it. Program
// memory is summed below RomBytes and EEPROM below EepromSize, each clamped
// to its buffer.
Checksums ComputeChecksums(const Workspace& ws);

// Recomputes the sums and writes them into the status panel:
// Status.ProgramChecksum, ProtectChecksum, TotalChecksum (four upper-case hex
// digits) and TotalChecksumCaption ("w/OPTIONs:" or "w/OPTIONs+EE:").
void CalChecksum(Workspace& ws);

// Parses hexadecimal text (either case). Sets ws.HexValue and
// ws.HexDigitsValid. A character that is not a hex digit ends the parse: the
// result is 0, HexDigitsValid stays false and HexValue keeps the digits read
// before it. Empty text gives 0 with HexDigitsValid true. Digits beyond eight
// shift the high ones out.
uint32_t HexToInt(Workspace& ws, std::string_view text);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// '0'..'9', 'A'..'F' for 0..15 (only the low four bits are used).
char NibbleToHexChar(unsigned value);

// Two upper-case hex digits, high digit first.
std::string ByteToHex(uint8_t value);

// Four upper-case hex digits of the low 16 bits.
std::string WordToHex(uint32_t value);
