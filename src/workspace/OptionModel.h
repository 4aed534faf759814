// The option model: decodes the OPTION words into the named settings of the
// device's option items, forces them to the bits the device allows, and
// keeps the option summary of the status panel.
#pragma once

#include "workspace/Workspace.h"

#include <cstdint>
#include <string>

class Notifier;

// OptionStatus bits.
constexpr uint32_t kOptionStatusBlank = 0x1;     // some item decodes to "Blank"
constexpr uint32_t kOptionStatusNoChoice = 0x2;  // some item matches no choice

// Sets ws.OptText and ws.OptValue to row `index` of the device's group of
// option item `item` (1..13): index 0 is the title with the item's bit mask,
// 1, 2, ... the choices; a value of 0xFFFFFFFF means the index ran past the
// last choice (an index past the end of the table reads the same way).
// Items outside 1..13 and negative indexes change nothing and return false.
// A group that the table does not have shows "Can not find Option item"
// (when a notifier is given), leaves OptText/OptValue as they were and
// returns false.
bool GetOptData(Workspace& ws, int item, int index, Notifier* notifier = nullptr);

// The 32-bit option value composed from option words 0 and 1.
uint32_t ComposeOptionValue(const Workspace& ws);

// The four option bytes as two-digit upper-case hex numbers separated by
// single blanks: word 0 low, word 0 high, word 1 low, word 1 high.
std::string OptionValueText(const Workspace& ws);

// Forces the option words to the device's mask and fixed bits, decodes every
// item into ws.Status.OptionItems / OptionSummary, sets ws.OptionStatus,
// recomputes the checksums and sets ws.Status.OptionValueText.
void UpdateOption(Workspace& ws, Notifier* notifier = nullptr);
