// Helpers every test folder shares: a scratch directory, whole-file reads and
// writes, and the writer faults most link tests need.
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "WriterBox.h"
#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"

// A fresh directory, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "krv-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        Path = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return Path + "/" + name; }
    std::vector<std::string> Names() const   // the entries, sorted
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(Path)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Polls the condition until it holds or fifteen seconds have passed: long
// enough for a paced run on a machine loaded with other tests.
template <class F>
bool WaitFor(F condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A workspace as the main window creates it, with the given catalogue device
// (the first one, 31Q520, has 1K words of 7-bit halves and 128 EEPROM bytes).
inline std::unique_ptr<Workspace> FreshWorkspace(const std::string& part = "31Q520")
{
    auto ws = std::make_unique<Workspace>();
    SetCreationDefaults(*ws);
    if (part != GetIcName(0)) ResetData(*ws, part);
    return ws;
}

// A writer that answers nothing from request byte `from` on.
inline WriterFaults SilentWriter(int from = 0)
{
    WriterFaults f;
    f.SilentFromByte = from;
    return f;
}
