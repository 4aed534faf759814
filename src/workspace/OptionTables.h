// The option model's stored data: for each of the 13 option items a table of
// (value, text) rows in groups, and the group table that gives each option
// set the group number of every item.
//
// Layout of an item's table: row 0 is a marker; every group ends with a
// marker, so the table ends with one too. Group g is the run of rows after
// the g-th marker up to the next one: its row 0 is the title (value = the
// item's bit mask, text = the caption), rows 1, 2, ... are the choices.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct OptionTextRow {
    uint32_t Value;
    const char* Text;
};

// A marker row: value 0xFFFFFFFF, text "Error".
constexpr uint32_t kOptionMarkerValue = 0xFFFFFFFFu;
constexpr const char* kOptionMarkerText = "Error";

constexpr std::size_t kOptionItemCount = 13;
constexpr std::size_t kOptionGroupRowCount = 53;

// Byte k-1 is the group number of item k in its table, 0 = item absent.
using OptionSelectRow = std::array<uint8_t, kOptionItemCount>;

// The table of option item 1..13; an empty span for any other item.
std::span<const OptionTextRow> OptionTextTable(int item);

// Row of the option-group table, or null for an index past its last row.
const OptionSelectRow* OptionGroupRow(uint32_t index);
