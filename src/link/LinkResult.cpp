#include "link/LinkResult.h"

namespace {

constexpr const char* kLinkResultNames[] = {
    "lr?",          "lrNoChip",  "lrAdapterError", "lrWriterGen1",  "lrWriterGen2",
    "lrWriterGen2Id", "lrWrongWriter", "lrUnexpected", "lrTimeout", "lrWriteFailed",
    "lrDone",       "lrReady",   "lrWriteOk",      "lrSwitchOn",    "lrBodyOptionError",
};

}  // namespace

const char* LinkResultName(int result)
{
    if (result < 1 || result > 14) return kLinkResultNames[0];
    return kLinkResultNames[result];
}
