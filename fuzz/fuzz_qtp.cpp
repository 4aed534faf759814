// The QTP serial-number file reader through the load and the passes of a
// production run: whatever number it takes must fit the serial cells and the
// device, and every pass ends or goes on without reading past the file.
#include "FuzzSupport.h"

#include "serialno/QtpFile.h"
#include "serialno/SerialNumber.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/krv-fuzz-qtp-" + std::to_string(::getpid()) + ".txt";
    FuzzInput in = TakeInput(data, size, false);
    Workspace& ws = *in.Ws;
    for (uint32_t w = 0; 2 * w < ws.RomBytes; ++w) ws.ProgramMemory[2 * w + 1] = 0x62;   // RTWI everywhere
    ws.SerialOrder = in.Answers & 1;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(in.File.data(), 1, in.File.size(), f);
        std::fclose(f);
    }
    FuzzNotifier n(in.Answers);
    if (LoadQTPFile1Click(ws, {true, true, path}, n) == QtpLoadResult::Loaded) {
        ws.QtpSimulate = true;
        for (int pass = 0; pass < 64 && ws.SerialModeOn; ++pass) {
            if (!SerialByteCountValid(ws.SerialByteCount) ||
                !SerialLocationInside(ws, ws.SerialTarget, ws.SerialStartAddress, ws.SerialByteCount))
                std::abort();
            NextSerialAfterPass(ws, n);
        }
    }
    LoadQTPFile1Click(ws, {}, n);   // closes a file still in use
    return 0;
}
