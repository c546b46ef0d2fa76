#include "outside/kadenta/InitialisingSoftware.h"

#include "platform/core/WinApp.h"
#include "platform/ui/Dc.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/WindowDc.h"

#include <QPainter>

namespace
{
// Dialog units: a title, the version, room for the picture, the message line.
const DLGITEM_TABLE kItems[] = {
    {DLGI_CTEXT, IDC_KADENTA_INIT_PROGRAM, "", 7, 5, 226, 12},
    {DLGI_CTEXT, IDC_KADENTA_INIT_VERSION, "", 7, 19, 226, 8},
    {DLGI_CTEXT, IDC_KADENTA_INIT_MESSAGE, "", 7, 138, 226, 10},
};
const DLGTEMPLATE_TABLE kTemplate = {IDD_KADENTA_INITIALISING,
                                     "",
                                     "MS Shell Dlg",
                                     8,
                                     0,
                                     0,
                                     240,
                                     152,
                                     DS_SETFONT | DS_CENTER | WS_POPUP | WS_BORDER,
                                     0,
                                     kItems,
                                     AFX_DLGITEM_COUNT(kItems)};
// The picture's band in dialog units.
const CRect kPictureUnits(7, 30, 233, 134);

std::vector<CString>& HistoryList()
{
    static std::vector<CString> history;
    return history;
}
} // namespace

BEGIN_MESSAGE_MAP(CInitialisingSoftware, CDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

CInitialisingSoftware::CInitialisingSoftware()
{
    static bool registered = false;
    if (!registered)
        AfxRegisterDialogTemplate(&kTemplate);
    registered = true;
}

CInitialisingSoftware::~CInitialisingSoftware()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

const std::vector<CString>& CInitialisingSoftware::History()
{
    return HistoryList();
}

void CInitialisingSoftware::ClearHistory()
{
    HistoryList().clear();
}

BOOL CInitialisingSoftware::Create(CWnd* pParent, const char* version)
{
    m_Version = version ? version : "";
    if (!CDialog::Create(IDD_KADENTA_INITIALISING, pParent))
        return FALSE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

BOOL CInitialisingSoftware::OnInitDialog()
{
    CDialog::OnInitDialog();
    LOGFONT lf = {};
    if (GetFont() != nullptr && GetFont()->GetLogFont(&lf) != 0)
    {
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = lf.lfHeight * 3 / 2;
        if (m_TitleFont.CreateFontIndirect(&lf))
            GetDlgItem(IDC_KADENTA_INIT_PROGRAM)->SetFont(&m_TitleFont);
    }
    CWinApp* app = AfxGetApp();
    SetDlgItemText(IDC_KADENTA_INIT_PROGRAM, app && app->m_pszAppName ? app->m_pszAppName : "");
    SetDlgItemText(IDC_KADENTA_INIT_VERSION, "Version " + m_Version);
    SetDlgItemText(IDC_KADENTA_INIT_MESSAGE, m_Message);
    return FALSE;
}

void CInitialisingSoftware::SetImage(const QImage& image)
{
    m_Image = image;
    if (GetSafeHwnd())
    {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CInitialisingSoftware::SetMessage(const char* text)
{
    m_Message = text ? text : "";
    HistoryList().push_back(m_Message);
    if (GetSafeHwnd())
    {
        SetDlgItemText(IDC_KADENTA_INIT_MESSAGE, m_Message);
        UpdateWindow();
    }
}

CRect CInitialisingSoftware::PictureRect() const
{
    CRect rect = kPictureUnits;
    MapDialogRect(&rect);
    return rect;
}

void CInitialisingSoftware::OnPaint()
{
    CPaintDC dc(this);
    QPainter* painter = dc.GetPainter();
    if (!painter || m_Image.isNull())
        return;
    const CRect band = PictureRect();
    // Scaled down to the band when larger, never up; centred in it.
    QImage image = m_Image;
    if (image.width() > band.Width() || image.height() > band.Height())
        image = image.scaled(band.Width(), band.Height(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter->drawImage(band.left + (band.Width() - image.width()) / 2, band.top + (band.Height() - image.height()) / 2,
                       image);
}
