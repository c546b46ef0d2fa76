#include "orbisol/ui/DispAngle.h"

#include "orbisol/ui/AngleShow.h"

void CDispAngle::SetValue(double radians)
{
    m_dRadians = radians;
    m_bHasValue = true;
    ShowValue();
}

void CDispAngle::ClearValue()
{
    m_bHasValue = false;
    ShowValue();
}

CString CDispAngle::FormatValue() const
{
    if (!m_bHasValue)
        return CString();
    return FormatShownAngle(m_dRadians, m_nAngleType);
}

void CDispAngle::ShowValue()
{
    if (GetSafeHwnd())
        SetWindowText(FormatValue());
}
