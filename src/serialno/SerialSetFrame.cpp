#include "serialno/SerialSetFrame.h"
#include "workspace/Checksum.h"

#include "workspace/Workspace.h"
#include "platform/Notifier.h"
#include "serialno/SerialMessages.h"
#include "serialno/SerialNumber.h"

#include <string_view>

namespace {

constexpr int32_t kSerialSetOperation = 12;  // opSerialNoProgram
constexpr uint32_t kAsciiLimit = 35;         // "Z"

std::optional<uint32_t> HexText(std::string_view text, std::size_t minDigits, std::size_t maxDigits)
{
    if (text.size() < minDigits || text.size() > maxDigits) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

// One of the texts "0" .. "last".
std::optional<uint32_t> IndexText(std::string_view text, uint32_t last)
{
    if (text.size() != 1 || text[0] < '0' || static_cast<uint32_t>(text[0] - '0') > last)
        return std::nullopt;
    return static_cast<uint32_t>(text[0] - '0');
}

// The n value bytes of a start or end text, most significant first, placed
// right-aligned into the eight frame bytes from `offset`.
bool PutValue(SerialSetFrame& frame, std::size_t offset, std::string_view text, uint32_t n, bool ascii)
{
    const std::size_t first = offset + 8 - n;
    if (ascii) {
        if (text.size() != n) return false;
        for (uint32_t i = 0; i < n; ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9') frame[first + i] = static_cast<uint8_t>(c - '0');
            else if (c >= 'A' && c <= 'Z') frame[first + i] = static_cast<uint8_t>(c - 0x37);
            else return false;
        }
        return true;
    }
    if (text.size() != 2 * n) return false;
    for (uint32_t i = 0; i < n; ++i) {
        const std::optional<uint32_t> byte = HexText(text.substr(2 * i, 2), 2, 2);
        if (!byte) return false;
        frame[first + i] = static_cast<uint8_t>(*byte);
    }
    return true;
}

// The last n of the eight value bytes from `offset` as text: hex pairs, or
// in ASCII mode one character per byte.
std::string ValueText(const SerialSetReply& reply, std::size_t offset, uint32_t n, bool ascii)
{
    std::string text;
    for (std::size_t i = offset + 8 - n; i < offset + 8; ++i) {
        const uint8_t byte = reply[i];
        if (ascii) {
            text += static_cast<char>(byte <= 9 ? byte + 0x30 : byte + 0x37);
        } else {
            text += ByteToHex(byte);
        }
    }
    return text;
}

bool AsciiValueInRange(const SerialSetReply& reply, std::size_t offset, uint32_t n)
{
    for (std::size_t i = offset + 8 - n; i < offset + 8; ++i)
        if (reply[i] > kAsciiLimit) return false;
    return true;
}

}  // namespace

std::optional<SerialSetFrame> BuildSerialSetFrame(const Workspace& ws)
{
    const auto& texts = ws.SerialSetupTexts;
    const std::optional<uint32_t> address = HexText(texts[sstStartAddress], 4, 4);
    const std::optional<uint32_t> n = HexText(texts[sstByteCount], 1, 2);
    const std::optional<uint32_t> mode = IndexText(texts[sstMode], smAscii);
    const std::optional<uint32_t> target = IndexText(texts[sstTarget], stEeprom);
    const std::optional<uint32_t> order = IndexText(texts[sstOrder], soLsbFirst);
    const std::optional<uint32_t> increment = DecimalValueOf(texts[sstIncrement], 3);
    if (!address || !n || !mode || !target || !order || !increment) return std::nullopt;
    if (!SerialLocationInside(ws, *target, *address, *n)) return std::nullopt;
    const bool ascii = *mode == smAscii;
    if (*increment < 1 || *increment > (ascii ? kAsciiLimit : 255u)) return std::nullopt;

    SerialSetFrame frame{};
    frame[0] = kSerialSetCommand;
    frame[1] = 0x00;
    frame[2] = static_cast<uint8_t>(*address >> 8);
    frame[3] = static_cast<uint8_t>(*address & 0xFF);
    frame[4] = static_cast<uint8_t>(*n);
    frame[5] = static_cast<uint8_t>(*increment);
    if (!PutValue(frame, 6, texts[sstStartValue], *n, ascii)) return std::nullopt;
    if (!PutValue(frame, 14, texts[sstEndValue], *n, ascii)) return std::nullopt;
    frame[22] = static_cast<uint8_t>(*target);
    frame[23] = static_cast<uint8_t>(*order);
    frame[24] = static_cast<uint8_t>(*mode);
    return frame;
}

bool StoreSerialSetReply(Workspace& ws, const SerialSetReply& reply)
{
    const uint32_t n = reply[ssrByteCount];
    const uint32_t mode = reply[ssrMode];
    if (!SerialByteCountValid(n) || mode > smAscii || reply[ssrTarget] > stEeprom ||
        reply[ssrOrder] > soLsbFirst)
        return false;
    const bool ascii = mode == smAscii;
    if (ascii && !(AsciiValueInRange(reply, ssrStartValue, n) && AsciiValueInRange(reply, ssrEndValue, n) &&
                   AsciiValueInRange(reply, ssrSavedSerial, n)))
        return false;

    ws.SerialSetupTexts[sstMode] = std::to_string(mode);
    ws.SerialSetupTexts[sstByteCount] = std::to_string(n);
    ws.SerialSetTexts[ssStartValue] = ValueText(reply, ssrStartValue, n, ascii);
    ws.SerialSetTexts[ssEndValue] = ValueText(reply, ssrEndValue, n, ascii);
    ws.SerialSetTexts[ssSavedSerial] = ValueText(reply, ssrSavedSerial, n, ascii);
    ws.SerialSetTexts[ssStartAddress] = ByteToHex(reply[ssrAddressHigh]) + ByteToHex(reply[ssrAddressLow]);
    ws.SerialSetTexts[ssByteCount] = ByteToHex(static_cast<uint8_t>(n));
    ws.SerialSetTexts[ssIncrement] = std::to_string(reply[ssrIncrement]);
    ws.SerialSetTexts[ssTarget] = std::to_string(reply[ssrTarget]);
    ws.SerialSetupTexts[sstOrder] = std::to_string(reply[ssrOrder]);
    ws.SerialSetLoaded = true;
    return true;
}

bool DownloadSerialSet1Click(Workspace& ws, Notifier& notifier)
{
    if (ws.Status.SerialModeText != SerialMessages::Enable || !BuildSerialSetFrame(ws)) {
        notifier.Message(std::string(SerialMessages::SetupSerialFirst));
        return false;
    }
    ws.CommandCode = kSerialSetOperation;
    return true;
}
