// What the device groups share in filling their rows: which device numbers are values at all,
// and setters that touch a row only where something changed, since each change of a row
// repaints it and a pane refreshes every group at each receiver's rate.
#pragma once

#include "platform/core/String.h"

class CMFCPropertyGridDualDisplay;
class CMFCPropertyGridProperty;

// False for the records' no-value marker (the largest double, either sign) and for a NaN or
// an infinity: such a field shows an empty value and is never judged within limits.
bool IsDeviceValue(double value);

// Shows the values of a one-value or a two-value row: a value that is no value shows empty
// (not in use) and out of limits; a value is within limits when `within` says so. The row is
// repainted once.
void ShowDeviceValue(CMFCPropertyGridDualDisplay& row, double value, bool within = true);
void ShowDeviceValues(CMFCPropertyGridDualDisplay& row, double value1, double value2, bool within1 = true,
                      bool within2 = true);
// The text of value n (1 or 2) of a "%s" value, set only when it differs from the one shown.
void ShowDeviceText(CMFCPropertyGridDualDisplay& row, int nValue, const CString& text);
// Shows or hides a row, only when that changes.
void ShowDeviceRow(CMFCPropertyGridProperty& row, bool show);
// The text of a true/false value beside a heading: "True" or "False".
const char* UseText(bool use);
