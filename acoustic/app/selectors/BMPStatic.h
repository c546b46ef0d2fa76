// CBMPStatic: a static control that paints a picture over its client area, inside the width of
// a fixed window frame: a bitmap file at its own size when one is named and reads whole, else
// a bitmap resource stretched over the area, else nothing.
#pragma once

#include "platform/ui/Static.h"

class CDC;

class CBMPStatic : public CStatic
{
    DECLARE_DYNAMIC(CBMPStatic)
public:
    CBMPStatic() = default;

    // Set before the control shows.
    void SetPath(const char* path) { m_Path = path ? path : ""; }
    void SetBitmapID(int nID) { m_BitmapID = nID; }
    const CString& GetPath() const { return m_Path; }
    int GetBitmapID() const { return m_BitmapID; }

    // Draws the picture into `dc` over the client area; false when nothing was drawn.
    bool DrawPicture(CDC& dc);

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    CString m_Path;     // the picture file; empty for none
    int m_BitmapID = 0; // the bitmap resource; 0 for none
};
