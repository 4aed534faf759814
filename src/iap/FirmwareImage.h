// The writer's firmware image (".cbn"): the information block at 0x3F00
// and the code from 0x4000 on, sent to the writer in 64-byte blocks. An
// image is checked when it is opened, so the transfer never reads past its
// end nor divides by an empty code part.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::size_t kIapBlockSize = 64;
constexpr std::size_t kIapInfoOffset = 0x3F00;
constexpr std::size_t kIapCodeOffset = 0x4000;
// Code frames carry 16-bit start and end addresses.
constexpr std::size_t kIapMaxCode = 0x10000;

using IapBlock = std::array<uint8_t, kIapBlockSize>;

namespace IapMessages {
inline constexpr const char* kCheckLink = "Please Check Writer Link or Writer Version!";
inline constexpr const char* kUpdateFail = "IAP Update Fail Please Retry IAP Or Check Writer Version!";
inline constexpr const char* kResetWriter = "Please Reset Writer Software and Reset Writer!!";
inline constexpr const char* kTooShort = "Firmware file too short: it holds no information block!!";
inline constexpr const char* kNoCode = "Firmware file holds no code after its information block!!";
inline constexpr const char* kTooLarge = "Firmware file too large: its code is over 64K bytes!!";
inline constexpr const char* kCannotRead = "Can not read the firmware file!!";
}  // namespace IapMessages

struct FirmwareImage {
    std::vector<uint8_t> Data;   // the whole file

    std::size_t CodeLength() const { return Data.size() - kIapCodeOffset; }
    // Code frames, the last one possibly partial.
    int FrameCount() const { return int((CodeLength() + kIapBlockSize - 1) / kIapBlockSize); }
    int LastFrameBytes() const { return int(CodeLength() % kIapBlockSize); }
    IapBlock InfoBlock() const;
    // Code frame n; a partial last frame is padded with zero bytes.
    IapBlock CodeFrame(int n) const;
};

// The refusal message for an image of this size, empty when it is usable.
std::string CheckFirmwareImageSize(std::size_t size);

// Reads the file whole; the message is empty when the image is usable.
struct FirmwareImageResult {
    FirmwareImage Image;
    std::string Message;
};
FirmwareImageResult LoadFirmwareImage(const std::string& path);
