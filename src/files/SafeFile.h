// Whole-file reads and writes for the program and configuration files.
// Reads are bounded so that a huge or endless file cannot exhaust memory;
// writes go to a temporary file beside the target that replaces it only
// once every byte is on disk, so a failed save never destroys the old file.
#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class ReadStatus { Ok, Missing, CannotOpen, TooLarge };

struct FileBytes {
    ReadStatus Status = ReadStatus::Missing;
    std::string Bytes;
};

// Reads the whole file when it holds at most maxBytes bytes.
FileBytes ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Writes bytes to path through a temporary file and a rename; false when any
// step failed, the old file (if any) then being untouched.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);
