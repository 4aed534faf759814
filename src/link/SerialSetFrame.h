// The serial-set frame: a whole serial-number setup handed to the writer
// for its off-line numbering, sent by the engine's serial-number set step.
#pragma once

#include "app/Workspace.h"
#include "link/WriterLink.h"

#include <array>
#include <cstdint>

constexpr uint8_t SerialSetCommand = 0xA3;
constexpr std::size_t kSerialSetFrameSize = 25;

// The 25 bytes built from SerialSetupTexts (the serial dialog's texts at
// its last OK): start address, byte count, increment, start and end value
// right-aligned in eight bytes, target, byte order and mode.
std::array<uint8_t, kSerialSetFrameSize> BuildSerialSetFrame(Workspace& ws);

enum class SerialSetOutcome { Pass, Refused, Timeout };

// Sends the frame (10 ms after its first byte, no purge) and takes the
// writer's one-byte answer: 0xB0 accepted, anything else refused.
SerialSetOutcome ProgramSN(Workspace& ws, const LinkContext& context = {});
