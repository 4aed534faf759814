// The QTP file: a prepared list of serial numbers, one Intel HEX data record
// per part holding the bytes as they stand in program memory (as RTWI
// instructions) or in EEPROM, closed by the end record ":00000001FF".
//
// Writing: the settings dialog's "QTP File" button, one record per part from
// the current number, advancing it after each. Reading: "Load QTP File" opens
// the file and takes its first record; the engine takes one more after every
// automatic run, the file staying open in `QtpInputHandle` all that time.
//
// A record reaches the serial-number members only when it was read whole and
// is sound: a length that fits the eight cells, an address inside the device,
// hex digits throughout and a correct checksum. Anything else is reported and
// leaves `QtpFileEnd` set, so production stops taking numbers from the file.
#pragma once

#include <cstdint>
#include <string>

struct Workspace;
class Notifier;

// What a file dialog gave: whether a file was chosen, whether the QTP filter
// ("*.txt", the second one) was in force, and the path.
struct QtpFileChoice {
    bool Chosen = false;
    bool QtpFilter = false;
    std::string Path;
};

constexpr long long kQtpMaxParts = 100000;
constexpr uint32_t kQtpEepromBase = 0x4200;      // EEPROM address 0 in a record
constexpr uint8_t kQtpProgramSecondByte = 0x31;  // high byte of an RTWI instruction
constexpr uint8_t kQtpEepromSecondByte = 0x00;
inline constexpr char kQtpEndRecord[] = ":00000001FF";

// ----- writing -----

// The part count of a QTP file is 1 to 100000; otherwise the overflow message.
bool QtpPartCountValid(long long partCount, Notifier& notifier);

// The chosen name, with ".txt" appended when it holds no "." anywhere.
std::string QtpFileNameWithExtension(const std::string& chosen);

// The data record of the current number, CR LF included; empty when the
// placement settings do not fit (byte count, order, target, location).
std::string QtpRecordText(const Workspace& ws);

// Appends the record of the current number to `QtpOutputHandle`, then
// advances the number (`SerialNoNext`). False when the settings do not fit
// or the write failed; nothing is advanced then.
bool QTP_File(Workspace& ws);

enum class QtpWriteResult { Cancelled, NotReplaced, Failed, Written };

// Writes a whole QTP file of partCount records to the chosen file: asks
// before replacing an existing file, reports "File can't be saved!" for the
// wrong filter or a file that cannot be created or written (and removes what
// was partly written). The serial-number members must already hold the
// settings to write.
QtpWriteResult WriteQtpFile(Workspace& ws, const QtpFileChoice& choice, long long partCount,
                            Notifier& notifier);

// ----- reading -----

// Reads the next record from `QtpInputHandle` into the serial-number members.
// Outcome: `QtpFileEnd` (1 at the end record and after any error), `QtpMode`
// (set by a good record) and the message shown for a bad record.
void ReadSerialData(Workspace& ws, Notifier& notifier);

// Closes the QTP input file when one is open.
void CloseQtpInput(Workspace& ws);

enum class QtpLoadResult { Cancelled, Refused, Loaded };

// "Load QTP File": closes the file in use, opens the chosen one and takes its
// first record. Loaded: serial mode is on, `Status.QtpText` names the file
// and the number is placed; the caller rebuilds the program-memory and
// EEPROM windows when they are open.
QtpLoadResult LoadQTPFile1Click(Workspace& ws, const QtpFileChoice& choice, Notifier& notifier);

// ----- the end of an automatic run -----

enum class SerialPassResult {
    SerialOff,    // serial mode is off: nothing to do
    Advanced,     // the generator gave the next number, now placed
    QtpNext,      // the next QTP record was read and placed
    QtpFinished,  // the QTP file is exhausted (or bad): QTP and serial mode are off
    Refused,      // no new number can be given or placed (settings out of bounds, a QTP
                  // record over words without RTWI): serial and QTP mode are now off and
                  // the reason has been shown ("The Instr is not 'RTWI'" or
                  // "Please Setup Serial No !!")
};

// What the engine does with the serial number after a good automatic run:
// the next QTP record or the next generated number, then its placement. On
// QtpFinished the caller shows "QTP programming finished!" and sets the
// "QTP Sim" caption to "Enable" (`QtpSimulate` is already cleared). After
// QtpFinished or Refused serial mode is off: the production stops there.
SerialPassResult NextSerialAfterPass(Workspace& ws, Notifier& notifier);
