#include "files/PicTranslation.h"

#include "platform/Notifier.h"

#include <algorithm>

namespace {

using R = PicTranslationRow;
constexpr PicTest Eq = PicTest::Equal;
constexpr PicTest Mk = PicTest::Masked;
constexpr PicTest Rg = PicTest::Range;

// 12-bit PIC words to the family-1 encoding. Byte rule: the destination bit
// moves from bit 5 to bit 7; bit rule: the bit number moves from bits 5-7 to 7-9.
constexpr std::array<R, 33> kPic12{{
    {"CLRW", 0x040, Eq, 0, 0, "CLRW  ", 0x1080, 0, 0, 0},
    {"NOP", 0x000, Eq, 0, 0, "NOP   ", 0x1000, 0, 0, 0},
    {"CLRWDT", 0x004, Eq, 0, 0, "CLRWT ", 0x1001, 0, 0, 0},
    {"OPTION", 0x002, Eq, 0, 0, "TMODE ", 0x1003, 0, 0, 0},
    {"SLEEP", 0x003, Eq, 0, 0, "SLEEP ", 0x1002, 0, 0, 0},
    {"CLRF", 0x060, Mk, 0xFFE0, 0x060, "CLRR  ", 0x1100, 0, 0, 0x1F},
    {"MOVWF", 0x020, Mk, 0xFFE0, 0x020, "STWR  ", 0x1180, 0, 0, 0x1F},
    {"TRIS", 0x000, Rg, 5, 7, "CPIO  ", 0x1000, 0, 0, 0x7},
    {"ADDWF", 0x1C0, Mk, 0xFFC0, 0x1C0, "ADDWR ", 0x1B00, 0x20, 2, 0x1F},
    {"ANDWF", 0x140, Mk, 0xFFC0, 0x140, "ANDWR ", 0x1200, 0x20, 2, 0x1F},
    {"COMF", 0x240, Mk, 0xFFC0, 0x240, "COMR  ", 0x1F00, 0x20, 2, 0x1F},
    {"DECF", 0x0C0, Mk, 0xFFC0, 0x0C0, "DECR  ", 0x1D00, 0x20, 2, 0x1F},
    {"DECFSZ", 0x2C0, Mk, 0xFFC0, 0x2C0, "DECRSZ", 0x1E00, 0x20, 2, 0x1F},
    {"INCF", 0x280, Mk, 0xFFC0, 0x280, "INCR  ", 0x1900, 0x20, 2, 0x1F},
    {"INCFSZ", 0x3C0, Mk, 0xFFC0, 0x3C0, "INCRSZ", 0x1A00, 0x20, 2, 0x1F},
    {"IORWF", 0x100, Mk, 0xFFC0, 0x100, "IORWR ", 0x1300, 0x20, 2, 0x1F},
    {"MOVF", 0x200, Mk, 0xFFC0, 0x200, "LDR   ", 0x1800, 0x20, 2, 0x1F},
    {"RLF", 0x340, Mk, 0xFFC0, 0x340, "RLR   ", 0x1500, 0x20, 2, 0x1F},
    {"RRF", 0x300, Mk, 0xFFC0, 0x300, "RRR   ", 0x1600, 0x20, 2, 0x1F},
    {"SUBWF", 0x080, Mk, 0xFFC0, 0x080, "SUBWR ", 0x1C00, 0x20, 2, 0x1F},
    {"SWAPF", 0x380, Mk, 0xFFC0, 0x380, "SWAPR ", 0x1700, 0x20, 2, 0x1F},
    {"XORWF", 0x180, Mk, 0xFFC0, 0x180, "XORWR ", 0x1400, 0x20, 2, 0x1F},
    {"BCF", 0x400, Mk, 0xFF00, 0x400, "BCR   ", 0x0000, 0xE0, 2, 0x1F},
    {"BSF", 0x500, Mk, 0xFF00, 0x500, "BSR   ", 0x0800, 0xE0, 2, 0x1F},
    {"BTFSC", 0x600, Mk, 0xFF00, 0x600, "BTSC  ", 0x0400, 0xE0, 2, 0x1F},
    {"BTFSS", 0x700, Mk, 0xFF00, 0x700, "BTSS  ", 0x0C00, 0xE0, 2, 0x1F},
    {"ANDLW", 0xE00, Mk, 0xFF00, 0xE00, "ANDWI ", 0x3400, 0, 0, 0xFF},
    {"CALL", 0x900, Mk, 0xFF00, 0x900, "CALL  ", 0x3000, 0, 0, 0xFF},
    {"IORLW", 0xD00, Mk, 0xFF00, 0xD00, "IORWI ", 0x3500, 0, 0, 0xFF},
    {"MOVLW", 0xC00, Mk, 0xFF00, 0xC00, "LDWI  ", 0x3A00, 0, 0, 0xFF},
    {"RETLW", 0x800, Mk, 0xFF00, 0x800, "RTWI  ", 0x3100, 0, 0, 0xFF},
    {"XORLW", 0xF00, Mk, 0xFF00, 0xF00, "XORWI ", 0x3600, 0, 0, 0xFF},
    {"GOTO", 0xA00, Mk, 0xA00, 0xA00, "JUMP  ", 0x3200, 0, 0, 0x1FF},
}};

// 14-bit PIC words to the family-2 encoding: register numbers, the
// destination bit and bit numbers keep their positions.
constexpr std::array<R, 37> kPic14{{
    {"CLRW", 0x0100, Mk, 0xFF80, 0x0100, "CLRW  ", 0x2180, 0, 0, 0},
    {"NOP", 0x0000, Mk, 0xFF9F, 0x0000, "NOP   ", 0x2000, 0, 0, 0},
    {"CLRWDT", 0x0064, Eq, 0, 0, "CLRWT ", 0x200A, 0, 0, 0},
    {"OPTION", 0x0062, Eq, 0, 0, "TMODE ", 0x200C, 0, 0, 0},
    {"SLEEP", 0x0063, Eq, 0, 0, "SLEEP ", 0x200B, 0, 0, 0},
    {"RETFIE", 0x0009, Eq, 0, 0, "RETI  ", 0x200E, 0, 0, 0},
    {"RETURN", 0x0008, Eq, 0, 0, "RET   ", 0x200D, 0, 0, 0},
    {"CLRF", 0x0180, Mk, 0xFF80, 0x0180, "CLRR  ", 0x2080, 0, 0, 0x7F},
    {"MOVWF", 0x0080, Mk, 0xFF80, 0x0080, "MOVWM  ", 0x2100, 0, 0, 0x7F},
    {"TRIS", 0x0060, Rg, 0x65, 0x67, "CPIO  ", 0x2000, 0, 0, 0x7},
    {"ADDWF", 0x0700, Mk, 0xFF00, 0x0700, "ADDWR ", 0x2F00, 0, 0, 0xFF},
    {"ANDWF", 0x0500, Mk, 0xFF00, 0x0500, "ANDWR ", 0x2B00, 0, 0, 0xFF},
    {"COMF", 0x0900, Mk, 0xFF00, 0x0900, "COMR  ", 0x2E00, 0, 0, 0xFF},
    {"DECF", 0x0300, Mk, 0xFF00, 0x0300, "DECR  ", 0x2400, 0, 0, 0xFF},
    {"DECFSZ", 0x0B00, Mk, 0xFF00, 0x0B00, "DECRSZ", 0x2300, 0, 0, 0xFF},
    {"INCF", 0x0A00, Mk, 0xFF00, 0x0A00, "INCR  ", 0x2200, 0, 0, 0xFF},
    {"INCFSZ", 0x0F00, Mk, 0xFF00, 0x0F00, "INCRSZ", 0x2500, 0, 0, 0xFF},
    {"IORWF", 0x0400, Mk, 0xFF00, 0x0400, "IORWR ", 0x2A00, 0, 0, 0xFF},
    {"MOVF", 0x0800, Mk, 0xFF00, 0x0800, "LDR   ", 0x2900, 0, 0, 0xFF},
    {"RLF", 0x0D00, Mk, 0xFF00, 0x0D00, "RLR   ", 0x2700, 0, 0, 0xFF},
    {"RRF", 0x0C00, Mk, 0xFF00, 0x0C00, "RRR   ", 0x2800, 0, 0, 0xFF},
    {"SUBWF", 0x0200, Mk, 0xFF00, 0x0200, "SUBWR ", 0x2C00, 0, 0, 0xFF},
    {"SWAPF", 0x0E00, Mk, 0xFF00, 0x0E00, "SWAPR ", 0x2600, 0, 0, 0xFF},
    {"XORWF", 0x0600, Mk, 0xFF00, 0x0600, "XORWR ", 0x2D00, 0, 0, 0xFF},
    {"BCF", 0x1000, Mk, 0xFC00, 0x1000, "BCR   ", 0x0800, 0, 0, 0x3FF},
    {"BSF", 0x1400, Mk, 0xFC00, 0x1400, "BSR   ", 0x0000, 0, 0, 0x3FF},
    {"BTFSC", 0x1800, Mk, 0xFC00, 0x1800, "BTSC  ", 0x0C00, 0, 0, 0x3FF},
    {"BTFSS", 0x1C00, Mk, 0xFC00, 0x1C00, "BTSS  ", 0x0400, 0, 0, 0x3FF},
    {"ANDLW", 0x3900, Mk, 0xFF00, 0x3900, "ANDWI ", 0x3800, 0, 0, 0xFF},
    {"IORLW", 0x3800, Mk, 0xFF00, 0x3800, "IORWI ", 0x3200, 0, 0, 0xFF},
    {"XORLW", 0x3A00, Mk, 0xFF00, 0x3A00, "XORWI ", 0x3300, 0, 0, 0xFF},
    {"ADDLW", 0x3E00, Mk, 0xFE00, 0x3E00, "ADDWI ", 0x3500, 0, 0, 0xFF},
    {"SUBLW", 0x3C00, Mk, 0xFE00, 0x3C00, "SUBWI ", 0x3400, 0, 0, 0xFF},
    {"MOVLW", 0x3000, Mk, 0xFC00, 0x3000, "LDWI  ", 0x3600, 0, 0, 0xFF},
    {"RETLW", 0x3400, Mk, 0xFC00, 0x3400, "RTWI  ", 0x3700, 0, 0, 0xFF},
    {"CALL", 0x2000, Mk, 0xF800, 0x2000, "LCALL ", 0x1000, 0, 0, 0x7FF},
    {"GOTO", 0x2800, Mk, 0xF800, 0x2800, "LJUMP ", 0x1800, 0, 0, 0x7FF},
}};

bool Matches(const PicTranslationRow& row, uint32_t w)
{
    switch (row.Test) {
    case PicTest::Equal: return w == row.PicOpcode;
    case PicTest::Masked: return (w & row.TestMask) == row.TestValue;
    case PicTest::Range: return w >= row.TestMask && w <= row.TestValue;
    }
    return false;
}

// A word of 0x1000 to 0x3FFF: one only a 14-bit program holds.
bool IsFourteenBitWord(uint8_t high)
{
    return (high & 0x30) != 0 && (high & 0xC0) == 0;
}

bool HasFourteenBitWord(const std::array<uint8_t, 32768>& program, uint32_t romBytes)
{
    const uint32_t end = std::min<uint32_t>(romBytes, 32768);
    for (uint32_t i = 0; i + 1 < end; i += 2) {
        if (IsFourteenBitWord(program[i + 1])) return true;
    }
    return false;
}

void Convert(std::span<const PicTranslationRow> table, std::array<uint8_t, 32768>& program, int fileBytesRead)
{
    const int end = std::clamp(fileBytesRead, 0, 32768);
    for (int i = 0; i < end; i += 2) {
        const uint32_t w = program[i] | (static_cast<uint32_t>(program[i + 1]) << 8);
        if (w == 0xFFFF) continue;
        const uint32_t t = TranslatePicWord(table, w);
        program[i] = static_cast<uint8_t>(t & 0xFF);
        program[i + 1] = static_cast<uint8_t>((t >> 8) & 0xFF);
    }
}

} // namespace

std::span<const PicTranslationRow> Pic12BitTable() { return kPic12; }
std::span<const PicTranslationRow> Pic14BitTable() { return kPic14; }

uint32_t TranslatePicWord(std::span<const PicTranslationRow> table, uint32_t word)
{
    for (const auto& row : table) {
        if (Matches(row, word)) {
            return row.DeviceOpcode | ((word & row.MoveMask) << row.MoveShift) | (word & row.KeepMask);
        }
    }
    return word;
}

void Pic5xToKrv(std::array<uint8_t, 32768>& program, int fileBytesRead, uint32_t romBytes, bool showWarning,
                Notifier& notifier)
{
    if (HasFourteenBitWord(program, romBytes) && showWarning)
        notifier.Message("Warning: File format error !(14 bit)");
    Convert(kPic12, program, fileBytesRead);
}

void Pic6x7xToKrvQL(std::array<uint8_t, 32768>& program, int fileBytesRead, uint32_t romBytes,
                    bool showWarning, Notifier& notifier)
{
    if (!HasFourteenBitWord(program, romBytes) && showWarning)
        notifier.Message("Warning: File format error !(12 bit)");
    Convert(kPic14, program, fileBytesRead);
}
