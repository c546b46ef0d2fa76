#include "featureui/dialogs/EditPointDlg.h"

#include "platform/ui/DialogTemplate.h"

#include <cstdlib>

namespace
{
const DWORD kStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;

const DLGITEM_TABLE kItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Label", 30, 7, 29, 12},
    {DLGI_EDITTEXT, IDC_EDIT_POINT_LABEL, "", 66, 7, 65, 12, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Easting", 30, 22, 29, 12},
    {DLGI_EDITTEXT, IDC_EDIT_POINT_EASTING, "", 66, 22, 65, 12, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Northing", 30, 37, 29, 12},
    {DLGI_EDITTEXT, IDC_EDIT_POINT_NORTHING, "", 65, 37, 66, 12, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_EDIT_POINT_HEIGHT_LABEL, "Height", 30, 52, 29, 12},
    {DLGI_EDITTEXT, IDC_EDIT_POINT_HEIGHT, "", 65, 52, 66, 12, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_EDIT_POINT_RADIUS_LABEL, "Radius", 30, 67, 29, 12},
    {DLGI_EDITTEXT, IDC_EDIT_POINT_RADIUS, "", 65, 67, 66, 12, ES_AUTOHSCROLL},
    {DLGI_PUSHBUTTON, IDC_EDIT_POINT_DELETE, "Delete", 7, 85, 50, 14},
    {DLGI_DEFPUSHBUTTON, IDOK, "Update", 56, 85, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 105, 85, 50, 14},
};
const DLGTEMPLATE_TABLE kTemplate = {IDD_EDIT_POINT, "Edit Point", "MS Shell Dlg", 8, 0, 0, 161, 106,
                                     kStyle, 0, kItems, AFX_DLGITEM_COUNT(kItems)};

UINT EditPointTemplate()
{
    static const bool registered = [] {
        AfxRegisterDialogTemplate(&kTemplate);
        return true;
    }();
    (void)registered;
    return IDD_EDIT_POINT;
}

// The number the field's text stands for (0 for no number), kept as the field's value.
double ReadField(CEditDouble& field)
{
    CString text;
    field.GetWindowText(text);
    const double value = std::atof(text);
    field.SetValue(value);
    field.SetModify(FALSE);
    return value;
}

void ShowOptional(CEditDouble& field, CStatic& label, const double* value)
{
    if (value != nullptr)
    {
        field.SetFormat(3, 9, 5);
        field.SetValue(*value);
        return;
    }
    field.ShowWindow(SW_HIDE);
    label.ShowWindow(SW_HIDE);
}
} // namespace

IMPLEMENT_DYNAMIC(CEditPointDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CEditPointDlg, CColourDialogEx)
ON_BN_CLICKED(IDC_EDIT_POINT_DELETE, &CEditPointDlg::OnClickedDelete)
ON_BN_CLICKED(IDOK, &CEditPointDlg::OnBnClickedOk)
END_MESSAGE_MAP()

CEditPointDlg::CEditPointDlg(CWnd* pParent) : CColourDialogEx(EditPointTemplate(), pParent) {}

void CEditPointDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDIT_POINT_NORTHING, m_NorthingEdit);
    DDX_Control(pDX, IDC_EDIT_POINT_EASTING, m_EastingEdit);
    DDX_Control(pDX, IDCANCEL, m_Cancel);
    DDX_Control(pDX, IDOK, m_Update);
    DDX_Control(pDX, IDC_EDIT_POINT_DELETE, m_Delete);
    DDX_Control(pDX, IDC_EDIT_POINT_HEIGHT, m_HeightEdit);
    DDX_Control(pDX, IDC_EDIT_POINT_HEIGHT_LABEL, m_HeightLabel);
    DDX_Control(pDX, IDC_EDIT_POINT_LABEL, m_LabelEdit);
    DDX_Control(pDX, IDC_EDIT_POINT_RADIUS, m_RadiusEdit);
    DDX_Control(pDX, IDC_EDIT_POINT_RADIUS_LABEL, m_RadiusLabel);
}

BOOL CEditPointDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    SetWindowText(m_Title);
    if (m_pName != nullptr)
        m_LabelEdit.SetWindowText(*m_pName);
    if (!m_bNameEditable)
        m_LabelEdit.SendMessage(EM_SETREADONLY, TRUE, 0);
    m_EastingEdit.SetFormat(3, 12, 8);
    m_NorthingEdit.SetFormat(3, 12, 8);
    if (m_pPoint != nullptr)
    {
        m_EastingEdit.SetValue(m_pPoint->x);
        m_NorthingEdit.SetValue(m_pPoint->y);
    }
    ShowOptional(m_HeightEdit, m_HeightLabel, m_pHeight);
    ShowOptional(m_RadiusEdit, m_RadiusLabel, m_pRadius);
    return TRUE;
}

void CEditPointDlg::OnBnClickedOk()
{
    if (m_bNameEditable && m_pName != nullptr)
        m_LabelEdit.GetWindowText(*m_pName);
    const double easting = ReadField(m_EastingEdit);
    const double northing = ReadField(m_NorthingEdit);
    if (m_pPoint != nullptr)
    {
        m_pPoint->x = easting;
        m_pPoint->y = northing;
    }
    if (m_pHeight != nullptr)
        *m_pHeight = ReadField(m_HeightEdit);
    if (m_pRadius != nullptr)
        *m_pRadius = ReadField(m_RadiusEdit);
    EndDialog(IDOK);
}

void CEditPointDlg::OnClickedDelete()
{
    EndDialog(IDNO);
}

bool EditPoint(const char* title, CString& name, bool nameEditable, tagXY* point, double* height, double* radius)
{
    CEditPointDlg dialog(nullptr);
    dialog.m_Title = title;
    dialog.SetName(&name, nameEditable);
    dialog.SetPosition(point);
    dialog.SetHeight(height);
    dialog.SetRadius(radius);
    return dialog.DoModal() != IDNO;
}
