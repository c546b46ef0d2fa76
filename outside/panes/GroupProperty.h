// CMFCGroupPropertyGridProperty: a group of a device's values that shows when its device fell
// silent (the caption in the time-out colour) and when its values were just refreshed (a
// short highlight in the highlight colour, PropertyGridColours.h).
//
// A time-out mark stays until Timeout(false), the next Trigger() (the device spoke again), or
// a rebuild of the grid with new groups. The highlight is ended by its owner with Clear(),
// usually from a timer; while it is on, the highlight shows instead of a time-out mark.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CMFCGroupPropertyGridProperty : public CMFCPropertyGridProperty
{
public:
    // nPosition: the group's index in its grid, as its pane numbers it.
    CMFCGroupPropertyGridProperty(const CString& strName, int nPosition);

    int GetPosition() const { return m_nPosition; }
    // Marks the group's device as silent (true) or speaking (false).
    void Timeout(bool bTimedOut);
    // Starts the highlight and ends any time-out mark. TRUE when it started a highlight that
    // must be ended with Clear(); FALSE when the group was highlighted already.
    bool Trigger();
    // Ends the highlight.
    void Clear();

    bool IsTimedOut() const { return m_bTimedOut; }
    bool IsHighlighted() const { return m_bHighlighted; }

    BOOL GetMarkColours(COLORREF& clrText, COLORREF& clrBack) const override;

private:
    int m_nPosition;
    bool m_bTimedOut = false;
    bool m_bHighlighted = false;
};
