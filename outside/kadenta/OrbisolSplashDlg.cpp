#include "outside/kadenta/OrbisolSplashDlg.h"

#include "outside/kadenta/ProgramVersion.h"
#include "platform/core/WinApp.h"

#include <QPainter>

namespace
{
// The start-up window's items at their places, the message line left empty, and the two
// buttons below it.
const DLGITEM_TABLE kSplashItems[] = {
    {DLGI_CTEXT, IDC_KADENTA_INIT_PROGRAM, "", 7, 5, 226, 12},
    {DLGI_CTEXT, IDC_KADENTA_INIT_VERSION, "", 7, 19, 226, 8},
    {DLGI_CTEXT, IDC_KADENTA_INIT_MESSAGE, "", 7, 138, 226, 10},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 66, 152, 50, 14, WS_GROUP},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 124, 152, 50, 14},
};
const DLGTEMPLATE_TABLE kSplashTemplate = {IDD_KADENTA_ORBISOL_SPLASH,
                                     "",
                                     "MS Shell Dlg",
                                     8,
                                     0,
                                     0,
                                     240,
                                     172,
                                     DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_BORDER,
                                     0,
                                     kSplashItems,
                                     AFX_DLGITEM_COUNT(kSplashItems)};
const CDialogTemplateRegistrar registerSplash(&kSplashTemplate);
} // namespace

COrbisolSplashDlg::COrbisolSplashDlg(CWnd* pParent)
{
    m_nIDTemplate = IDD_KADENTA_ORBISOL_SPLASH;
    m_pParentWnd = pParent;
    SetImage(MakePicture());
}

BOOL COrbisolSplashDlg::OnInitDialog()
{
    SetVersion(GetRunningProgramVersion());
    CInitialisingSoftware::OnInitDialog();
    // The caption names the product for the window list, though the window shows no title bar.
    CWinApp* app = AfxGetApp();
    SetWindowText(app && app->m_pszAppName ? app->m_pszAppName : "");
    GotoDlgCtrl(GetDlgItem(IDOK));
    return FALSE;
}

QImage COrbisolSplashDlg::MakePicture()
{
    QImage image(320, 160, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 110);
    sky.setColorAt(0, QColor(0x1E, 0x3C, 0x78));
    sky.setColorAt(1, QColor(0xF0, 0xA0, 0x50));
    painter.fillRect(0, 0, 320, 110, sky);
    painter.fillRect(0, 110, 320, 50, QColor(0x2E, 0x4A, 0x2E));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xD8, 0x40));
    painter.drawEllipse(QPointF(200, 80), 26, 26);
    // A sight line from a theodolite on the left to the sun.
    painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF), 2, Qt::DashLine));
    painter.drawLine(QPointF(70, 120), QPointF(200, 80));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.drawRect(QRectF(62, 114, 16, 12));
    return image;
}
