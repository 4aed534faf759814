// RTWI words in program memory, and serial numbers as hex text.
#pragma once

#include "workspace/Checksum.h"
#include "workspace/Workspace.h"
#include "serialno/SerialNumber.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "RecordingNotifier.h"
#include "TestSupport.h"

namespace serialtest {

using Texts = std::vector<std::string>;

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
    for (uint32_t k = n; k-- > 0;) text += ByteToHex(static_cast<uint8_t>(cells[k]));
    return text;
}

}  // namespace serialtest
