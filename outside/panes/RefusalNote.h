// CRefusalNote: tells the user, in an item's description, why the text last typed into it was
// refused, and gives the item its own description back once a text is taken.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CRefusalNote
{
public:
    // The description becomes "<text> was refused. <why>", followed by the item's own.
    void Refused(CMFCPropertyGridProperty& item, const CString& strText, const CString& strWhy);
    // The item's own description again (nothing changes when none was refused).
    void Taken(CMFCPropertyGridProperty& item);

private:
    bool m_bRefused = false;
    CString m_strOwn;
};
