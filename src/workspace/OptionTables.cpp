// Option texts and groups. Only the groups that the catalogue's devices use
// carry rows; the other groups of a table are kept as empty runs (two markers
// in a row) so that the group numbers the catalogue names stay valid.
#include "workspace/OptionTables.h"

namespace {

constexpr OptionTextRow M{kOptionMarkerValue, kOptionMarkerText};

// Item 1: groups 1-19 empty, group 20 the oscillator type.
constexpr OptionTextRow OptionTextTable1[] = {
    M, M, M, M, M, M, M, M, M, M, M, M, M, M, M, M, M, M, M, M,
    {0x000F, "OSC Type:"},
    {0x000F, "Blank"},
    {0x0006, "HF"},
    {0x0005, "XT"},
    {0x0009, "LF"},
    {0x000A, "RC"},
    M,
};

constexpr OptionTextRow OptionTextTable2[] = {M};

// Item 3: groups 1-16 empty, group 17 the power-up timer.
constexpr OptionTextRow OptionTextTable3[] = {
    M, M, M, M, M, M, M, M, M, M, M, M, M, M, M, M, M,
    {0x0030, "PUT:"},
    {0x0030, "Blank"},
    {0x0020, "0mS"},
    {0x0010, "75mS"},
    M,
};

// Item 4: groups 1-9 empty, group 10 the watchdog.
constexpr OptionTextRow OptionTextTable4[] = {
    M, M, M, M, M, M, M, M, M, M,
    {0x00C0, "WDT:"},
    {0x00C0, "Blank"},
    {0x0080, "Disable"},
    {0x0040, "Enable"},
    M,
};

// Item 5: groups 1-13 empty, group 14 the low-voltage detector.
constexpr OptionTextRow OptionTextTable5[] = {
    M, M, M, M, M, M, M, M, M, M, M, M, M, M,
    {0x0F00, "PED:"},
    {0x0F00, "Blank"},
    {0x0A00, "Disable"},
    {0x0900, "Low level"},
    {0x0600, "Mid. level"},
    {0x0500, "High level"},
    M,
};

// Item 6: group 1 empty, group 2 the code protection. It has no "Blank"
// choice: an erased chip reads "Disable".
constexpr OptionTextRow OptionTextTable6[] = {
    M, M,
    {0x2000, "Security:"},
    {0x2000, "Disable"},
    {0x0000, "Enable"},
    M,
};

constexpr OptionTextRow OptionTextTable7[] = {M};
constexpr OptionTextRow OptionTextTable8[] = {M};
constexpr OptionTextRow OptionTextTable9[] = {M};
constexpr OptionTextRow OptionTextTable10[] = {M};
constexpr OptionTextRow OptionTextTable11[] = {M};
constexpr OptionTextRow OptionTextTable12[] = {M};
constexpr OptionTextRow OptionTextTable13[] = {M};

constexpr std::span<const OptionTextRow> kTables[kOptionItemCount] = {
    OptionTextTable1, OptionTextTable2,  OptionTextTable3,  OptionTextTable4,  OptionTextTable5,
    OptionTextTable6, OptionTextTable7,  OptionTextTable8,  OptionTextTable9,  OptionTextTable10,
    OptionTextTable11, OptionTextTable12, OptionTextTable13,
};

// Row 47 is the row of every catalogue device; the other rows serve devices
// outside the catalogue and are kept without items.
constexpr OptionSelectRow OptionGroupTable[kOptionGroupRowCount] = {
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {},   // 0-9
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {},   // 10-19
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {},   // 20-29
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {},   // 30-39
    {}, {}, {}, {}, {}, {}, {},               // 40-46
    {20, 0, 17, 10, 14, 2, 0, 0, 0, 0, 0, 0, 0},   // 47
    {}, {}, {}, {}, {},                       // 48-52
};

// Every table starts and ends with a marker.
constexpr bool TablesAreClosed()
{
    for (const auto& t : kTables) {
        if (t.empty() || t.front().Value != kOptionMarkerValue || t.back().Value != kOptionMarkerValue)
            return false;
    }
    return true;
}
static_assert(TablesAreClosed());

}  // namespace

std::span<const OptionTextRow> OptionTextTable(int item)
{
    if (item < 1 || item > static_cast<int>(kOptionItemCount)) return {};
    return kTables[item - 1];
}

const OptionSelectRow* OptionGroupRow(uint32_t index)
{
    if (index >= kOptionGroupRowCount) return nullptr;
    return &OptionGroupTable[index];
}
