// The PIC object file reader (".obj") with the 12- and 14-bit translations.
#include "FuzzSupport.h"

#include "files/ProgramFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzInput in = TakeInput(data, size, true);
    auto image = std::make_unique<ProgramImage>();
    ProgramToFileLayout(in.Device, in.Ws->ProgramMemory, image->Program);
    FuzzNotifier n(in.Answers);
    ReadProgramImage(in.File, ProgramFileType::Obj, in.Device, n, *image);
    return 0;
}
