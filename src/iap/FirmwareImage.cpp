#include "iap/FirmwareImage.h"

#include <algorithm>
#include <fstream>
#include <iterator>

IapBlock FirmwareImage::InfoBlock() const
{
    IapBlock b{};
    std::copy_n(Data.begin() + kIapInfoOffset, kIapBlockSize, b.begin());
    return b;
}

IapBlock FirmwareImage::CodeFrame(int n) const
{
    IapBlock b{};
    const std::size_t start = kIapCodeOffset + std::size_t(n) * kIapBlockSize;
    if (n < 0 || start >= Data.size()) return b;
    const std::size_t count = std::min(kIapBlockSize, Data.size() - start);
    std::copy_n(Data.begin() + start, count, b.begin());
    return b;
}

std::string CheckFirmwareImageSize(std::size_t size)
{
    if (size < kIapInfoOffset + kIapBlockSize) return IapMessages::kTooShort;
    if (size <= kIapCodeOffset) return IapMessages::kNoCode;
    if (size - kIapCodeOffset > kIapMaxCode) return IapMessages::kTooLarge;
    return {};
}

FirmwareImageResult LoadFirmwareImage(const std::string& path)
{
    FirmwareImageResult r;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        r.Message = IapMessages::kCannotRead;
        return r;
    }
    // A file far above the largest image is refused without reading it all.
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        r.Message = IapMessages::kCannotRead;
        return r;
    }
    r.Message = CheckFirmwareImageSize(std::size_t(size));
    if (!r.Message.empty()) return r;
    in.seekg(0);
    r.Image.Data.resize(std::size_t(size));
    if (!in.read(reinterpret_cast<char*>(r.Image.Data.data()), size)) {
        r.Image.Data.clear();
        r.Message = IapMessages::kCannotRead;
    }
    return r;
}
