#include "link/AutoWriter.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr uint64_t kMaxCount = 4294967295u;

std::string Digits(const std::string& text)
{
    std::string d;
    for (char c : text)
        if (std::isdigit(static_cast<unsigned char>(c))) d += c;
    return d;
}

// The value of a digit string, saturated well above any limit used here.
uint64_t ValueOf(const std::string& digits)
{
    uint64_t v = 0;
    for (char c : digits) v = std::min<uint64_t>(v * 10 + uint64_t(c - '0'), uint64_t(1) << 40);
    return v;
}

std::string Normalise(const std::string& text, std::size_t width, uint64_t max)
{
    std::string d = Digits(text);
    if (ValueOf(d) > max) return std::to_string(max);
    // The leading zeros a longer text carries are dropped before padding.
    while (d.size() > width && d.front() == '0') d.erase(d.begin());
    return std::string(width - std::min(width, d.size()), '0') + d;
}

}  // namespace

void ArmAutoWriter(Workspace& ws, uint32_t count, int32_t delayMs)
{
    ws.AutoWriterCount = count;
    ws.AutoWriterDelay = std::clamp(delayMs, 0, kAutoWriterMaxDelay);
    ws.AutoWriterOn = true;
    BeginAutoWriterRepetition(ws);
}

void BeginAutoWriterRepetition(Workspace& ws)
{
    ws.AutoWriterDone = 0;
    ws.AutoWriterStop = false;
}

AutoWriterNext AutoWriterAfterRun(Workspace& ws)
{
    if (ws.AutoWriterStop) return AutoWriterNext::End;
    if (ws.AutoWriterCount != 0) {
        ++ws.AutoWriterDone;
        if (ws.AutoWriterDone >= ws.AutoWriterCount) return AutoWriterNext::End;
    }
    return AutoWriterNext::Repeat;
}

std::string NormaliseWriterCount(const std::string& text) { return Normalise(text, 10, kMaxCount); }

std::string NormaliseDelayTime(const std::string& text) { return Normalise(text, 5, kAutoWriterMaxDelay); }

uint32_t WriterCountValue(const std::string& text)
{
    return uint32_t(std::min<uint64_t>(ValueOf(Digits(text)), kMaxCount));
}

int32_t DelayTimeValue(const std::string& text)
{
    return int32_t(std::min<uint64_t>(ValueOf(Digits(text)), kAutoWriterMaxDelay));
}
