// What the simulated writer keeps of the device-record download: the
// device list, one record per slot 1..16, and a switch for a bad reply.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct DeviceListState {
    std::array<std::vector<uint8_t>, 16> Slots;   // slot n at [n - 1]; empty: no device
    int Clears = 0;                                // clear records taken
    int RecordsSinceClear = 0;                     // device records since the last clear
    int BadReplyAtRecord = -1;                     // >= 1: the Nth device record after a clear
    uint8_t BadReply = 0xB1;                       //  ... is answered with this byte, not kept
};
