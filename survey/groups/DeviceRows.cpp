#include "survey/groups/DeviceRows.h"

#include "outside/panes/PropertyGridDualDisplay.h"

#include <cfloat>
#include <cmath>

namespace
{
// The flags of value n as they should stand; each setter repaints, so only changes are made.
void SetFlags(CMFCPropertyGridDualDisplay& row, int nValue, double value, bool within)
{
    const bool inUse = IsDeviceValue(value);
    if (row.IsInUse(nValue) != inUse)
        row.SetInUse(nValue, inUse);
    const bool inLimits = inUse && within;
    if (row.IsInLimits(nValue) != inLimits)
        row.SetInLimits(nValue, inLimits);
}
} // namespace

bool IsDeviceValue(double value)
{
    return std::isfinite(value) && std::fabs(value) != DBL_MAX;
}

void ShowDeviceValue(CMFCPropertyGridDualDisplay& row, double value, bool within)
{
    SetFlags(row, 1, value, within);
    row.SetValue(value);
}

void ShowDeviceValues(CMFCPropertyGridDualDisplay& row, double value1, double value2, bool within1, bool within2)
{
    SetFlags(row, 1, value1, within1);
    SetFlags(row, 2, value2, within2);
    row.SetValue(value1, value2);
}

void ShowDeviceText(CMFCPropertyGridDualDisplay& row, int nValue, const CString& text)
{
    // A "%s" value with no unit shows its text as it stands.
    if (row.GetValueText(nValue) != text)
        row.SetText(nValue, text);
}

void ShowDeviceRow(CMFCPropertyGridProperty& row, bool show)
{
    if ((row.IsVisible() != FALSE) != show)
        row.Show(show ? TRUE : FALSE, FALSE);
}

const char* UseText(bool use)
{
    return use ? "True" : "False";
}
