// CDispDouble: a read-only static text that shows one number in a fixed-width field (results
// in the calibration dialogs and panes).
#pragma once

#include "platform/ui/Static.h"

class CDispDouble : public CStatic
{
public:
    CDispDouble() = default;

    // Stores the value, marks the control as showing one and shows it.
    void SetValue(double value);
    double GetValue() const { return m_Value; }
    // Shows nothing: the text is emptied until the next SetValue.
    void ClearValue();
    bool HasValue() const { return m_bShowValue; }

    // Field width (characters), decimals, '+' on positive values, zero padding; the value is
    // shown again in the new format.
    void SetFormat(int width, int decimals, bool plusSign = false, bool zeroPad = false);

    // Sets the window text to the value formatted by FormatFixed with the control's settings,
    // when the control shows a value; otherwise leaves the text alone.
    void UpdateText();

private:
    double m_Value = 0.0;
    int m_Width = 12;
    int m_Decimals = 3;
    bool m_bPlusSign = false;
    bool m_bZeroPad = false;
    bool m_bShowValue = false;
};
