// Every text that the serial-number, QTP and serial-set code shows to the
// user or writes on a label, in one place so that a message is found by
// searching one file.
#pragma once

#include <string_view>

namespace SerialMessages {

// Main window status texts.
inline constexpr std::string_view Enable = "Enable";
inline constexpr std::string_view Disable = "Disable";

// QTP file, writing.
inline constexpr std::string_view PartCountOverflow = "\"No. of Parts\" value overflow!";
inline constexpr std::string_view FileCantBeSaved = "File can't be saved!";
inline constexpr std::string_view FileExistsReplace = "File Exists, Replace?";

// QTP file, reading.
inline constexpr std::string_view FileInformationError = "File Information Error!";
inline constexpr std::string_view FileDataError = "File data error!";
inline constexpr std::string_view FileChecksumError = "File Checksum Error!";
inline constexpr std::string_view InstrNotRtwi = "The Instr is not 'RTWI'";
inline constexpr std::string_view QtpFinished = "QTP programming finished!";

// Serial-set frames.
inline constexpr std::string_view SetupSerialFirst = "Please Setup Serial No !!";
inline constexpr std::string_view ProgramSerialBusy = "Program SeriaNo...";
inline constexpr std::string_view ProgramSerialPass = "Program SeriaNo PASS.";
inline constexpr std::string_view ProgramSerialError = "Program SeriaNo ERROR.";
inline constexpr std::string_view ConnectTimeout = "Connect timeout!";
inline constexpr std::string_view ReadSetTimeout = "Connet Time out!";
// A reply of the right length whose fields cannot be a serial set.
inline constexpr std::string_view ReadSetDataError = "Serial set data error!";

}  // namespace SerialMessages
