// What the simulated writer keeps of a firmware update: whether it runs its
// update loader, and the blocks the program has written so far.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct FirmwareState {
    bool UpdateMode = false;              // answers the status query with 0x5A
    std::array<uint8_t, 64> InfoBlock{};  // the information block (mode 1)
    std::vector<uint8_t> Code;            // code frames (mode 2) at their start offsets
    int BlocksWritten = 0;
    bool Finished = false;                // the finish frame arrived
};
