// A simulated writer attached as a port name for end-to-end tests: a
// private ports folder (XDG_CONFIG_HOME points at a temporary directory),
// a WriterBox serving a pty linked there as COM1, a workspace whose port is
// open on it, and a link context with a short time-out.
#pragma once

#include <atomic>
#include <string>

#include "RecordingNotifier.h"
#include "WriterBox.h"
#include "workspace/Workspace.h"
#include "link/WriterLink.h"

class LinkedWriter {
public:
    // Starts the box, links it as portName ("COM1") and opens the port on
    // it (CheckComPort). timeoutHundredths shortens the link's time-out.
    explicit LinkedWriter(const std::string& portName = "COM1", int timeoutHundredths = 30,
                          WriterSettings settings = {});
    ~LinkedWriter();

    // The ports folder of this test process.
    static std::string PortsFolder();

    WriterBox Box;
    Workspace Ws;
    RecordingNotifier Notifier;
    std::atomic<bool> Cancel{false};
    LinkContext Context;
    std::string PortName;
    bool Ready = false;   // the box started and the port opened
};
