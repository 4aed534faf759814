// Program files as they are read into and written from the workspace:
// ".chx" and ".hex" (Intel HEX), ".cbn" (raw image) and ".obj" (raw PIC
// image). A file is read into a scratch image first; the workspace changes
// only when the whole load, questions included, succeeded.
#pragma once

#include "files/FileNames.h"
#include "files/ProgramImage.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Notifier;

// Larger files are not program files of any device.
constexpr std::size_t kMaxProgramFileBytes = 16u << 20;

// Reads a program file's bytes of the given type into image for the device.
// image.Program must hold the workspace's program memory in file layout
// (ProgramToFileLayout): a short raw file keeps the rest of it. Asks the
// size questions, converts PIC words, checks the word width and packs the
// words into the device layout. False, with its message shown, when the
// load must stop; image is then to be thrown away.
bool ReadProgramImage(std::string_view bytes, ProgramFileType type, const DeviceWords& dev, Notifier& notifier,
                      ProgramImage& image);

// ReadProgramImage on the file at path ("File can't open!" when it cannot be read).
bool ReadProgramFile(const std::string& path, const DeviceWords& dev, Notifier& notifier, ProgramImage& image);

// Puts an accepted image into the workspace: program memory, EEPROM when the
// file carried it, FileBytesRead, FileSize and the HEX limits; serial-number
// mode ends.
void CommitProgramImage(Workspace& ws, const ProgramImage& image);

// Saving: a ".chx" file holds Intel HEX text, a ".cbn" file the raw image.
enum class SaveFormat { Chx = 1, Cbn = 2 };

// The file "&Save Data Memory" writes and its format, from the name the save
// dialog gave and its filter index (1 ".chx", 2 ".cbn"). The loader goes by
// the extension, so the two must agree: a typed ".chx" or ".cbn" extension
// (either case) chooses its format; any other name gets the extension of the
// chosen filter appended and that filter's format.
struct SaveTarget {
    std::string Path;
    SaveFormat Format = SaveFormat::Cbn;
};
SaveTarget SaveTargetFor(const std::string& chosenPath, int filterIndex);

// The save image: program words in file layout, then for a device with
// EEPROM 0xFF up to 0x8200 and each EEPROM byte followed by 0x00.
std::vector<uint8_t> BuildSaveImage(const Workspace& ws);

// The bytes of the saved file in the chosen format.
std::string ProgramFileBytes(const Workspace& ws, SaveFormat format);

// Writes the file without destroying an old one before the new one is safe;
// a failure is reported with "File can't be saved!".
bool SaveProgramMemory(const Workspace& ws, const std::string& path, SaveFormat format, Notifier& notifier);
