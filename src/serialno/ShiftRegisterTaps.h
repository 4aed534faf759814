// Feedback taps of the pseudo-random serial number: one row per byte count.
// The register is 8n bits wide and shifts toward its most significant bit;
// each row's polynomial is primitive, so every value but all ones is visited
// before the sequence repeats. Every row has an even number of taps, which
// makes all ones the register's lock-up value.
#pragma once

#include <array>
#include <cstdint>

struct ShiftRegisterTapRow {
    uint32_t ByteCount;
    uint32_t TapCount;
    std::array<uint8_t, 6> Taps;  // bit numbers of the whole number V
};

inline constexpr std::array<ShiftRegisterTapRow, 8> ShiftRegisterTapTable{{
    {1, 4, {7, 3, 2, 1}},           // x^8 + x^4 + x^3 + x^2 + 1
    {2, 4, {15, 4, 2, 1}},          // x^16 + x^5 + x^3 + x^2 + 1
    {3, 4, {23, 3, 2, 0}},          // x^24 + x^4 + x^3 + x + 1
    {4, 6, {31, 6, 4, 2, 1, 0}},    // x^32 + x^7 + x^5 + x^3 + x^2 + x + 1
    {5, 4, {39, 4, 3, 2}},          // x^40 + x^5 + x^4 + x^3 + 1
    {6, 6, {47, 6, 4, 3, 1, 0}},    // x^48 + x^7 + x^5 + x^4 + x^2 + x + 1
    {7, 4, {55, 6, 3, 1}},          // x^56 + x^7 + x^4 + x^2 + 1
    {8, 4, {63, 3, 2, 0}},          // x^64 + x^4 + x^3 + x + 1
}};

// The tap row for a byte count, or null outside 1 to 8.
constexpr const ShiftRegisterTapRow* FindShiftRegisterTaps(uint32_t byteCount)
{
    for (const auto& row : ShiftRegisterTapTable)
        if (row.ByteCount == byteCount) return &row;
    return nullptr;
}
