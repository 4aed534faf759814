// The raw image reader (".cbn"), with and without the EEPROM part.
#include "FuzzSupport.h"

#include "files/ProgramFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzInput in = TakeInput(data, size, false);
    auto image = std::make_unique<ProgramImage>();
    ProgramToFileLayout(in.Device, in.Ws->ProgramMemory, image->Program);
    FuzzNotifier n(in.Answers);
    if (ReadProgramImage(in.File, ProgramFileType::Cbn, in.Device, n, *image)) CommitProgramImage(*in.Ws, *image);
    return 0;
}
