// CAboutPP: the sheet's last page: the program's banner, its product name and version, the
// maker's contact block and the copyright notice of this year. The sheet's "Ok" and "Cancel"
// are hidden while it is in front.
#pragma once

#include "orbisol/ui/ColourPropertyPage.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/Static.h"

class CAboutPP : public CColourPropertyPage
{
public:
    CAboutPP();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    // The notice with the year, "%04d", in place of each "<YEAR>".
    static CString NoticeText(const char* notice, int year);

protected:
    CStatic m_Picture;
    CStatic m_Product;
    CStatic m_Version;
    CStatic m_Contact;
    CStatic m_Notice;
    CBitmap m_Bitmap;
    CFont m_BoldFont;
};
