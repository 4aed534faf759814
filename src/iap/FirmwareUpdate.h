// The firmware update exchange: the handshake that puts the writer into its
// update loader, then every block (the information block, then the code
// frames) written, read back and compared, each written again up to three
// times, and the finish frame. It runs on the caller's thread (the window
// runs it on a worker); every wait has a time limit and obeys the link
// context's cancel flag.
#pragma once

#include "workspace/Workspace.h"
#include "iap/FirmwareImage.h"
#include "link/WriterLink.h"

#include <string>

class Notifier;

// What the update tells its window; called on the updating thread.
class FirmwareReporter {
public:
    virtual ~FirmwareReporter() = default;
    virtual void Status(const std::string& /*text*/) {}
    virtual void Gauge(int /*percent*/) {}
    // A verified block: frame index, block start, partial-frame flag.
    virtual void Log(const std::string& /*line*/) {}
    // Bytes as sent and as received, as hexadecimal text.
    virtual void Sent(const std::string& /*line*/) {}
    virtual void Received(const std::string& /*line*/) {}
};

struct IapTiming {
    int ReopenPauseHundredths = 200;   // after the port was opened again
    int ModePauseHundredths = 40;      // after the byte 0xA4
    int HandshakeHundredths = 50;      // limit of each handshake reply
    // Each reply of the block transfer gets the link context's limit.
};

enum class UpdateEnd {
    Success,        // the writer answered 0xB0 to the finish frame
    LinkError,      // no or an unknown answer to the handshake
    VersionError,   // the byte 0xA4 could not be sent
    BlockFailed,    // a block read back wrong three times, or a reply did not come
    Cancelled,
};

constexpr int kIapMaxRetries = 3;

// The whole update of image (checked with CheckFirmwareImageSize) on the
// workspace's port, which is opened again first. Messages go to notifier.
UpdateEnd RunFirmwareUpdate(Workspace& ws, Notifier& notifier, const FirmwareImage& image,
                            FirmwareReporter& reporter, const LinkContext& context = {},
                            const IapTiming& timing = {});
