// The writer's firmware image reader and its split into the information
// block and the 64-byte code frames. The input stands in the file from the
// information block on (0x3F00), so short, code-less and ordinary images are
// all within reach; a usable image must come apart into exactly its bytes.
#include "iap/FirmwareImage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/krv-fuzz-firmware-" + std::to_string(::getpid()) + ".cbn";
    std::vector<uint8_t> file(kIapInfoOffset, 0);
    file.insert(file.end(), data, data + size);
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(file.data(), 1, file.size(), f);
        std::fclose(f);
    }
    const FirmwareImageResult r = LoadFirmwareImage(path);
    if (!r.Message.empty()) {
        if (!r.Image.Data.empty() || CheckFirmwareImageSize(file.size()).empty()) std::abort();
        return 0;
    }
    const FirmwareImage& image = r.Image;
    if (image.Data != file) std::abort();
    const IapBlock info = image.InfoBlock();
    if (!std::equal(info.begin(), info.end(), file.begin() + kIapInfoOffset)) std::abort();
    const int frames = image.FrameCount();
    if (frames < 1 || image.CodeLength() > std::size_t(frames) * kIapBlockSize ||
        image.CodeLength() <= std::size_t(frames - 1) * kIapBlockSize)
        std::abort();
    std::vector<uint8_t> code;
    for (int n = 0; n < frames; ++n) {
        const IapBlock frame = image.CodeFrame(n);
        code.insert(code.end(), frame.begin(), frame.end());
    }
    // The frames hold the code in order, a partial last one padded with zeros.
    if (!std::equal(file.begin() + kIapCodeOffset, file.end(), code.begin()) ||
        std::any_of(code.begin() + long(image.CodeLength()), code.end(), [](uint8_t b) { return b != 0; }))
        std::abort();
    const IapBlock outside = image.CodeFrame(frames);
    const IapBlock before = image.CodeFrame(-1);
    if (std::any_of(outside.begin(), outside.end(), [](uint8_t b) { return b != 0; }) || before != outside)
        std::abort();
    return 0;
}
