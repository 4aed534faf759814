// Automatic repetition: after each run of an operation the progress dialog
// waits AutoWriterDelay milliseconds and runs it again, until AutoWriterCount
// runs were made (0: no limit) or the operator asked it to stop.
#pragma once

#include "workspace/Workspace.h"

#include <cstdint>
#include <string>

constexpr int32_t kAutoWriterMaxDelay = 10000;

// "Set": stores the count and the pause and arms the repetition. The runs
// counted and a stop asked for by an earlier repetition are forgotten, so
// the new one runs in full.
void ArmAutoWriter(Workspace& ws, uint32_t count, int32_t delayMs);

// The start of a repetition (a new progress dialog): counts from nothing.
void BeginAutoWriterRepetition(Workspace& ws);

enum class AutoWriterNext { Repeat, End };
// After a run and its pause: End when a stop was asked for or the count is
// reached (counting this run), else Repeat.
AutoWriterNext AutoWriterAfterRun(Workspace& ws);

// The setup dialog's edits when they are left: "Writer EA" padded with
// leading zeros to 10 digits and kept at most 4294967295; "Dealy Time"
// padded to 5 digits and kept at most 10000. Non-digits are dropped.
std::string NormaliseWriterCount(const std::string& text);
std::string NormaliseDelayTime(const std::string& text);
// The number a normalised text stands for.
uint32_t WriterCountValue(const std::string& text);
int32_t DelayTimeValue(const std::string& text);
