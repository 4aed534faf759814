#include "link/Operations.h"

namespace {

// Erase/blank  ID: prog ver read  serial  data: prog ver read  EEPROM: prog ver read
// option: prog ver read  verifyOnly protect overWrite automatic  justProgrammed
constexpr OperationRow kOperations[] = {
    {opBlankCheck, "opBlankCheck", "Blank check",
     false, true, false, false, false, false, false, false, false, false, false, false,
     false, false, false, false, false, false, false, jpProgramArea},
    {opErase, "opErase", "Erase flash memory",
     true, true, false, false, false, false, false, false, false, false, false, false,
     false, false, false, false, false, false, false, jpProgramArea},
    {opReadIc, "opReadIc", "Read IC",
     false, false, false, false, true, false, false, false, true, false, false, true,
     false, false, true, false, false, false, false, jpNone},
    {opProgramIdChecksum, "opProgramIdChecksum", "Program ID && checksum",
     false, false, true, true, false, false, false, false, false, false, false, false,
     false, false, false, false, false, false, false, jpId},
    {opProgramData, "opProgramData", "Program data",
     false, false, false, false, false, false, true, true, false, false, false, false,
     false, false, false, false, false, false, false, jpData},
    {opProgramOptions, "opProgramOptions", "Program options",
     false, false, false, false, false, false, false, false, false, false, false, false,
     true, true, false, false, false, false, false, jpNone},
    {opProgramEeprom, "opProgramEeprom", "Program EEPROM",
     false, false, false, false, false, false, false, false, false, true, true, false,
     false, false, false, false, false, false, false, jpEeprom},
    {opVerify, "opVerify", "Verify data",
     false, false, false, true, false, false, false, true, false, false, true, false,
     false, true, false, true, false, false, false, jpNone},
    {opVerifyProtect, "opVerifyProtect", "Verify data in protect mode",
     false, false, false, true, false, false, false, true, false, false, false, false,
     false, true, false, true, true, false, false, jpNone},
    {opAutoProgram, "opAutoProgram", "Auto-program",
     false, true, true, true, false, false, true, true, false, true, true, false,
     true, true, false, false, false, false, true, jpNone},
    {opAutoProgramNoBlankCheck, "opAutoProgramNoBlankCheck", "Auto-program without blank check",
     false, false, true, true, false, false, true, true, false, true, true, false,
     true, true, false, false, false, false, true, jpNone},
    {opOverWrite, "opOverWrite", "Over-write data",
     false, false, false, false, false, false, true, true, false, false, false, false,
     false, false, false, false, true, true, false, jpData},
    {opSerialNoProgram, "opSerialNoProgram", " Serial No Program ",
     false, false, false, false, false, true, false, false, false, false, false, false,
     false, false, false, false, false, false, false, jpNone},
};

}  // namespace

bool IsValidOperation(int32_t code)
{
    return FindOperation(code) != nullptr;
}

const OperationRow* FindOperation(int32_t code)
{
    for (const OperationRow& row : kOperations) {
        if (row.Code == code) return &row;
    }
    return nullptr;
}

std::string OperationTitle(int32_t code)
{
    const OperationRow* row = FindOperation(code);
    return row ? row->Title : std::string();
}
