// The configuration reader, both layouts; an accepted file is applied and
// written again, and the text written must read back.
#include "FuzzSupport.h"

#include "files/ConfigFile.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ConfigParse parsed = ParseCfg(bytes);
    if (!parsed.Ok) return 0;
    auto ws = std::make_unique<Workspace>();
    SetCreationDefaults(*ws);
    CfgSelection selection;
    ApplyConfigRecord(*ws, parsed.Record, selection);
    const std::string text = SaveCfg(*ws, selection);
    // Names with line ends (possible in the older layout) cannot survive a line-based file.
    if (ws->ProgramFileName.find_first_of("\r\n") != std::string::npos) return 0;
    const ConfigParse again = ParseCfg(text);
    if (!again.Ok || again.Record.SerialByteCount != ws->SerialByteCount ||
        again.Record.PortIndex != selection.PortIndex)
        std::abort();
    return 0;
}
