// The chip operations the engine runs, selected by the workspace's
// CommandCode, with their dialog titles and the steps each one takes.
#pragma once

#include <cstdint>
#include <string>

enum CommandCodeValue : int32_t {
    opBlankCheck = 0,
    opErase = 1,
    opReadIc = 2,
    opProgramIdChecksum = 3,
    opProgramData = 4,
    opProgramOptions = 5,
    opProgramEeprom = 6,
    opVerify = 7,
    opVerifyProtect = 8,
    opAutoProgram = 9,
    opAutoProgramNoBlankCheck = 10,
    opOverWrite = 11,
    opSerialNoProgram = 12,
};

// JustProgrammedArea: the area whose read-back runs without the access-start bit.
enum JustProgrammed : int {
    jpNone = 0,
    jpProgramArea = 1,   // erased or blank-tested program area
    jpId = 2,
    jpData = 3,
    jpEeprom = 4,
};

// One operation's row: its title (stored with "&&" for a shown "&") and the
// step flags and settings of a run.
struct OperationRow {
    int32_t Code;
    const char* Name;
    const char* Title;
    bool Erase;
    bool BlankCheck;
    bool ProgramId, VerifyId, ReadId;
    bool SerialSet;
    bool ProgramData, VerifyData, ReadData;
    bool ProgramEeprom, VerifyEeprom, ReadEeprom;   // EEPROM flags still subject to the device rules
    bool ProgramOption, VerifyOption, ReadOption;
    bool VerifyOnly, ProtectMode, OverWrite, Automatic;
    int JustProgrammedArea;
};

// True for the codes the engine knows (0 to 12).
bool IsValidOperation(int32_t code);
// The row of a valid code; nullptr for any other value.
const OperationRow* FindOperation(int32_t code);
// The dialog title of a valid code; empty for any other value.
std::string OperationTitle(int32_t code);
