// The Intel HEX reader, as ".chx" and as PIC-style ".hex", through the whole
// program load (size questions, translation, width check, packing).
#include "FuzzSupport.h"

#include "files/HexRecords.h"
#include "files/ProgramFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzInput in = TakeInput(data, size, true);
    auto image = std::make_unique<ProgramImage>();
    const HexReadResult r = HexToObj(in.File, 0x8000, 0x8200, 0x3F, *image);
    if (r.Extent < 0 || r.Extent > 32768) std::abort();
    for (ProgramFileType type : {ProgramFileType::Chx, ProgramFileType::Hex}) {
        FuzzNotifier n(in.Answers);
        ProgramToFileLayout(in.Device, in.Ws->ProgramMemory, image->Program);
        ReadProgramImage(in.File, type, in.Device, n, *image);
    }
    return 0;
}
