#include "editors/FillRange.h"

std::string CheckFillRequest(const Workspace& ws, const FillRequest& r)
{
    if (r.Start > ws.FillMaxAddress) return "Start address is a invalid value!";
    if (r.End > ws.FillMaxAddress) return "End address is a invalid value!";
    if (r.Start > r.End) return "Start address is a invalid value!";
    if (r.Value > ws.FillMaxValue) return "Data is a invalid value!";
    return {};
}
