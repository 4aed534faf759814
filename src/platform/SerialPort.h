// The serial port: one open line to the writer, raw 115200 baud 8N1.
// Real ports and pseudo-terminals go through the same calls. Port names
// "COM1" to "COM8" are looked up first as links in the program's ports
// folder (so COM1 can point at a USB adapter or at the simulated writer),
// then mapped to /dev/ttyS0 .. /dev/ttyS7.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class SerialPort {
public:
    // Opens the named port (a COMn name or a device path) for reading and
    // writing, exclusively, and sets it raw, 115200 baud, 8 data bits, no
    // parity, 1 stop bit. Returns null when the port cannot be opened or
    // set; errorText then says why (for logs, not for the user).
    static std::shared_ptr<SerialPort> Open(const std::string& name, std::string* errorText = nullptr);

    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& DevicePath() const { return path_; }

    // Discards every byte waiting in the receive queue.
    void FlushInput();

    // Bytes waiting in the receive queue. When none wait and waitMs > 0,
    // sleeps in poll() until a byte arrives or waitMs pass, then asks again.
    uint32_t BytesWaiting(int waitMs = 0);

    // Reads one waiting byte; false when none could be read.
    bool ReadByte(uint8_t& byte);
    // Reads up to count waiting bytes; returns how many were read.
    std::size_t Read(uint8_t* data, std::size_t count);

    // Writes bytes, waiting until the line has taken all of them; returns
    // how many were written (fewer only when the line failed).
    bool WriteByte(uint8_t byte);
    std::size_t Write(const uint8_t* data, std::size_t count);

    // Clears exclusive use and closes the descriptor; safe to repeat.
    void Close();

private:
    SerialPort(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_ = -1;
    std::string path_;
};

// The folder of port links: "ports" in the user's settings folder
// ($XDG_CONFIG_HOME/krv-writer/ports, else ~/.config/krv-writer/ports).
std::string PortsFolder();

// The device path a port name stands for: a link of that name in the ports
// folder when one exists (even a dangling one), else /dev/ttyS0 .. S7 for
// COM1 .. COM8, else the name itself when it is a path; empty otherwise.
std::string ResolvePortPath(const std::string& name);
