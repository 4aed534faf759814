// Questions to the file system that several subsystems ask.
#pragma once

#include <string>

// True when path names an existing regular file.
bool FileExists(const std::string& path);
