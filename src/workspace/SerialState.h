// The serial number as the workspace keeps it: eight byte cells, the
// status-panel text of a number, and the one switch of serial mode. The
// advance and placement rules live with the serial numbers above.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct Workspace;

constexpr uint32_t kSerialCellCount = 8;

using SerialCells = std::array<uint32_t, kSerialCellCount>;

// A byte count the eight cells can hold: 1 to 8.
bool SerialByteCountValid(uint64_t byteCount);

// The main window's "No. (HEX):" text of a number: the cells from the most
// significant down as two upper-case hex digits each, a blank before every
// odd-numbered cell (" 1234 5678" for four bytes). Empty for a byte count
// outside 1 to 8.
std::string SerialNumberText(const SerialCells& cells, uint32_t byteCount);

// Switches serial mode on or off together with everything that shows it:
// `SerialModeOn`, the "Serial No. Mode :" text ("Enable" / "Disable") and
// whether the single-step program commands ("Program ID & Checksum",
// "Program Memory", "Program OPTION") are offered; while serial mode is on
// only complete automatic runs program a chip.
void SetSerialMode(Workspace& ws, bool on);
