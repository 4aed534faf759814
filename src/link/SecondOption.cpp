#include "link/SecondOption.h"

#include "workspace/Checksum.h"

#include <cctype>
#include <sstream>

namespace {

// Word 10h is at byte 32 of the area (after words 00h..0Fh); 11h..13h follow it.
constexpr std::size_t kWord10h = 32;
constexpr uint8_t kFamily3HighBits = 0x70;

// The value of one hexadecimal token: a character that is not a digit makes
// it 0, as the workspace's hex parser reads it.
uint32_t HexToken(const std::string& token)
{
    uint32_t value = 0;
    for (char c : token) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return 0;
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

struct SelectMasks {
    uint32_t ML, VL, MH, VH;
};

// M = 3 << s and V = v << s split into their low-byte and high-byte parts.
bool SelectMasksOf(const OptionLayout& layout, const SelectBits& select, SelectMasks& out)
{
    if (select.Address < 0 || select.Address > 2 || select.Bit < 0 || select.Bit > 6) return false;
    const uint32_t s = 2u * static_cast<uint32_t>(select.Bit);
    const uint32_t v = select.Value == 0 ? 2u : 1u;   // "(1,0)" sets the higher bit of the pair
    const uint32_t m = 3u << s;
    const uint32_t value = v << s;
    out = {m & layout.BlankMaskLow, value & layout.BlankMaskLow, m >> layout.WordShift, value >> layout.WordShift};
    return true;
}

}  // namespace

OptionLayout OptionLayout::Of(const Workspace& ws)
{
    return OptionLayout{ws.BlankMaskLow, ws.BlankMaskHigh, ws.WordShift, ws.DeviceFamily, ws.OptionBlankMask0};
}

std::array<uint8_t, 4> SplitOptionValue(const OptionLayout& layout, uint32_t value)
{
    return {static_cast<uint8_t>(value & layout.BlankMaskLow),
            static_cast<uint8_t>((value >> layout.WordShift) & layout.BlankMaskHigh),
            static_cast<uint8_t>((value >> 16) & layout.BlankMaskLow),
            static_cast<uint8_t>((value >> (layout.WordShift + 16)) & layout.BlankMaskHigh)};
}

uint32_t JoinOptionValue(const OptionLayout& layout, const OptionWordBytes& words)
{
    auto word = [&](std::size_t i) {
        return (words[i] & layout.BlankMaskLow) +
               (static_cast<uint32_t>(words[i + 1] & layout.BlankMaskHigh) << layout.WordShift);
    };
    return word(0) | (word(2) << 16);
}

uint32_t IcOptionValue(const OptionLayout& layout, const ChipOptions& chip)
{
    return chip.Read ? JoinOptionValue(layout, chip.IcUserData) : 0xFFFFFFFFu;
}

std::array<uint8_t, 2> ParseWordText(const OptionLayout& layout, const std::string& text)
{
    std::istringstream tokens(text);   // splits at blanks, tabs, CR and LF
    std::string first, second;
    tokens >> first >> second;
    return {first.empty() ? layout.BlankMaskLow : static_cast<uint8_t>(HexToken(first) & 0xFF),
            second.empty() ? layout.BlankMaskHigh : static_cast<uint8_t>(HexToken(second) & 0xFF)};
}

OptionComposition ComposeOptionArea(const OptionLayout& layout, const OptionChoices& choices, const ChipOptions& chip)
{
    OptionComposition c;
    c.NewOptionBytes = SplitOptionValue(layout, choices.NewOptionValue);

    // Word 10h: the new options, or the chip's user word 00h kept.
    const bool keep = choices.A10h == kKeepOrCopy;
    c.BodyData1[0] = keep ? chip.IcBodyData0[0] : c.NewOptionBytes[0];
    c.BodyData1[1] = keep ? chip.IcBodyData0[1] : c.NewOptionBytes[1];

    // Words 11h..13h: copied from the chip's 01h..03h or typed.
    for (std::size_t w = 1; w <= 3; ++w) {
        if (choices.A1xh[w - 1] == kKeepOrCopy) {
            c.BodyData1[2 * w] = chip.IcBodyData0[2 * w];
            c.BodyData1[2 * w + 1] = chip.IcBodyData0[2 * w + 1];
        } else {
            const auto typed = ParseWordText(layout, choices.EditText[w - 1]);
            c.BodyData1[2 * w] = typed[0];
            c.BodyData1[2 * w + 1] = typed[1];
        }
    }

    // The select bits go over whatever the word's source gave.
    SelectMasks m{};
    if (SelectMasksOf(layout, choices.Select, m)) {
        const std::size_t at = 2 * (static_cast<std::size_t>(choices.Select.Address) + 1);
        c.BodyData1[at] = static_cast<uint8_t>((c.BodyData1[at] & ~m.ML) | m.VL);
        c.BodyData1[at + 1] = static_cast<uint8_t>((c.BodyData1[at + 1] & ~m.MH) | m.VH);
    }

    c.BodyData0 = chip.IcBodyData0;
    c.Image.fill(0xFF);
    for (std::size_t i = 0; i < c.BodyData0.size(); ++i) {
        c.Image[i] = c.BodyData0[i];
        c.Image[kWord10h + i] = c.BodyData1[i];
        if (layout.DeviceFamily == 3 && (i & 1) != 0) {
            c.Image[i] |= kFamily3HighBits;
            c.Image[kWord10h + i] |= kFamily3HighBits;
        }
    }
    return c;
}

bool SelectBitsUsed(const OptionLayout& layout, const SelectBits& select, const OptionWordBytes& icBodyData1)
{
    SelectMasks m{};
    if (!SelectMasksOf(layout, select, m)) return false;
    const std::size_t at = 2 * (static_cast<std::size_t>(select.Address) + 1);
    return (icBodyData1[at] & m.ML) == m.VL && (icBodyData1[at + 1] & m.MH) == m.VH;
}

bool VerifyOptionArea(const OptionLayout& layout, const OptionAreaBytes& written, const OptionAreaBytes& readBack)
{
    for (std::size_t w = 0; w < 4; ++w) {
        uint32_t maskLow = layout.BlankMaskLow;
        uint32_t maskHigh = layout.BlankMaskHigh;
        if (w == 0) {
            maskLow &= layout.OptionBlankMask0;
            maskHigh &= layout.OptionBlankMask0 >> layout.WordShift;
        }
        const std::size_t at = kWord10h + 2 * w;
        if ((written[at] & maskLow) != (readBack[at] & maskLow)) return false;
        if ((written[at + 1] & maskHigh) != (readBack[at + 1] & maskHigh)) return false;
    }
    return true;
}

std::string HexBytes(const uint8_t* bytes, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) text += ' ';
        text += ByteToHex(bytes[i]);
    }
    return text;
}
