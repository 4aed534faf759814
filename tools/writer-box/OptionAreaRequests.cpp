#include "OptionAreaState.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "Requests.h"
#include "WriterBox.h"

namespace {

constexpr int kOptionArea = 5;

}  // namespace

void CorruptOptionAreaRead(const WriterState& state, int area, std::vector<uint8_t>& data)
{
    const int word = state.OptionArea.CorruptWord;
    if (area != kOptionArea || word < 0) return;
    const std::size_t at = std::size_t(word) * 2;
    if (at < data.size()) data[at] ^= 0x01;
}

bool PresetOptionArea(SimulatedChip& chip, const std::string& list)
{
    std::size_t i = 0;
    std::size_t pos = 0;
    while (pos < list.size() && i < chip.OptionArea.size()) {
        while (pos < list.size() && (list[pos] == ',' || std::isspace(static_cast<unsigned char>(list[pos])))) ++pos;
        if (pos >= list.size()) break;
        std::size_t end = pos;
        while (end < list.size() && std::isxdigit(static_cast<unsigned char>(list[end]))) ++end;
        if (end == pos || end - pos > 2) return false;
        chip.OptionArea[i++] = uint8_t(std::strtol(list.substr(pos, end - pos).c_str(), nullptr, 16));
        pos = end;
    }
    return pos >= list.size();
}

void MarkOption2Used(SimulatedChip& chip)
{
    // 7-bit halves keep bits 7..13 in the high byte, 8-bit halves bits 8..15.
    const unsigned shift = chip.BlankLow == 0x7F ? 7 : 8;
    uint8_t& high = chip.OptionArea[0x12 * 2 + 1];
    high = uint8_t((high & ~(0x3000u >> shift)) | (0x2000u >> shift));
}
