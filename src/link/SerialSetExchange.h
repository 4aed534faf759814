// The serial-set exchange over the writer link: the engine's step that
// sends the frame (operation 12) and "Read Serial Num Set".
#pragma once

#include "serialno/SerialSetFrame.h"

#include <optional>
#include <string>

struct LinkContext;
class Notifier;
struct Workspace;

// What the serial-number set step writes on the progress dialog's data label.
struct SerialSetStepMessage {
    std::string Text;
    bool Red = false;  // failures are red; success keeps the label's colour
};

// The engine's serial-number set step (operation 12), after it showed
// "Program SeriaNo...": sends the 25-byte frame over the open port (10 ms
// after its first byte) and takes the writer's one-byte answer. A frame that
// cannot be built is refused with "Please Setup Serial No !!" before any
// traffic; no answer within the time-out gives "Connect timeout!".
SerialSetStepMessage ProgramSN(Workspace& ws, const LinkContext& context);

// "Read Serial Num Set", in two halves. The exchange on the line reopens the
// port named portText, sends A3h 01h and collects the 33-byte reply; it
// touches only the link's part of the workspace and gives the reply, or
// nothing after the port's message or "Connet Time out!". Storing the reply
// returns true when it was sound (`SerialSetLoaded` set: the caller then
// opens the settings dialog); a refused reply ("Serial set data error!")
// changes nothing.
std::optional<SerialSetReply> ReadSerialSetReply(Workspace& ws, Notifier& notifier, const std::string& portText,
                                                 const LinkContext& context);
bool TakeSerialSetReply(Workspace& ws, Notifier& notifier, const SerialSetReply& reply);
