// The writer's 33-byte serial-set reply: a reply is taken whole, as texts
// that fit its fields, or refused without changing the workspace.
#include "FuzzSupport.h"

#include "serialno/SerialSetFrame.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    SerialSetReply reply{};
    std::copy_n(data, std::min(size, reply.size()), reply.begin());
    Workspace ws;
    ws.SerialSetupTexts = {"0123", "2", "0010", "00FF", "1", "0", "0", "0"};
    const auto setup = ws.SerialSetupTexts;
    if (!StoreSerialSetReply(ws, reply)) {
        if (ws.SerialSetLoaded || ws.SerialSetupTexts != setup) std::abort();
        return 0;
    }
    const std::size_t n = reply[ssrByteCount];
    const std::size_t width = reply[ssrMode] == 2 ? n : 2 * n;   // ASCII: one character a byte
    if (n < 1 || n > 8 || !ws.SerialSetLoaded) std::abort();
    for (std::size_t k : {ssStartValue, ssEndValue, ssSavedSerial})
        if (ws.SerialSetTexts[k].size() != width) std::abort();
    return 0;
}
