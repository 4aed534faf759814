// The checks of the fill dialog: a start address, an end address and a value
// against the limits its caller set (FillMaxAddress, FillMaxValue).
#pragma once

#include "workspace/Workspace.h"

#include <cstdint>
#include <string>

struct FillRequest {
    int32_t Start = 0;
    int32_t End = 0;
    int32_t Value = 0;
};

// The message of the first failing check, in the dialog's order, or an empty
// text when all pass.
std::string CheckFillRequest(const Workspace& ws, const FillRequest& request);
