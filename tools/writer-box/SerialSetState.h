// The serial-number set that the simulated writer keeps for its off-line
// operation: what the last accepted serial-set frame carried, and the faults
// of the two serial-set exchanges.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

struct SerialSetFaults {
    int FrameReply = -1;   // >= 0: answer every serial-set frame with this byte
    int ReplyLength = -1;  // >= 0: send only this many bytes of the 33-byte reply
    // Reply bytes replaced after the reply was built: (offset, value).
    std::vector<std::pair<std::size_t, uint8_t>> ReplyPatches;
};

struct SerialSetState {
    // Fields of the last accepted frame; the values right-aligned in eight
    // bytes as on the line.
    uint16_t StartAddress = 0;
    uint8_t ByteCount = 1;
    uint8_t Increment = 1;
    std::array<uint8_t, 8> StartValue{};
    std::array<uint8_t, 8> EndValue{};
    uint8_t Target = 0;
    uint8_t Order = 0;
    uint8_t Mode = 0;
    // The number the box would program next off line; reset to the start
    // value by each accepted frame.
    std::array<uint8_t, 8> SavedSerial{};

    std::vector<uint8_t> LastFrame;  // the last frame received, accepted or not
    int FramesAccepted = 0;
    SerialSetFaults Faults;
};
