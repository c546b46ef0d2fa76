#include "marevo/TideLoadProblem.h"

CString TideLoadProblem::Format() const
{
    CString text;
    text.Format("%s %s %d: %s", strFile.GetString(), bLine ? "line" : "record", nRecord, strReason.GetString());
    return text;
}
