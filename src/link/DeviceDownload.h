// Device-record download: the writer keeps a list of up to 16 devices that
// it can program off-line. The program clears that list with one 32-byte
// record and then sends one 32-byte record per chosen catalogue device.
#pragma once

#include "workspace/DeviceCatalogue.h"
#include "workspace/Workspace.h"
#include "link/WriterLink.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int kMaxDownloadDevices = 16;
constexpr std::size_t kDeviceRecordSize = 32;
using DeviceRecord = std::array<uint8_t, kDeviceRecordSize>;

// The record of one catalogue row in the writer's list at slot 1..16; built
// from the row alone, so the workspace's current device stays as it is.
// Part numbers longer than 16 characters are cut to the 16 bytes the
// record holds.
DeviceRecord BuildDeviceRecord(const DeviceTableRow& row, int slot);
// The record that empties the writer's list (slot byte 0xFF).
DeviceRecord BuildClearRecord();

namespace DownloadMessages {
inline constexpr const char* kAlready16 = "Already selected 16 devices";
inline constexpr const char* kConnectTimeout = "Connect Timeout!!";
inline constexpr const char* kNotSupported = "This writer does not support devices download function";
inline constexpr const char* kUpdateFirmware = "Please update the writer firmware";
// "Writer Error (" step ", " result ")!!"
std::string WriterError(int step, int result);
}  // namespace DownloadMessages

// Called before row i is looked at (it becomes the list's selected row) and
// with the gauge's new percentage after it; on the downloading thread.
struct DownloadProgress {
    std::function<void(int row)> RowSelected;
    std::function<void(int percent)> Gauge;
};

// The whole download: writer check, model and firmware test, the clear
// record, then one record per checked row (checked[i] for catalogue row i),
// slots numbered 1.. in list order. Every stop is reported through the
// notifier with its message; true when every record was taken (0xB8).
// Only the writer link's state and CommandBuffer are written.
bool DownloadDevices(Workspace& ws, Notifier& notifier, const std::vector<bool>& checked,
                     const DownloadProgress& progress = {}, const LinkContext& context = {});
