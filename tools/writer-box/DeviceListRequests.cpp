// The device record 0xA9 + 31 bytes: slot 0xFF empties the writer's device
// list, slots 1..16 store one device. A record is checked as the writer
// checks it (start byte, tail byte 2, the sum of bytes 1 to 30 in byte 31)
// and answered 0xB8 when taken, 0xB1 when refused.
#include "Requests.h"

#include <algorithm>

#include "RequestContext.h"

namespace {

constexpr std::size_t kRecordSize = 32;
constexpr uint8_t kTaken = 0xB8;
constexpr uint8_t kRefused = 0xB1;
constexpr uint8_t kClearSlot = 0xFF;

bool RecordIsSound(const std::vector<uint8_t>& r)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i <= 30; ++i) sum += r[i];
    if (r[30] != 0x02 || uint8_t(sum) != r[31]) return false;
    if (r[1] == kClearSlot) return std::all_of(r.begin() + 2, r.begin() + 30, [](uint8_t b) { return b == 0; });
    return r[1] >= 1 && r[1] <= 16;
}

}  // namespace

void ServeDeviceRecord(RequestContext& request)
{
    if (!request.Gather(kRecordSize)) return;
    request.Record("device record");
    const std::vector<uint8_t> record = request.Bytes();
    const uint8_t reply = request.Locked([&](WriterState& s) -> uint8_t {
        DeviceListState& list = s.DeviceList;
        if (!RecordIsSound(record)) return kRefused;
        if (record[1] == kClearSlot) {
            for (auto& slot : list.Slots) slot.clear();
            ++list.Clears;
            list.RecordsSinceClear = 0;
            return kTaken;
        }
        if (++list.RecordsSinceClear == list.BadReplyAtRecord) return list.BadReply;
        list.Slots[record[1] - 1] = record;
        return kTaken;
    });
    request.Reply(reply);
}
