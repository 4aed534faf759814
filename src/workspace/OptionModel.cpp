#include "workspace/OptionModel.h"

#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionTables.h"
#include "platform/Notifier.h"

#include <algorithm>

namespace {

// A group is looked for within this many rows of a table.
constexpr std::size_t kMaxScanRows = 501;

}  // namespace

bool GetOptData(Workspace& ws, int item, int index, Notifier* notifier)
{
    if (item < 1 || item > static_cast<int>(kOptionItemCount) || index < 0) return false;
    const std::span<const OptionTextRow> table = OptionTextTable(item);
    const uint8_t group = ws.OptionSetNo[static_cast<std::size_t>(item - 1)];

    uint32_t count = 0;
    const std::size_t limit = std::min(table.size(), kMaxScanRows);
    for (std::size_t row = 0; row < limit; ++row) {
        if (table[row].Value == kOptionMarkerValue) ++count;
        if (group != 0 && count == group) {
            // row is the group's opening marker; its title follows it.
            const std::size_t target = row + 1 + static_cast<std::size_t>(index);
            if (target < table.size()) {
                ws.OptText = table[target].Text;
                ws.OptValue = table[target].Value;
            } else {
                ws.OptText = kOptionMarkerText;
                ws.OptValue = kOptionMarkerValue;
            }
            return true;
        }
    }
    if (notifier) notifier->Message("Can not find Option item");
    return false;
}

uint32_t ComposeOptionValue(const Workspace& ws)
{
    const uint32_t shift = ws.WordShift;
    return (ws.OptionWords[0] & ws.BlankMaskLow) +
           (static_cast<uint32_t>(ws.OptionWords[1] & ws.BlankMaskHigh) << shift) +
           (static_cast<uint32_t>(ws.OptionWords[2] & ws.BlankMaskLow) << 16) +
           (static_cast<uint32_t>(ws.OptionWords[3] & ws.BlankMaskHigh) << (shift + 16));
}

std::string OptionValueText(const Workspace& ws)
{
    return ByteToHex(ws.OptionWords[0]) + " " + ByteToHex(ws.OptionWords[1]) + " " + ByteToHex(ws.OptionWords[2]) +
           " " + ByteToHex(ws.OptionWords[3]);
}

void UpdateOption(Workspace& ws, Notifier* notifier)
{
    StatusPanel& st = ws.Status;
    for (std::size_t k = 0; k < 6; ++k) st.OptionItems[k].ValueVisible = true;

    // Force the words to the device. Without a valid catalogue row there is
    // nothing to force them to, and the words are decoded as they are.
    if (const DeviceTableRow* row = DeviceRow(ws.DeviceIndex)) {
        const uint32_t shift = ws.WordShift;
        auto force = [&](uint8_t& low, uint8_t& high, uint32_t mask, uint32_t fixed) {
            low = static_cast<uint8_t>((low & mask & ws.BlankMaskLow) | (fixed & ws.BlankMaskLow));
            high = static_cast<uint8_t>((high & ((mask >> shift) & ws.BlankMaskHigh)) |
                                        ((fixed >> shift) & ws.BlankMaskHigh));
        };
        force(ws.OptionWords[0], ws.OptionWords[1], row->OptionMask, row->OptionFixed);
        force(ws.OptionWords[2], ws.OptionWords[3], row->OptionMask >> 16, row->OptionFixed >> 16);
    }

    ws.OptionStatus = 0;
    const uint32_t optionValue = ComposeOptionValue(ws);

    for (int k = 1; k <= static_cast<int>(kOptionItemCount); ++k) {
        OptionItemView& view = st.OptionItems[static_cast<std::size_t>(k - 1)];
        std::string& summary = st.OptionSummary[k - 1];
        if (ws.OptionSetNo[static_cast<std::size_t>(k - 1)] == 0) {
            view.CaptionEnabled = false;
            view.CaptionVisible = false;
            view.ValueEnabled = false;
            view.Value = "Blank";
            summary.clear();
            continue;
        }
        view.CaptionEnabled = true;
        view.CaptionVisible = true;
        view.ValueEnabled = true;
        if (!GetOptData(ws, k, 0, notifier)) {
            // The table lacks the group: nothing to decode against.
            ws.OptionStatus |= kOptionStatusNoChoice;
            view.Value = kOptionMarkerText;
            summary = view.Caption + " " + view.Value;
            continue;
        }
        view.Caption = ws.OptText;
        const uint32_t mask = ws.OptValue;
        for (int i = 1;; ++i) {
            GetOptData(ws, k, i, notifier);
            if (ws.OptValue == kOptionMarkerValue) {
                ws.OptionStatus |= kOptionStatusNoChoice;
                break;
            }
            if (ws.OptValue == (optionValue & mask)) {
                if (ws.OptText == "Blank") ws.OptionStatus |= kOptionStatusBlank;
                break;
            }
        }
        view.Value = ws.OptText;
        summary = view.Caption + " " + view.Value;
    }

    CalChecksum(ws);
    st.OptionValueText = OptionValueText(ws);
}
