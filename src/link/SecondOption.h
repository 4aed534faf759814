// The second option set: how the dialog's choices and the chip's option
// values make the 20 words of the option area (words 00h..13h) to write,
// where the option 2 select bits go, and how a read-back is judged.
//
// All of it works on copies: the dialog keeps its own composition, so the
// main window's option words and option-area buffers never change here.
#pragma once

#include "workspace/Workspace.h"

#include <array>
#include <cstdint>
#include <string>

constexpr std::size_t kOptionAreaBytes = 40;   // words 00h..13h, (low, high) pairs
using OptionAreaBytes = std::array<uint8_t, kOptionAreaBytes>;
using OptionWordBytes = std::array<uint8_t, 8>;   // four words, (low, high) pairs

// The device's word layout, taken from the workspace once.
struct OptionLayout {
    uint8_t BlankMaskLow = 0x7F;
    uint8_t BlankMaskHigh = 0x7F;
    uint8_t WordShift = 7;
    uint32_t DeviceFamily = 2;
    uint32_t OptionBlankMask0 = 0x2FFF;

    static OptionLayout Of(const Workspace& ws);
};

// Entries of the radio groups; -1 is "no entry selected".
enum SourceEntry : int {
    kNoEntry = -1,
    kKeepOrCopy = 0,   // "Keep user options" (10h) / "Copy from IC addr 0Nh" (11h..13h)
    kWriteNew = 1,     // "Write new options" (10h) / "Write new value" (11h..13h)
};

// The option 2 select bits: item indexes of cbOption2Addr ("11h", "12h",
// "13h"), cbOption2Bit ("(1,0)" .. "(13,12)") and cbOption2Val ("(1,0)",
// "(0,1)"); -1 is "no entry". The dialog opens at "12h", "(13,12)", "(1,0)".
struct SelectBits {
    int Address = 1;
    int Bit = 6;
    int Value = 0;
};

// What the dialog's controls hold.
struct OptionChoices {
    uint32_t NewOptionValue = 0xFFFFFFFFu;   // word 0 in bits 0..15, word 1 in 16..31
    int A10h = kWriteNew;                    // rgA10h
    std::array<int, 3> A1xh{kKeepOrCopy, kKeepOrCopy, kKeepOrCopy};   // rgA11h..rgA13h
    std::array<std::string, 3> EditText;     // edData11h..edData13h
    SelectBits Select;
};

// The chip's values as last read in the dialog, masked by the layout.
struct ChipOptions {
    ChipOptions() { IcBodyData0.fill(0xFF); IcBodyData1.fill(0xFF); }
    OptionWordBytes IcUserData{};     // user option words 00h..03h (area 1)
    OptionWordBytes IcBodyData0;      // option-area words 00h..03h
    OptionWordBytes IcBodyData1;      // option-area words 10h..13h
    bool Read = false;                // both reads of a run in this dialog filled them
};

struct OptionComposition {
    std::array<uint8_t, 4> NewOptionBytes{};   // the new option words 0 and 1 (stData10h)
    OptionWordBytes BodyData0{};               // words 00h..03h as written
    OptionWordBytes BodyData1{};               // words 10h..13h as composed
    OptionAreaBytes Image{};                   // OptionAreaImage: the 20 words to write
};

// b0 = V & low mask, b1 = (V >> shift) & high mask, b2, b3 likewise from V >> 16.
std::array<uint8_t, 4> SplitOptionValue(const OptionLayout& layout, uint32_t value);
// The inverse for the first four bytes of user option words.
uint32_t JoinOptionValue(const OptionLayout& layout, const OptionWordBytes& words);

// The option value that "User options in IC" decodes: the words read from
// the chip, or the blank value before any read.
uint32_t IcOptionValue(const OptionLayout& layout, const ChipOptions& chip);

// The 20 words to write. Word 10h is the new option word 0 or, with "Keep
// user options", the chip's word 00h; words 11h..13h are the chip's words
// 01h..03h or the typed values ("LL HH" in hexadecimal, blank masks for a
// missing byte); then the select bits are merged into their word. Words
// 00h..03h are the chip's own, as read, so writing the area leaves them as
// they were; words 04h..0Fh are 0xFF. Family 3 sets 0x70 in the high bytes
// of words 00h..03h and 10h..13h.
OptionComposition ComposeOptionArea(const OptionLayout& layout, const OptionChoices& choices,
                                    const ChipOptions& chip);

// The (low, high) byte of one typed word: first and second token of the
// text in hexadecimal, low 8 bits of each, blank masks when missing.
std::array<uint8_t, 2> ParseWordText(const OptionLayout& layout, const std::string& text);

// True when the chip's word (11h, 12h or 13h) already carries the chosen
// select bits; false when no address is chosen.
bool SelectBitsUsed(const OptionLayout& layout, const SelectBits& select, const OptionWordBytes& icBodyData1);

// Whether the read-back option area (masked as read) holds what was written
// in every composed word 10h..13h: word 10h under the used bits of option
// word 0, words 11h..13h under the blank masks.
bool VerifyOptionArea(const OptionLayout& layout, const OptionAreaBytes& written, const OptionAreaBytes& readBack);

// Bytes as two-digit upper-case hexadecimal numbers joined by single blanks.
std::string HexBytes(const uint8_t* bytes, std::size_t count);
