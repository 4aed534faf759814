// Translation of PIC-style instruction words (".hex" and ".obj" files) into
// the device's own encoding: 12-bit words for family 1, 14-bit words for
// family 2. Each row pairs a PIC instruction with the device instruction
// that does the same; the first row whose test holds translates a word.
#pragma once

#include <array>
#include <cstdint>
#include <span>

class Notifier;

enum class PicTest : uint8_t {
    Equal,    // w == PicOpcode
    Masked,   // (w & TestMask) == TestValue
    Range,    // TestMask <= w <= TestValue
};

struct PicTranslationRow {
    const char* PicMnemonic;
    uint32_t PicOpcode;
    PicTest Test;
    uint32_t TestMask;
    uint32_t TestValue;
    const char* DeviceMnemonic;   // padded with blanks to six characters
    uint32_t DeviceOpcode;
    // result = DeviceOpcode | ((w & MoveMask) << MoveShift) | (w & KeepMask)
    uint32_t MoveMask;
    uint32_t MoveShift;
    uint32_t KeepMask;
};

std::span<const PicTranslationRow> Pic12BitTable();   // 33 rows
std::span<const PicTranslationRow> Pic14BitTable();   // 37 rows

// The device word for one PIC word; a word no row matches is returned as it is.
uint32_t TranslatePicWord(std::span<const PicTranslationRow> table, uint32_t word);

// In-place conversions of the file-layout words at byte offsets 0, 2, ...
// below fileBytesRead (FFFF words are left alone). The width warning looks
// at the words below romBytes and is shown only when showWarning is set.
void Pic5xToKrv(std::array<uint8_t, 32768>& program, int fileBytesRead, uint32_t romBytes, bool showWarning,
                Notifier& notifier);
void Pic6x7xToKrvQL(std::array<uint8_t, 32768>& program, int fileBytesRead, uint32_t romBytes,
                    bool showWarning, Notifier& notifier);
