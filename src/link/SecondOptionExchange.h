// The second option set's talk with the writer: read the chip's user option
// words and option area, refuse a chip whose option 2 select bits are
// already set, write the 20-word option area and read it back to verify.
//
// A run is meant for a worker thread: it uses the link with the context's
// cancel flag and time-out, tells every outcome through the notifier (hand
// it to the GUI thread) and reports the chip values it read through the
// reporter. A cancelled run ends at its next wait and says nothing more.
#pragma once

#include "link/CommandHeader.h"
#include "link/SecondOption.h"
#include "link/WriterLink.h"

#include <string>

class Notifier;

enum class OptionMode {
    Read = 1,    // "Read Option"
    Write = 2,   // "Write Option": writes the composition of the last refresh
    Auto = 3,    // "Auto-write options": read, check, compose, write, verify
};

namespace OptionTexts {
inline constexpr const char* kComPortError = "Com port error !";
inline constexpr const char* kReadEnd = "Read options end!!";
inline constexpr const char* kUsed = "The 2nd Option was used !";
inline constexpr const char* kVerifyOk = "Program && verify OK";
inline constexpr const char* kVerifyFail = "Verify Fail!!";
inline constexpr const char* kAlreadyRead = "Already read IC OPTIONs?";
inline constexpr const char* kReadFirst = "Please read IC OPTIONs first !!";
}  // namespace OptionTexts

// What a run needs, taken on the GUI thread when the button is pressed. The
// workspace holds the device the dialog works on; the headers use it as it is.
struct OptionRunInput {
    OptionMode Mode = OptionMode::Read;
    std::string PortText;                // the port selector's text, for the one reopen
    EngineeringValues Engineering;       // the engineering panel, for the headers
    OptionChoices Choices;               // the dialog's controls
    ChipOptions Chip;                    // the chip values the dialog holds
    OptionComposition Composed;          // the composition of the last refresh (mode 2)
};

struct OptionRunResult {
    ChipOptions Chip;        // the chip values after the run (kept after a stop too)
    bool Refresh = false;    // the run came to its end: the dialog refreshes
    bool Cancelled = false;
};

class OptionRunReporter {
public:
    virtual ~OptionRunReporter() = default;
    // The read steps are done: the dialog refreshes with these values and
    // its "Old IC Values" take the current ones. Comes before any message
    // that follows the read.
    virtual void ChipRead(const ChipOptions& chip) = 0;
};

OptionRunResult RunOptionMode(Workspace& ws, Notifier& notifier, const LinkContext& context,
                              const OptionRunInput& input, OptionRunReporter& reporter);
