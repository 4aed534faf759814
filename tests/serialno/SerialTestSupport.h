// Shared set-up of the serial-number tests: a workspace shaped like a 1K-word
// device with 128 bytes of EEPROM, the 7-bit word layout, and helpers to read
// and write numbers as hex text.
#pragma once

#include "app/Workspace.h"
#include "serialno/SerialNumber.h"

#include <cstdio>
#include <string>

#include "TestSupport.h"

namespace serialtest {

inline void ShapeSmallDevice(Workspace& ws)
{
    ws.RomBytes = 2048;
    ws.EepromSize = 128;
    ws.SevenBitMode = true;
    ws.BlankMaskLow = 0x7F;
    ws.BlankMaskHigh = 0x7F;
    ws.WordShift = 7;
    ws.ProtectFill = 0x1F;
    for (std::size_t i = 0; i < ws.ProgramMemory.size(); i += 2) {
        ws.ProgramMemory[i] = 0x7F;
        ws.ProgramMemory[i + 1] = 0x7F;
    }
    ws.EepromBuffer.fill(0xFF);
}

// Puts the RTWI operation code (high byte 62h) into `count` words from `word`.
inline void PutRtwiWords(Workspace& ws, uint32_t word, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        ws.ProgramMemory[2 * (word + i)] = 0x00;
        ws.ProgramMemory[2 * (word + i) + 1] = 0x62;
    }
}

// Cells from hex text, most significant byte first ("00FF" -> cell 1 = 00, cell 0 = FF).
inline SerialCells Cells(const std::string& hex)
{
    SerialCells cells{};
    const std::size_t n = hex.size() / 2;
    for (std::size_t i = 0; i < n; ++i)
        cells[i] = static_cast<uint32_t>(std::stoul(hex.substr(hex.size() - 2 * (i + 1), 2), nullptr, 16));
    return cells;
}

// The n used cells as hex text, most significant first.
inline std::string Hex(const SerialCells& cells, uint32_t n)
{
    std::string text;
    char pair[3];
    for (uint32_t k = n; k-- > 0;) {
        std::snprintf(pair, sizeof pair, "%02X", cells[k] & 0xFF);
        text += pair;
    }
    return text;
}

}  // namespace serialtest
