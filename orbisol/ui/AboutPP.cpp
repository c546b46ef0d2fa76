#include "orbisol/ui/AboutPP.h"

#include "orbisol/ui/OrbisolApp.h"
#include "orbisol/ui/OrbisolPictures.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/PageTemplate.h"
#include "orbisol/ui/ProgramInformation.h"
#include "platform/core/Time.h"

namespace
{
// The banner at the top, the product and the maker in their groups, the notice at the foot.
const DLGITEM_TABLE kAboutItems[] = {
    {DLGI_LTEXT, IDC_ABOUT_PICTURE, "", 7, 7, 297, 48, SS_BITMAP | SS_CENTERIMAGE},
    {DLGI_GROUPBOX, IDC_STATIC, "Product Information", 7, 60, 297, 46},
    {DLGI_LTEXT, IDC_ABOUT_PRODUCT, "", 15, 72, 280, 14},
    {DLGI_LTEXT, IDC_ABOUT_VERSION, "", 15, 88, 280, 14},
    {DLGI_GROUPBOX, IDC_STATIC, "Contact Us", 7, 110, 297, 62},
    {DLGI_LTEXT, IDC_ABOUT_CONTACT, "", 15, 122, 280, 46},
    {DLGI_LTEXT, IDC_ABOUT_NOTICE, "", 7, 180, 297, 20},
};
ORBISOL_PAGE_TEMPLATE(kAbout, IDD_ABOUT_ORBISOL, "About", kAboutItems);
} // namespace

CAboutPP::CAboutPP() : CColourPropertyPage(IDD_ABOUT_ORBISOL)
{
    RegisterOrbisolPictures();
    m_BoldFont.CreateFont(18, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
}

CString CAboutPP::NoticeText(const char* notice, int year)
{
    CString text(notice ? notice : "");
    CString yearText;
    yearText.Format("%04d", year);
    text.Replace("<YEAR>", yearText);
    return text;
}

BOOL CAboutPP::OnInitDialog()
{
    CColourPropertyPage::OnInitDialog();
    SubclassPageControls(this, {{&m_Picture, IDC_ABOUT_PICTURE},
                                {&m_Product, IDC_ABOUT_PRODUCT},
                                {&m_Version, IDC_ABOUT_VERSION},
                                {&m_Contact, IDC_ABOUT_CONTACT},
                                {&m_Notice, IDC_ABOUT_NOTICE}});
    if (m_Bitmap.LoadBitmap(IDB_ORBISOL_ABOUT))
        m_Picture.SetBitmap(static_cast<HBITMAP>(m_Bitmap));

    const PROGRAM_INFORMATION& info = GetProgramInformation();
    CString text;
    text.Format("Product: %s", static_cast<const char*>(info.strProductName));
    m_Product.SetWindowText(text);
    text.Format("Version %s", static_cast<const char*>(FormatOrbisolVersion(GetRunningProgramBlock())));
    m_Version.SetWindowText(text);
    m_Product.SetFont(&m_BoldFont);
    m_Version.SetFont(&m_BoldFont);

    CString contact;
    for (const CString* line : {&info.strCompanyName, &info.strCompanyAddress, &info.strTelephone,
                                &info.strEmailAddress})
        if (!line->IsEmpty())
            contact += (contact.IsEmpty() ? "" : "\n") + *line;
    m_Contact.SetWindowText(contact);

    SYSTEMTIME now{};
    GetLocalTime(&now);
    m_Notice.SetWindowText(NoticeText(info.strLegalCopyright, now.wYear));
    return TRUE;
}

BOOL CAboutPP::OnSetActive()
{
    ShowSheetButtons(FALSE);
    return CColourPropertyPage::OnSetActive();
}

BOOL CAboutPP::OnKillActive()
{
    ShowSheetButtons(TRUE);
    return CColourPropertyPage::OnKillActive();
}
