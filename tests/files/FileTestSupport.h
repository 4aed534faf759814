// A snapshot proving a failed load left the workspace as it was; program words by value; HEX records.
#pragma once

#include <gtest/gtest.h>

#include "RecordingNotifier.h"
#include "TestSupport.h"
#include "files/FileCommands.h"

// "Load Data File" of path with the workspace's own device selected.
FileCommandResult Load(Workspace& ws, const std::string& path, RecordingNotifier& n);

// Name and printed value of every member a file command may change.
using Snapshot = std::vector<std::pair<std::string, std::string>>;
Snapshot TakeSnapshot(const Workspace& ws);

// Fails the test naming each member that differs.
void ExpectSameSnapshot(const Snapshot& before, const Snapshot& after);

// The value of program word w under the workspace's word model.
uint32_t WordAt(const Workspace& ws, uint32_t w);
void SetWord(Workspace& ws, uint32_t w, uint32_t value);

// One Intel HEX data record with its checksum, CR LF ended.
std::string Record(uint16_t address, const std::vector<uint8_t>& data, uint8_t type = 0);
