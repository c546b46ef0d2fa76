// CMFCPropertyGridAngleDouble: a bearing (VT_R8) shown and typed in the user's angle notation
// ("Angle Settings", degree sign and all). A locked item cannot be edited.
// Modes, and the unit the item holds in each:
//   mode 1      radians; shown as a full-circle angle, 0 to 360 degrees;
//   mode 5      degrees; shown as a signed angle, -180 to +180 degrees (a convergence);
//   every other mode (2 a direction, ...): degrees; shown as a full-circle angle.
// A pane whose record holds the other unit converts at the pane (observations that keep
// degrees and show mode 1 hand the item radians). A typed bearing beyond a turn wraps (370 is
// 10); a signed angle beyond its half turn, or a text that is no angle, is refused with a
// message, the value stays and the description says why.
#pragma once

#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/RefusalNote.h"

class CMFCPropertyGridAngleDouble : public CMFCPropertyGridDouble
{
public:
    CMFCPropertyGridAngleDouble(const CString& strName, double dValue, int nMode, LPCTSTR lpszDescr = nullptr,
                                DWORD_PTR dwData = 0);

    double GetAngle() const { return GetValue().dblVal; }
    void SetAngle(double dValue);
    int GetMode() const { return m_nMode; }

    CString FormatProperty() override;
    // Any notation the suite reads; a text with no digit is refused with a message.
    BOOL TextToVar(const CString& strText) override;

private:
    // The angle type of foundation/AngleFormat.h that the mode shows.
    int AngleType() const;
    double ToRadians(double value) const;
    double FromRadians(double radians) const;

    int m_nMode;
    CRefusalNote m_Refusal;
};
