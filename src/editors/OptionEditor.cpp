#include "editors/OptionEditor.h"

#include "workspace/OptionModel.h"
#include "workspace/OptionTables.h"
#include "workspace/Workspace.h"

OptionEditorItems LoadOptionEditorItems(Workspace& ws, uint32_t optionValue, Notifier* notifier)
{
    OptionEditorItems items;
    for (int n = 1; n <= static_cast<int>(kOptionEditorItems); ++n) {
        OptionEditorItem& item = items[static_cast<std::size_t>(n - 1)];
        if (ws.OptionSetNo[static_cast<std::size_t>(n - 1)] == 0) continue;
        if (!GetOptData(ws, n, 0, notifier)) continue;
        item.Present = true;
        item.Title = ws.OptText;
        item.Mask = ws.OptValue;
        for (int k = 1; GetOptData(ws, n, k, notifier) && ws.OptValue != kOptionMarkerValue; ++k) {
            if (ws.OptValue == (optionValue & item.Mask)) item.Selected = k - 1;
            item.Choices.push_back({ws.OptValue, ws.OptText});
        }
    }
    return items;
}

uint32_t ChooseOption(uint32_t optionValue, const OptionEditorItem& item, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= item.Choices.size()) return optionValue;
    return (optionValue & ~item.Mask) | item.Choices[static_cast<std::size_t>(index)].Value;
}

void StoreOptionValue(Workspace& ws, uint32_t optionValue)
{
    ws.OptionChanged = true;
    const uint32_t shift = ws.WordShift;
    ws.OptionWords[0] = static_cast<uint8_t>(optionValue & ws.BlankMaskLow);
    ws.OptionWords[1] = static_cast<uint8_t>((optionValue >> shift) & ws.BlankMaskHigh);
    ws.OptionWords[2] = static_cast<uint8_t>((optionValue >> 16) & ws.BlankMaskLow);
    ws.OptionWords[3] = static_cast<uint8_t>((optionValue >> (shift + 16)) & ws.BlankMaskHigh);
}
