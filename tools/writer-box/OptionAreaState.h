// The option area of the simulated chip as the second option set uses it:
// a fault that corrupts one word of every option-area read-back, and helpers
// that preset the area for the writer-box program's switches.
#pragma once

#include <cstdint>
#include <string>

struct SimulatedChip;

struct OptionAreaFaults {
    int CorruptWord = -1;   // 0x00..0x13: reads of the option area show this word with bit 0 inverted
};

// Fills the option area from a list of hexadecimal bytes ("7F,3F,..." or
// blanks between them), word 00h low byte first; bytes past the list keep
// their value. False when an item is not a hexadecimal byte.
bool PresetOptionArea(SimulatedChip& chip, const std::string& list);

// Sets the option 2 select bits that the second-option dialog chooses first
// (word 12h, bits (13,12) = (1,0)) in the chip's own word layout, so the
// chip counts as one whose second option set was used already.
void MarkOption2Used(SimulatedChip& chip);
