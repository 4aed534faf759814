// The OPTION editor's rules: the items of the selected device with their
// titles and choices, which choice the current value names, the value after
// a choice, and the value written back into option words 0 and 1.
//
// The value being edited packs the two words into 32 bits: bits 0-15 word 0,
// bits 16-31 word 1, each as (high byte << WordShift) + low byte. A choice
// changes only the bits of its item's mask.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Workspace;
class Notifier;

constexpr std::size_t kOptionEditorItems = 13;

struct OptionChoice {
    uint32_t Value = 0;
    std::string Text;
};

struct OptionEditorItem {
    bool Present = false;         // the device has this item
    std::string Title;            // e.g. "OSC Type:"
    uint32_t Mask = 0;            // the item's bits in the value
    std::vector<OptionChoice> Choices;
    int Selected = -1;            // the choice the value names (the last that matches); -1: none
};

using OptionEditorItems = std::array<OptionEditorItem, kOptionEditorItems>;

// The device's items (1..13 at [0..12]) as the option model gives them,
// each with the choice that optionValue names.
OptionEditorItems LoadOptionEditorItems(Workspace& ws, uint32_t optionValue, Notifier* notifier = nullptr);

// The value after choosing entry `index` of an item; an index that names no
// choice leaves the value as it is.
uint32_t ChooseOption(uint32_t optionValue, const OptionEditorItem& item, int index);

// OK: option words 0 and 1 from the value, each byte within the blank
// masks; OptionChanged set. Option words 2 and 3 are not touched.
void StoreOptionValue(Workspace& ws, uint32_t optionValue);
