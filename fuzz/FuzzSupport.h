// Shared pieces of the fuzz targets: a notifier that answers from the input
// and a workspace for a catalogue device picked by the input.
#pragma once

#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"
#include "files/ProgramImage.h"
#include "platform/Notifier.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

class FuzzNotifier : public Notifier {
public:
    explicit FuzzNotifier(uint8_t answers) : answers_(answers) {}
    void Message(const std::string&, const std::string&, MessageIcon) override {}
    Answer Question(const std::string&, QuestionButtons, const std::string&, MessageIcon) override
    {
        const bool yes = (answers_ >> (count_++ % 8)) & 1;
        return yes ? Answer::Yes : Answer::No;
    }

private:
    uint8_t answers_;
    unsigned count_ = 0;
};

// The first byte picks the device, the second the family and the answers;
// the rest is the file.
struct FuzzInput {
    std::unique_ptr<Workspace> Ws;
    DeviceWords Device;
    uint8_t Answers = 0;
    std::string_view File;
};

inline FuzzInput TakeInput(const uint8_t* data, std::size_t size, bool overrideFamily)
{
    FuzzInput in;
    in.Ws = std::make_unique<Workspace>();
    SetCreationDefaults(*in.Ws);
    const uint8_t pick = size > 0 ? data[0] : 0;
    const uint8_t mode = size > 1 ? data[1] : 0;
    SelectDevice(*in.Ws, GetIcName(pick % DeviceCount()));
    in.Device = DeviceWords::Of(*in.Ws);
    if (overrideFamily) in.Device.DeviceFamily = 1 + (mode & 3);   // families 1 to 4
    if (mode & 0x10) in.Device.DeviceFlags &= static_cast<uint8_t>(~kFlagHasEeprom);
    in.Device.MemoryWindowOpen = (mode & 0x20) != 0;
    in.Answers = static_cast<uint8_t>(mode ^ pick);
    const std::size_t skip = size < 2 ? size : 2;
    in.File = std::string_view(reinterpret_cast<const char*>(data) + skip, size - skip);
    return in;
}
