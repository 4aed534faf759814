#include "editors/EditorCells.h"

#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr const char* kMemoryHeaders[kMemoryGridColumns] = {"+0/8", "+1/9", "+2/A", "+3/B",
                                                            "+4/C", "+5/D", "+6/E", "+7/F"};

// Upper-case digits only: the masked ID field shows no others.
int HexDigit(char c) { return c >= 'a' && c <= 'f' ? -1 : HexDigitValue(c); }

// Words the grid shows for the device, bounded by the buffer.
uint32_t DeviceWords(const Workspace& ws)
{
    return std::min<uint32_t>(static_cast<uint32_t>(MemoryGridRows(ws)) * kMemoryGridColumns,
                              kProgramMemorySize / 2);
}

}  // namespace

void TakeGridImage(GridImage& image, const Workspace& ws)
{
    image.ProgramMemory = ws.ProgramMemory;
    image.EepromBuffer = ws.EepromBuffer;
    image.ProgramLastHi = ws.ProgramLastHi;
    image.WordShift = ws.WordShift;
    image.BlankMaskLow = ws.BlankMaskLow;
    image.EepromLastHi = ws.EepromLastHi;
    image.EepromLastLo = ws.EepromLastLo;
}

std::string MemoryColumnHeader(int column)
{
    return column >= 0 && column < kMemoryGridColumns ? kMemoryHeaders[column] : "";
}

std::string MemoryRowLabel(int row) { return "0x" + WordToHex(static_cast<uint32_t>(row) * kMemoryGridColumns); }

std::string EepromColumnHeader(int column)
{
    if (column < 0 || column >= kEepromGridColumns) return "";
    return std::string("+") + NibbleToHexChar(static_cast<unsigned>(column));
}

std::string EepromRowLabel(int row)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(row) * kEepromGridColumns);
    return text;
}

uint32_t WordEditorLimit(uint32_t family)
{
    switch (family) {
    case 5: return 0x7FFF;
    case 6: return 0xFFFF;
    default: return 0x3FFF;
    }
}

WordEntry CheckWordEntry(const std::string& text, uint32_t limit)
{
    WordEntry entry;
    entry.Text = text;
    for (char& c : entry.Text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (entry.Text.size() < 4) entry.Text.insert(0, 4 - entry.Text.size(), '0');
    uint32_t value = 0;
    for (char c : entry.Text) {
        const int digit = HexDigit(c);
        if (digit < 0) return entry;
        // More than eight digits cannot be a word; keep the value from wrapping.
        value = std::min<uint32_t>(value, 0x0FFFFFFF) * 16 + static_cast<uint32_t>(digit);
    }
    entry.Value = value;
    entry.Status = value <= limit ? WordEntryStatus::Accepted : WordEntryStatus::TooLarge;
    return entry;
}

CellStore StoreProgramWord(Workspace& ws, uint32_t wordIndex, const std::string& shownText, uint32_t value)
{
    if (wordIndex >= DeviceWords(ws)) return CellStore::OutOfRange;
    if (MemoryCellText(ws, wordIndex) != shownText) return CellStore::Stale;
    WriteProgramWord(ws, wordIndex, PackWord(ws, value));
    return CellStore::Stored;
}

CellStore StoreEepromByte(Workspace& ws, uint32_t index, const std::string& shownText, uint32_t value)
{
    if (index >= EepromCellCount(ws) || value > kEepromByteLimit) return CellStore::OutOfRange;
    if (EepromCellText(ws, index) != shownText) return CellStore::Stale;
    ws.EepromBuffer[index] = static_cast<uint8_t>(value);
    return CellStore::Stored;
}

std::string HexLine(const uint8_t* bytes, std::size_t count)
{
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) line += ' ';
        line += ByteToHex(bytes[i]);
    }
    return line;
}

std::string HexCells(const uint8_t* bytes, std::size_t count)
{
    std::string line;
    for (std::size_t i = 0; i < count; ++i) line += ByteToHex(bytes[i]) + ' ';
    return line;
}

std::string IdEditorText(const Workspace& ws)
{
    std::size_t length = 0;
    while (length < 12 && ws.IdWords[length] != 0) ++length;
    // A blank ID opens an empty field rather than twelve invisible characters.
    auto blank = [&ws](std::size_t i) { return ws.IdWords[i] == (i % 2 ? ws.BlankMaskHigh : 0x7F); };
    while (length > 0 && blank(length - 1)) --length;
    return std::string(ws.IdWords.begin(), ws.IdWords.begin() + long(length));
}

std::string IdEditorHex(const Workspace& ws) { return HexLine(ws.IdWords.data(), 12); }

std::optional<IdBytes> ParseIdText(const Workspace& ws, const std::string& text)
{
    if (text.size() > 12) return std::nullopt;
    IdBytes id{};
    if (text == IdEditorText(ws)) {
        std::copy_n(ws.IdWords.begin(), id.size(), id.begin());
        return id;
    }
    for (std::size_t i = 0; i < 12; ++i) {
        const bool high = (i % 2) != 0;
        if (i >= text.size()) {
            id[i] = high ? ws.BlankMaskHigh : 0x7F;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        id[i] = high ? static_cast<uint8_t>(c & ws.BlankMaskHigh) : c;
    }
    return id;
}

IdBytes ParseIdHex(const Workspace& ws, const std::string& displayText)
{
    auto digitAt = [&displayText](std::size_t at) {
        const int d = at < displayText.size() ? HexDigit(displayText[at]) : -1;
        return d < 0 ? 15 : d;
    };
    IdBytes id{};
    for (std::size_t k = 0; k < 12; ++k) {
        const auto byte = static_cast<uint8_t>(digitAt(3 * k) * 16 + digitAt(3 * k + 1));
        id[k] = static_cast<uint8_t>(byte & ((k % 2) ? ws.BlankMaskHigh : 0x7F));
    }
    return id;
}

std::optional<uint32_t> ParsePassCount(const std::string& text)
{
    if (text.empty() || text.size() > kPassCountDigits) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value;
}

bool SetPassCount(Workspace& ws, const std::string& text)
{
    const std::optional<uint32_t> count = ParsePassCount(text);
    if (!count) return false;
    ws.Status.PassCountText = text;
    ws.Status.PassCount = *count;
    return true;
}
