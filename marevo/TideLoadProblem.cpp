#include "marevo/TideLoadProblem.h"

CString TideLoadProblem::Format() const
{
    CString text;
    text.Format("%s record %d: %s", strFile.GetString(), nRecord, strReason.GetString());
    return text;
}
