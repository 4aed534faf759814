#include "link/SerialSetFrame.h"

#include "app/Checksum.h"

#include <cstdlib>
#include <string>

namespace {

uint8_t HexPair(Workspace& ws, const std::string& text, std::size_t at)
{
    return static_cast<uint8_t>(HexToInt(ws, at < text.size() ? text.substr(at, 2) : std::string()));
}

uint8_t AsciiSerialByte(char c)
{
    if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
    return static_cast<uint8_t>(static_cast<uint8_t>(c) - 0x37);
}

// n value bytes, most significant first, right-aligned in frame[at..at+7].
void PutValue(Workspace& ws, std::array<uint8_t, kSerialSetFrameSize>& frame, std::size_t at,
              const std::string& text, uint32_t n, bool ascii)
{
    for (uint32_t i = 0; i < n; ++i) {
        uint8_t byte = 0;
        if (ascii) byte = i < text.size() ? AsciiSerialByte(text[i]) : 0;
        else byte = HexPair(ws, text, 2 * i);
        frame[at + 8 - n + i] = byte;
    }
}

}  // namespace

std::array<uint8_t, kSerialSetFrameSize> BuildSerialSetFrame(Workspace& ws)
{
    const auto& texts = ws.SerialSetupTexts;
    std::array<uint8_t, kSerialSetFrameSize> frame{};
    frame[0] = SerialSetCommand;
    frame[1] = 0x00;
    frame[2] = HexPair(ws, texts[0], 0);
    frame[3] = HexPair(ws, texts[0], 2);
    uint32_t n = HexToInt(ws, texts[1]);
    if (n < 1) n = 1;      // the eight value bytes hold at most eight
    if (n > 8) n = 8;
    frame[4] = static_cast<uint8_t>(n);
    frame[5] = static_cast<uint8_t>(std::strtoul(texts[4].c_str(), nullptr, 10));
    const bool ascii = texts[7] == "2";
    PutValue(ws, frame, 6, texts[2], n, ascii);
    PutValue(ws, frame, 14, texts[3], n, ascii);
    frame[22] = static_cast<uint8_t>(HexToInt(ws, texts[5]));
    frame[23] = static_cast<uint8_t>(std::strtoul(texts[6].c_str(), nullptr, 10));
    frame[24] = static_cast<uint8_t>(std::strtoul(texts[7].c_str(), nullptr, 10));
    return frame;
}

SerialSetOutcome ProgramSN(Workspace& ws, const LinkContext& context)
{
    const auto frame = BuildSerialSetFrame(ws);
    SendByte(ws, frame[0]);
    DelayIn10ms(1, context);
    SendBytes(ws, frame.data() + 1, frame.size() - 1);
    uint8_t reply = 0;
    if (WaitForByte(ws, reply, context) != WaitResult::Byte) return SerialSetOutcome::Timeout;
    return reply == wrWriteComplete ? SerialSetOutcome::Pass : SerialSetOutcome::Refused;
}
