#include "files/ProgramFile.h"

#include "files/HexRecords.h"
#include "files/PicTranslation.h"
#include "files/SafeFile.h"
#include "platform/Notifier.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kTypeIncorrect = "File type incorrect!";
constexpr const char* kSizeUnmatch = "File size unmatch!";
constexpr const char* kHalfQuestion = "Code size is half of ROM size. Duplicate the program ?";
constexpr const char* kLessThanHalfQuestion = "Code size is less than half of ROM size. Duplicate the program ?";
constexpr uint32_t kEepromImageBase = 0x8200;

enum class SizeRule { A, B, C };

bool AskYes(Notifier& n, const char* text)
{
    return n.Question(text, QuestionButtons::YesNo) == Answer::Yes;
}

// The first half of the device's words repeated in the second half.
void Duplicate(ProgramImage& image, const DeviceWords& dev)
{
    const uint32_t half = dev.UsedRomBytes() / 2;
    std::memmove(image.Program.data() + half, image.Program.data(), half);
}

// The size rules: whether a file of n bytes (or extent n) is taken for the device.
bool ApplySizeRule(SizeRule rule, ProgramImage& image, const DeviceWords& dev, Notifier& n)
{
    const int64_t rom = dev.UsedRomBytes();
    const int64_t half = rom / 2;
    const int64_t bytes = image.FileBytesRead;
    if (bytes == rom) return true;
    if (bytes > half) {
        if (rule != SizeRule::A) return true;
        n.Message(kSizeUnmatch);
        return false;
    }
    if (rule == SizeRule::B) {
        if (AskYes(n, kLessThanHalfQuestion)) Duplicate(image, dev);
        return true;
    }
    if (rule == SizeRule::A && bytes < half) {
        n.Message(kSizeUnmatch);
        return false;
    }
    if (AskYes(n, kHalfQuestion)) {
        Duplicate(image, dev);
        return true;
    }
    n.Message(kSizeUnmatch);
    return false;
}

// Width check of every used word, then the device packing.
bool CheckAndPackWords(ProgramImage& image, const DeviceWords& dev, Notifier& n)
{
    const uint32_t used = dev.UsedRomBytes();
    for (uint32_t i = 0; i < used; i += 2) {
        uint8_t lo = image.Program[i];
        uint8_t hi = image.Program[i + 1];
        if (!(lo == 0xFF && hi == 0xFF)) {
            const char* wide = nullptr;
            switch (dev.DeviceFamily) {
            case 1:
            case 2:
            case 3:
                if (hi & 0xC0) wide = "It is not 14-bit instructions !";
                break;
            case 4:
                if (hi & 0xE0) wide = "It is not 13-bit instructions !";
                break;
            case 5:
                if (hi & 0x80) wide = "It is not 15-bit instructions !";
                break;
            default: break;
            }
            if (wide) {
                n.Message(wide);
                return false;
            }
        }
        if (dev.SevenBitMode) {
            hi = static_cast<uint8_t>((hi << 1) | (lo >> 7));
            lo &= 0x7F;
        }
        hi &= dev.BlankMaskHigh;
        image.Program[i] = lo;
        image.Program[i + 1] = hi;
    }
    return true;
}

bool ReadHexFormat(std::string_view bytes, int codeLimit, int eepromBase, const DeviceWords& dev, Notifier& n,
                   ProgramImage& image)
{
    image.CodeHexLimit = codeLimit;
    image.EepromHexBase = eepromBase;
    const uint8_t highMask = dev.SevenBitMode ? static_cast<uint8_t>(dev.BlankMaskHigh >> 1) : 0xFF;
    const HexReadResult r = HexToObj(bytes, codeLimit, eepromBase, highMask, image);
    if (r.Error != HexError::None) {
        // Corrupt records are not loaded: the user gets the record's message and the old data.
        n.Message(HexErrorMessage(r));
        return false;
    }
    image.FileBytesRead = r.Extent;
    image.EepromLoaded = true;
    return true;
}

void ConvertPicWords(ProgramImage& image, const DeviceWords& dev, Notifier& n)
{
    if (dev.DeviceFamily == 1)
        Pic5xToKrv(image.Program, image.FileBytesRead, dev.RomBytes, dev.MemoryWindowOpen, n);
    else if (dev.DeviceFamily == 2)
        Pic6x7xToKrvQL(image.Program, image.FileBytesRead, dev.RomBytes, dev.MemoryWindowOpen, n);
}

} // namespace

bool ReadProgramImage(std::string_view bytes, ProgramFileType type, const DeviceWords& dev, Notifier& n,
                      ProgramImage& image)
{
    image.EepromLoaded = false;
    image.FileSize = static_cast<uint32_t>(std::min<std::size_t>(bytes.size(), UINT32_MAX));
    SizeRule rule = SizeRule::B;
    switch (type) {
    case ProgramFileType::Obj: {
        if (dev.DeviceFamily >= 3) {
            n.Message(kTypeIncorrect);
            return false;
        }
        const std::size_t count = std::min<std::size_t>(bytes.size(), kProgramMemorySize);
        std::memcpy(image.Program.data(), bytes.data(), count);
        image.FileBytesRead = static_cast<int32_t>(count);
        ConvertPicWords(image, dev, n);
        rule = SizeRule::A;
        break;
    }
    case ProgramFileType::Hex:
        if (dev.DeviceFamily >= 3) {
            n.Message(kTypeIncorrect);
            return false;
        }
        if (!ReadHexFormat(bytes, 0x4000, 0x4200, dev, n, image)) return false;
        ConvertPicWords(image, dev, n);
        rule = SizeRule::B;
        break;
    case ProgramFileType::Cbn:
        if (dev.HasEeprom() && bytes.size() == kEepromImageBase + 2 * static_cast<std::size_t>(dev.EepromSize)) {
            std::memcpy(image.Program.data(), bytes.data(), dev.UsedRomBytes());
            const uint32_t eeBytes = dev.UsedEepromBytes();
            for (uint32_t i = 0; i < eeBytes; ++i) image.Eeprom[i] = static_cast<uint8_t>(bytes[kEepromImageBase + 2 * i]);
            image.EepromLoaded = true;
            image.FileBytesRead = static_cast<int32_t>(dev.UsedRomBytes());
        } else {
            if (bytes.size() > kProgramMemorySize) {
                // Longer than program memory and not a program-plus-EEPROM image.
                n.Message(kSizeUnmatch);
                return false;
            }
            std::memcpy(image.Program.data(), bytes.data(), bytes.size());
            image.FileBytesRead = static_cast<int32_t>(bytes.size());
        }
        rule = SizeRule::C;
        break;
    case ProgramFileType::Chx:
        if (!ReadHexFormat(bytes, 0x8000, 0x8200, dev, n, image)) return false;
        rule = SizeRule::B;
        break;
    case ProgramFileType::Config:
    case ProgramFileType::Unknown:
        n.Message(kTypeIncorrect);
        return false;
    }
    if (!ApplySizeRule(rule, image, dev, n)) return false;
    return CheckAndPackWords(image, dev, n);
}

bool ReadProgramFile(const std::string& path, const DeviceWords& dev, Notifier& n, ProgramImage& image)
{
    const ProgramFileType type = ProgramFileTypeOf(path);
    FileBytes file = ReadWholeFile(path, kMaxProgramFileBytes);
    if (file.Status == ReadStatus::TooLarge) {
        n.Message(type == ProgramFileType::Unknown ? kTypeIncorrect : kSizeUnmatch);
        return false;
    }
    if (file.Status != ReadStatus::Ok) {
        n.Message("File can't open!");
        return false;
    }
    return ReadProgramImage(file.Bytes, type, dev, n, image);
}

void CommitProgramImage(Workspace& ws, const ProgramImage& image)
{
    ws.ProgramMemory = image.Program;
    if (image.EepromLoaded) ws.EepromBuffer = image.Eeprom;
    ws.FileBytesRead = image.FileBytesRead;
    ws.FileSize = image.FileSize;
    if (image.CodeHexLimit != 0) {
        ws.CodeHexLimit = image.CodeHexLimit;
        ws.EepromHexBase = image.EepromHexBase;
    }
    ws.SerialModeOn = false;
}

std::vector<uint8_t> BuildSaveImage(const Workspace& ws)
{
    const DeviceWords dev = DeviceWords::Of(ws);
    const uint32_t rom = dev.UsedRomBytes();
    const std::size_t length = dev.HasEeprom() ? kEepromImageBase + 2 * dev.UsedEepromBytes() : rom;
    std::vector<uint8_t> image(length, 0xFF);
    for (uint32_t i = 0; i < rom; i += 2) DeviceWordToFile(dev, ws.ProgramMemory[i], ws.ProgramMemory[i + 1], image[i], image[i + 1]);
    if (dev.HasEeprom()) {
        for (uint32_t i = 0; i < dev.UsedEepromBytes(); ++i) {
            image[kEepromImageBase + 2 * i] = ws.EepromBuffer[i];
            image[kEepromImageBase + 2 * i + 1] = 0x00;
        }
    }
    return image;
}

std::string ProgramFileBytes(const Workspace& ws, SaveFormat format)
{
    const std::vector<uint8_t> image = BuildSaveImage(ws);
    if (format == SaveFormat::Chx) return ChxText(image.data(), image.size());
    return std::string(image.begin(), image.end());
}

bool SaveProgramMemory(const Workspace& ws, const std::string& path, SaveFormat format, Notifier& n)
{
    if (WriteFileReplacing(path, ProgramFileBytes(ws, format))) return true;
    n.Message("File can't be saved!");
    return false;
}

SaveTarget SaveTargetFor(const std::string& chosenPath, int filterIndex)
{
    switch (ProgramFileTypeOf(chosenPath)) {
    case ProgramFileType::Chx: return {chosenPath, SaveFormat::Chx};
    case ProgramFileType::Cbn: return {chosenPath, SaveFormat::Cbn};
    default: break;
    }
    const SaveFormat format = filterIndex == 1 ? SaveFormat::Chx : SaveFormat::Cbn;
    return {chosenPath + (format == SaveFormat::Chx ? ".chx" : ".cbn"), format};
}
