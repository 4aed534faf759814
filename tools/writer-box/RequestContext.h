// What a request handler of the simulated writer works with: the bytes of
// the request so far, a way to read more of them, replies that obey the
// silence fault and the line pacing, and the box's state under its lock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "WriterBox.h"

class RequestContext {
public:
    RequestContext(WriterBox& box, uint8_t first) : box_(box), bytes_{first} {}

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    // Reads the next request byte; false when none arrives within the
    // request gap or the box is stopping (the handler then gives up).
    bool Next(uint8_t& byte);
    // Reads until the request holds total bytes.
    bool Gather(std::size_t total);

    // Sends reply bytes, unless the silence fault is on.
    void Reply(uint8_t byte) { Reply(&byte, 1); }
    void Reply(const std::vector<uint8_t>& bytes) { Reply(bytes.data(), bytes.size()); }
    void Reply(const uint8_t* data, std::size_t count);

    // Runs f(WriterState&) under the box's lock. Never block inside f.
    template <class F>
    auto Locked(F&& f)
    {
        return box_.With(std::forward<F>(f));
    }

    // Adds the request (or other bytes) to the box's request log.
    void Record(const std::string& name) { box_.Record(name, bytes_, arrived_); }
    void Record(const std::string& name, std::vector<uint8_t> bytes) { box_.Record(name, std::move(bytes), arrived_); }

private:
    WriterBox& box_;
    std::vector<uint8_t> bytes_;
    std::chrono::steady_clock::time_point arrived_ = std::chrono::steady_clock::now();   // of the first byte
};
