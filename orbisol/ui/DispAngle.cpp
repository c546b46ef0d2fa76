#include "orbisol/ui/DispAngle.h"

#include "foundation/AngleFormat.h"
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
    const ANGLE_SHOW show = GetAngleShow(m_nAngleType);
    return FormatAngle(m_dRadians, m_nAngleType, show.format, show.decimals, show.letter);
}

void CDispAngle::ShowValue()
{
    if (GetSafeHwnd())
        SetWindowText(FormatValue());
}
