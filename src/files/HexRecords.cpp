#include "files/HexRecords.h"

#include "workspace/Checksum.h"

#include <algorithm>

namespace {

// A field of `width` hexadecimal digits at `pos` of the record text; false
// when the record ends before it or a character is not a digit.
bool HexField(std::string_view record, std::size_t pos, std::size_t width, uint32_t& value)
{
    value = 0;
    if (pos > record.size() || record.size() - pos < width) return false;
    for (std::size_t i = 0; i < width; ++i) {
        int d = HexDigitValue(record[pos + i]);
        if (d < 0) {
            value = 0;
            return false;
        }
        value = value * 16 + static_cast<uint32_t>(d);
    }
    return true;
}

void AppendByte(std::string& out, uint32_t value)
{
    out += ByteToHex(static_cast<uint8_t>(value));
}

} // namespace

HexReadResult HexToObj(std::string_view text, int codeHexLimit, int eepromHexBase, uint8_t highByteMask,
                       ProgramImage& image)
{
    image.Program.fill(0xFF);
    image.Eeprom.fill(0xFF);
    HexReadResult result;
    auto fail = [&result](HexError kind, int record) {
        result.Error = kind;
        result.ErrorRecord = record;
    };

    std::size_t pos = 0;
    int recordNo = 0;
    // Extended-address records (types 02 and 04) move every following record;
    // only the first 64K, where all of this program's buffers lie, can be loaded.
    bool extendedAddress = false;
    while (pos < text.size()) {
        ++recordNo;
        // Text outside records (line ends, a byte-order mark, comments) is skipped.
        std::size_t colon = text.find(':', pos);
        if (colon == std::string_view::npos) break;
        std::size_t end = text.find_first_of("\r\n", colon + 1);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view record = text.substr(colon + 1, end - colon - 1);
        pos = end;

        uint32_t count = 0;
        if (!HexField(record, 0, 2, count)) {
            fail(HexError::ByteCount, recordNo);
            break;
        }
        if (count == 0) break;   // the end record, or any record without data, ends the file

        uint32_t address = 0;
        if (!HexField(record, 2, 4, address)) fail(HexError::Address, recordNo);
        uint32_t sum = count + (address & 0xFF) + ((address >> 8) & 0xFF);
        // A bad record type shows in the checksum.
        uint32_t type = 0;
        HexField(record, 6, 2, type);
        sum = (sum + type) & 0xFF;
        // Types 02 to 05 carry an extended or a start address, never data.
        const bool addressRecord = type >= 2 && type <= 5;
        uint32_t base = 0;

        for (uint32_t k = 0; k < count; ++k, ++address) {
            uint32_t value = 0;
            if (!HexField(record, 8 + 2 * k, 2, value)) fail(HexError::Data, recordNo);
            sum = (sum + value) & 0xFF;
            if (addressRecord) {
                base = (base << 8) | value;
                continue;
            }
            if (extendedAddress) {
                fail(HexError::Address, recordNo);   // outside every buffer
                continue;
            }
            if (address > 0xFFFF) {
                fail(HexError::Address, recordNo);   // runs past the 16-bit address space
                continue;
            }
            const int a = static_cast<int>(address);
            if (a < codeHexLimit) {
                image.Program[a] = (a & 1) ? static_cast<uint8_t>(value & highByteMask) : static_cast<uint8_t>(value);
            } else if (a >= eepromHexBase) {
                if ((a & 1) == 0) {
                    const int index = (a - eepromHexBase) / 2;
                    if (index >= static_cast<int>(kEepromBufferSize)) fail(HexError::Address, recordNo);
                    else image.Eeprom[index] = static_cast<uint8_t>(value);
                }
            }
            if (a > result.Extent && a < eepromHexBase) result.Extent = a;
        }

        uint32_t checksum = 0;
        if (!HexField(record, 8 + 2 * count, 2, checksum) || checksum != ((256 - sum) & 0xFF)) {
            fail(HexError::Checksum, recordNo);
        }
        if (type == 2 || type == 4) extendedAddress = base != 0;
    }
    result.Extent = std::min(result.Extent, static_cast<int>(kProgramMemorySize));
    return result;
}

std::string HexErrorMessage(const HexReadResult& result)
{
    const char* kind = "";
    switch (result.Error) {
    case HexError::None: return {};
    case HexError::ByteCount: kind = "Byte No. error at line "; break;
    case HexError::Address: kind = "Address error at line "; break;
    case HexError::Data: kind = "Data error at line "; break;
    case HexError::Checksum: kind = "Checksum error at line "; break;
    }
    return kind + std::to_string(result.ErrorRecord) + " !";
}

std::string HexDataRecord(uint16_t address, const uint8_t* data, std::size_t count)
{
    std::string out = ":";
    uint32_t sum = static_cast<uint32_t>(count) + (address >> 8) + (address & 0xFF);
    AppendByte(out, static_cast<uint32_t>(count));
    AppendByte(out, address >> 8);
    AppendByte(out, address & 0xFF);
    out += "00";
    for (std::size_t i = 0; i < count; ++i) {
        AppendByte(out, data[i]);
        sum += data[i];
    }
    AppendByte(out, (256 - (sum & 0xFF)) & 0xFF);
    out += "\r\n";
    return out;
}

std::string ChxText(const uint8_t* image, std::size_t length)
{
    std::string out;
    uint8_t pending[16];
    std::size_t pendingCount = 0;
    std::size_t recordAddress = 0;
    auto flush = [&]() {
        if (pendingCount == 0) return;
        out += HexDataRecord(static_cast<uint16_t>(recordAddress), pending, pendingCount);
        pendingCount = 0;
    };
    for (std::size_t i = 0; i + 1 < length; i += 2) {
        const bool blank = image[i] == 0xFF && image[i + 1] == 0xFF;
        if (pendingCount > 0 && (i % 16 == 0 || blank)) flush();
        if (blank) continue;
        if (pendingCount == 0) recordAddress = i;
        pending[pendingCount++] = image[i];
        pending[pendingCount++] = image[i + 1];
    }
    flush();
    out += ":00000001FF\r\n";
    return out;
}
