#include "link/DeviceDownload.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kRecordStart = 0xA9;
constexpr uint8_t kClearSlot = 0xFF;
constexpr uint8_t kRecordTail = 0x02;
constexpr std::size_t kNameBytes = 16;

// Byte 31: the sum of bytes 1 to 30 (byte 0 is not summed).
void Seal(DeviceRecord& r)
{
    r[30] = kRecordTail;
    unsigned sum = 0;
    for (std::size_t i = 1; i <= 30; ++i) sum += r[i];
    r[31] = uint8_t(sum);
}

// Sends a record as a header and maps the reply to a stop message; empty
// when the writer took it.
std::string SendRecord(Workspace& ws, const DeviceRecord& record, int step, const LinkContext& context)
{
    std::copy(record.begin(), record.end(), ws.CommandBuffer.begin());
    const LinkResult r = SendHeader(ws, int(kDeviceRecordSize), context);
    if (r == lrTimeout) return DownloadMessages::kConnectTimeout;
    if (r != lrDone) return DownloadMessages::WriterError(step, r);
    return {};
}

}  // namespace

std::string DownloadMessages::WriterError(int step, int result)
{
    return "Writer Error (" + std::to_string(step) + ", " + std::to_string(result) + ")!!";
}

DeviceRecord BuildDeviceRecord(const DeviceTableRow& row, int slot)
{
    DeviceRecord r{};
    r[0] = kRecordStart;
    r[1] = uint8_t(slot);
    const std::size_t nameLength = row.PartNumber ? std::min(std::strlen(row.PartNumber), kNameBytes) : 0;
    std::fill(r.begin() + 2, r.begin() + 2 + kNameBytes, uint8_t(' '));
    if (nameLength) std::memcpy(r.data() + 2, row.PartNumber, nameLength);
    const bool twoOptionWords = (static_cast<int32_t>(row.OptionMask) >> 16) != 0;
    r[18] = row.RomLastHi;
    r[19] = row.EepromLastHi;
    r[20] = row.HeaderByte6;
    r[21] = row.HeaderByte8;
    r[22] = row.RecordByte;
    r[23] = DeviceFlagsOf(row);
    r[24] = uint8_t(row.Family & 0xFF);
    r[25] = row.EepromLastLo;
    r[26] = twoOptionWords ? 1 : 0;
    Seal(r);
    return r;
}

DeviceRecord BuildClearRecord()
{
    DeviceRecord r{};
    r[0] = kRecordStart;
    r[1] = kClearSlot;
    Seal(r);
    return r;
}

bool DownloadDevices(Workspace& ws, Notifier& notifier, const std::vector<bool>& checked,
                     const DownloadProgress& progress, const LinkContext& context)
{
    auto stop = [&](const std::string& text) {
        // A download stopped by closing its window ends without a message.
        if (!context.Cancelled()) notifier.Message(text);
        return false;
    };
    // Only a writer that identified itself goes on; any other answer to the
    // check (a wrong generation, a byte the link does not know) stops here.
    const LinkResult check = CheckWriter(ws, notifier, context);
    if (check == lrTimeout) return stop(DownloadMessages::kConnectTimeout);
    if (check != lrWriterGen1 && check != lrWriterGen2 && check != lrWriterGen2Id)
        return stop(DownloadMessages::WriterError(1, check));
    const WriterIdentity identity = IdentityOf(ws);
    if (!identity.TakesDeviceDownload()) return stop(DownloadMessages::kNotSupported);
    if (identity.DownloadFirmwareMissing()) return stop(DownloadMessages::kUpdateFirmware);

    if (std::string e = SendRecord(ws, BuildClearRecord(), 2, context); !e.empty()) return stop(e);

    const int rows = DeviceCount();
    int slot = 1;
    if (progress.Gauge) progress.Gauge(0);
    for (int i = 0; i < rows; ++i) {
        if (progress.RowSelected) progress.RowSelected(i);
        if (std::size_t(i) < checked.size() && checked[i] && slot <= kMaxDownloadDevices) {
            const std::string e = SendRecord(ws, BuildDeviceRecord(*DeviceRow(i), slot), 3, context);
            if (!e.empty()) return stop(e);
            ++slot;
        }
        if (progress.Gauge) progress.Gauge(i * 100 / rows);
    }
    if (progress.Gauge) progress.Gauge(100);
    return true;
}
