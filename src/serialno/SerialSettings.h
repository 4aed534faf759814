// The serial-number settings as the settings dialog edits them: the texts of
// its fields, how each field is tidied when the user leaves it, the checks of
// OK and "QTP File" with their messages, and the one place where serial mode
// is switched on or off.
//
// The dialog's fields are only texts until OK: leaving a field tidies its
// text and nothing else, a failed check changes nothing, and only a check
// that passed lets the settings reach the workspace. Every number is read
// with its limits first, so no loop runs on a byte count that is not 1 to 8
// and no text is read past its end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workspace/SerialState.h"

struct Workspace;
class Notifier;

// The dialog's fields as they stand.
struct SerialDialogTexts {
    std::string StartAddress = "0000";
    std::string NoOfByte = "1";
    std::string StartValue = "00";
    std::string EndValue = "00";
    std::string Increment = "1";
    std::string NoOfPart = "1";
    uint32_t Mode = 0;    // "Serial No. Mode": 0 Sequential, 1 Pseudo-random, 2 ASCII
    uint32_t Order = 0;   // "MSB or LSB First": 0 "MSB->LSB", 1 "LSB->MSB"
    uint32_t Target = 0;  // "Program to": 0 program memory, 1 EEPROM
};

// The byte count of a "No. of Byte" text: 1 to 8, else nullopt.
std::optional<uint32_t> SerialByteCountOf(std::string_view text);

// Characters a key filter lets into a field (nullopt: the key is dropped).
// Hex fields take 0-9, A-F and a-f upper-cased; in ASCII mode 0-9, A-Z and
// a-z upper-cased. "No. of Byte" takes 1 to 8; "Increment" and "No. of
// Parts" take 0 to 9.
std::optional<char> FilterHexFieldKey(char key, uint32_t mode);
std::optional<char> FilterByteCountKey(char key);
std::optional<char> FilterDecimalKey(char key);

// The most characters a start or end value may hold: 2n in the hex modes, n
// in ASCII mode.
uint32_t SerialValueLength(uint32_t byteCount, uint32_t mode);

// Leaving a field: the texts it leaves behind. Fields whose rule needs the
// byte count stay as they are while "No. of Byte" is not 1 to 8.
std::string StartAddressExit(std::string_view text);                                    // "0" in front up to 4
std::string ValueFieldExit(std::string_view text, uint32_t byteCount, uint32_t mode);   // cut to the last, "0" in front
std::string StartValueExit(std::string_view text, uint32_t byteCount, uint32_t mode);   // and all ones -> zeros in Pseudo-random
std::string AtLeastOneExit(std::string_view text);                                      // "Increment", "No. of Parts"
// "No. of Byte" left, or a mode chosen: both values cut and filled to the
// length of the current byte count and mode (ASCII mode: cut only when
// `fill` is false, as a switch to ASCII does).
void FitValuesToByteCount(SerialDialogTexts& texts, bool fill);

// What the checks found wrong, as the dialog shows it.
struct SerialCheckFailure {
    std::string Message;
    bool ErrorBox = false;         // caption "Error" and the error icon
    bool ClearIncrement = false;   // the increment was out of its range
};

// The checks of OK and "QTP File", in the dialog's order. On success the
// texts are tidied as they are kept (address and values upper-cased and
// filled with "0" in front to their full length); on failure nothing but
// the returned message is produced.
std::optional<SerialCheckFailure> CheckSerialNoSetting(const Workspace& ws, SerialDialogTexts& texts);

// Puts checked texts into the serial-number members of the workspace: start
// address, byte count, increment, mode, order, target and the current, start
// and end numbers. ASCII values give one cell per character ("0"-"9" are 0
// to 9, "A"-"Z" 10 to 35), cell 0 from the last character.
void LoadSerialSettings(Workspace& ws, const SerialDialogTexts& texts);

// OK after a check that passed: keeps the texts for the next opening and for
// the serial-set frame, loads the settings, switches serial mode on and
// places the current number.
void AcceptSerialSettings(Workspace& ws, const SerialDialogTexts& texts);

// "Disable Serial Mode": serial mode off and the QTP simulation off.
void DisableSerialMode(Workspace& ws);

// The texts the dialog opens with: the last accepted ones, or the defaults,
// then a serial set read from the writer when one waits (consumed here).
// `savedSerial` receives the writer's saved serial number of such a set.
SerialDialogTexts OpeningSerialTexts(Workspace& ws, std::string& savedSerial);
