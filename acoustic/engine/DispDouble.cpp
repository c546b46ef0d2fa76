#include "acoustic/engine/DispDouble.h"

#include "foundation/TextFunctions.h"

void CDispDouble::SetValue(double value)
{
    m_Value = value;
    m_bShowValue = true;
    UpdateText();
}

void CDispDouble::ClearValue()
{
    m_bShowValue = false;
    if (static_cast<HWND>(*this))
        SetWindowText("");
}

void CDispDouble::SetFormat(int width, int decimals, bool plusSign, bool zeroPad)
{
    m_Width = width;
    m_Decimals = decimals;
    m_bPlusSign = plusSign;
    m_bZeroPad = zeroPad;
    UpdateText();
}

void CDispDouble::UpdateText()
{
    // The value is kept before the window exists; it is shown once there is one.
    if (!m_bShowValue || !static_cast<HWND>(*this))
        return;
    SetWindowText(FormatFixed(m_Value, m_Width, m_Decimals, m_bPlusSign, m_bZeroPad));
}
