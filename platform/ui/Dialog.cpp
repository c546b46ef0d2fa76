#include "platform/ui/Dialog.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/WndPrivate.h"

#include <QApplication>
#include <QCoreApplication>
#include <QtGlobal>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BOOL CUserException::GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || maxLength == 0)
        return FALSE;
    std::strncpy(buffer, "The value was not accepted.", maxLength - 1);
    buffer[maxLength - 1] = '\0';
    return TRUE;
}

void AfxThrowUserException()
{
    throw new CUserException;
}

// ---------------------------------------------------------------------------------------
// Keyboard navigation
// ---------------------------------------------------------------------------------------

namespace
{
// The items of a dialog that Tab stops at, in tab order.
std::vector<CWnd*> TabStops(const CWnd* dialog)
{
    std::vector<CWnd*> stops;
    for (CWnd* w = dialog->GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT))
    {
        const DWORD style = w->GetStyle();
        if ((style & WS_TABSTOP) && w->IsWindowEnabled() && (style & WS_VISIBLE))
            stops.push_back(w);
    }
    return stops;
}

// The item holding (or containing) the focus.
CWnd* FocusItem(const CWnd* dialog)
{
    for (CWnd* f = CWnd::GetFocus(); f; f = f->GetParent())
    {
        if (f->GetParent() == dialog)
            return f;
        if (!(f->GetStyle() & WS_CHILD))
            break;
    }
    return nullptr;
}

void GotoItem(CWnd* dialog, CWnd* item)
{
    if (!item)
        return;
    item->SetFocus();
    const UINT code = static_cast<UINT>(item->SendMessage(WM_GETDLGCODE, 0, 0));
    if (code & DLGC_HASSETSEL)
        item->SendMessage(EM_SETSEL, 0, -1);
    (void)dialog;
}

void StepFocus(CWnd* dialog, bool previous)
{
    const std::vector<CWnd*> stops = TabStops(dialog);
    if (stops.empty())
        return;
    CWnd* current = FocusItem(dialog);
    size_t at = 0;
    bool found = false;
    for (size_t i = 0; i < stops.size(); ++i)
        if (stops[i] == current)
        {
            at = i;
            found = true;
        }
    size_t next;
    if (!found)
        next = previous ? stops.size() - 1 : 0;
    else if (previous)
        next = at == 0 ? stops.size() - 1 : at - 1;
    else
        next = at + 1 == stops.size() ? 0 : at + 1;
    GotoItem(dialog, stops[next]);
}

// Sends the command of a button as its click does.
void PressButton(CWnd* dialog, UINT id)
{
    CWnd* button = dialog->GetDlgItem(static_cast<int>(id));
    if (button && !button->IsWindowEnabled())
    {
        MessageBeep(0);
        return;
    }
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                        reinterpret_cast<LPARAM>(button ? button->GetSafeHwnd() : nullptr));
}
} // namespace

BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg)
{
    CWnd* dialog = CWnd::FromHandle(hDlg);
    if (!dialog || !lpMsg || lpMsg->message != WM_KEYDOWN)
        return FALSE;
    CWnd* target = CWnd::FromHandle(lpMsg->hwnd);
    if (!target || (target != dialog && !dialog->IsChild(target)))
        return FALSE;
    const UINT code = target != dialog ? static_cast<UINT>(target->SendMessage(
                                             WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg)))
                                       : 0;
    if (code & DLGC_WANTALLKEYS)
        return FALSE;
    switch (lpMsg->wParam)
    {
    case VK_TAB:
        if ((code & DLGC_WANTTAB) || GetKeyState(VK_CONTROL) < 0)
            return FALSE;
        StepFocus(dialog, GetKeyState(VK_SHIFT) < 0);
        return TRUE;
    case VK_RETURN: {
        CWnd* item = FocusItem(dialog);
        if (item && item == target && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        {
            PressButton(dialog, static_cast<UINT>(item->GetDlgCtrlID()));
            return TRUE;
        }
        const LRESULT def = dialog->SendMessage(DM_GETDEFID, 0, 0);
        PressButton(dialog, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK);
        return TRUE;
    }
    case VK_ESCAPE:
        PressButton(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------
// CDialog
// ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_pParentWnd(pParentWnd), m_nIDTemplate(nIDTemplate)
{
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (!m_nIDHelp)
        m_nIDHelp = nIDTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    const DLGTEMPLATE_TABLE* t = AfxFindDialogTemplate(nIDTemplate);
    return t ? CreateFromTemplate(t, m_pParentWnd, false) : FALSE;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE_TABLE* pTemplate, CWnd* pParentWnd)
{
    if (!pTemplate)
        return FALSE;
    m_nIDTemplate = pTemplate->id;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateFromTemplate(pTemplate, m_pParentWnd, false);
}

BOOL CDialog::CreateFromTemplate(const DLGTEMPLATE_TABLE* t, CWnd* pParentWnd, bool modal)
{
    if (GetSafeHwnd())
        return FALSE;
    m_bModal = modal;
    const char* face = t->fontFace && *t->fontFace ? t->fontFace : "MS Shell Dlg";
    const int points = t->pointSize > 0 ? t->pointSize : 8;
    m_pFont = std::make_unique<CFont>();
    if (!m_pFont->CreatePointFont(points * 10, face))
        m_pFont.reset();
    m_baseUnits = AfxDialogBaseUnits(face, points);

    DWORD style = t->style & ~WS_VISIBLE;
    const bool child = (style & WS_CHILD) != 0;
    if (!child)
        style |= WS_POPUP;
    CRect rc(t->x, t->y, t->x + t->cx, t->y + t->cy);
    AfxMapDialogRect(&rc, m_baseUnits);
    CWnd* parent = pParentWnd;
    if (!child && !parent)
        parent = AfxGetMainCWnd();
    if (child && !parent)
        return FALSE;
    if (!CreateEx(t->exStyle, "#32770", t->caption, style, rc, parent, child ? t->id : 0, nullptr))
        return FALSE;
    const HWND self = GetSafeHwnd();
    if (m_pFont)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), FALSE);

    for (int i = 0; i < t->itemCount && IsWindow(self); ++i)
    {
        const DLGITEM_TABLE& item = t->items[i];
        CRect r(item.x, item.y, item.x + item.cx, item.y + item.cy);
        AfxMapDialogRect(&r, m_baseUnits);
        auto* w = new CWnd;
        WndAccess::SetLayerOwned(w);
        DWORD exStyle = item.exStyle;
        DWORD itemStyle = AfxDialogItemStyle(item);
        // Bordered edits, list boxes and the like get the sunken 3-D edge of dialogs.
        if ((itemStyle & WS_BORDER) && (item.kind == DLGI_EDITTEXT || item.kind == DLGI_LISTBOX))
        {
            itemStyle &= ~WS_BORDER;
            exStyle |= WS_EX_CLIENTEDGE;
        }
        // A failed item is deleted by its own PostNcDestroy.
        if (!w->CreateEx(exStyle, AfxDialogItemClass(item), item.text ? item.text : "", itemStyle, r, this,
                         static_cast<UINT>(item.id), nullptr))
            continue;
        if (m_pFont)
            w->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), FALSE);
        if (item.kind == DLGI_DEFPUSHBUTTON)
            SendMessage(DM_SETDEFID, static_cast<WPARAM>(item.id), 0);
    }
    if (!IsWindow(self))
        return FALSE;

    if (!child && ((t->style & DS_CENTER) || (t->x == 0 && t->y == 0)))
        CenterWindow();
    CWnd* first = nullptr;
    for (CWnd* w = GetWindow(GW_CHILD); w && !first; w = w->GetWindow(GW_HWNDNEXT))
        if (w->GetStyle() & WS_TABSTOP)
            first = w;
    if (modal && !child && !ModalHook::IsEnabled())
        if (QWidget* w = GetWidget())
            w->setWindowModality(Qt::ApplicationModal);
    if (modal || (t->style & WS_VISIBLE))
        ShowWindow(SW_SHOW);
    if (!IsWindow(self))
        return FALSE;
    // OnInitDialog may bind objects to the items (DDX_Control): keep the handle, not the object.
    const HWND hFirst = first ? first->GetSafeHwnd() : nullptr;
    const LRESULT focusFirst = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(hFirst), 0);
    if (!IsWindow(self))
        return FALSE;
    if (focusFirst && IsWindowVisible())
        if (CWnd* firstNow = CWnd::FromHandle(hFirst))
            GotoItem(this, firstNow);
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

namespace
{
// When a modal dialog ends, the window that was active before it (else its owner, else the
// main window) is active again with its focus where it was: a view keeps the keys across the
// dialogs its keys open.
void ActivateAgain(QWidget* before, CWnd* owner)
{
    QWidget* top = before && before->isVisible() ? before : nullptr;
    if (!top)
    {
        CWnd* o = owner ? owner : AfxGetMainCWnd();
        if (o && IsWindow(o->GetSafeHwnd()) && o->GetWidget())
            top = o->GetWidget()->window();
    }
    ActivateTopLevel(top);
}
} // namespace

INT_PTR CDialog::DoModal()
{
    const DLGTEMPLATE_TABLE* t = AfxFindDialogTemplate(m_nIDTemplate);
    if (!t || GetSafeHwnd())
        return -1;
    ResetModalState();
    const QPointer<QWidget> activeBefore = QApplication::activeWindow();

    ModalHook::DialogAnswer answer;
    bool found = false;
    if (ModalHook::TakeDialogAnswer(this, m_nIDTemplate, &answer, &found))
    {
        MODAL_RECORD record;
        record.kind = MODAL_RECORD::Dialog;
        record.id = m_nIDTemplate;
        record.caption = t->caption ? t->caption : "";
        record.answered = found;
        if (!found)
        {
            record.result = IDCANCEL;
            ModalHook::Record(record);
            return IDCANCEL;
        }
        if (!CreateFromTemplate(t, m_pParentWnd, true))
            return -1;
        const HWND self = GetSafeHwnd();
        if (ContinueModal())
        {
            const INT_PTR code = answer(this);
            if (IsWindow(self) && ContinueModal())
            {
                if (code == MODALHOOK_RUN_LOOP)
                {
                    // The dialog's own loop, as a person would leave it running; a dialog that
                    // never ends itself fails the test instead of hanging it.
                    bool timedOut = false;
                    // A timer of this call's own, gone with it: the dialog's window may outlive
                    // the dialog (destroyed while a message is in flight, it goes later).
                    QTimer timeout;
                    timeout.setSingleShot(true);
                    QObject::connect(&timeout, &QTimer::timeout, [this, &timedOut] {
                        if (ContinueModal())
                        {
                            timedOut = true;
                            EndDialog(IDCANCEL);
                        }
                    });
                    timeout.start(ModalHook::LoopTimeout());
                    RunModalLoop();
                    if (timedOut)
                    {
                        CString message;
                        message.Format("The modal loop of dialog %u did not end within %d ms", m_nIDTemplate,
                                       ModalHook::LoopTimeout());
                        ModalHook::ReportFailure(message);
                    }
                }
                else
                    EndDialog(static_cast<int>(code));
            }
        }
        record.result = m_nModalResult;
        ModalHook::Record(record);
        if (IsWindow(self))
            DestroyWindow();
        m_bModal = false;
        ActivateAgain(activeBefore, m_pParentWnd);
        return record.result;
    }

    if (!CreateFromTemplate(t, m_pParentWnd, true))
        return -1;
    const HWND self = GetSafeHwnd();
    if (ContinueModal())
        RunModalLoop();
    const INT_PTR result = m_nModalResult;
    if (IsWindow(self))
        DestroyWindow();
    m_bModal = false;
    ActivateAgain(activeBefore, m_pParentWnd);
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
    {
        EndModalLoop(nResult);
        if (QWidget* w = GetWidget())
            w->hide();
    }
    else
        ShowWindow(SW_HIDE);
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    StepFocus(const_cast<CDialog*>(this), false);
}

void CDialog::PrevDlgCtrl() const
{
    StepFocus(const_cast<CDialog*>(this), true);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    GotoItem(this, pWndCtrl);
}

void CDialog::SetDefID(UINT nID)
{
    SendMessage(DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(const_cast<CDialog*>(this)->SendMessage(DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    AfxMapDialogRect(lpRect, m_baseUnits);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg && pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSCHAR && GetSafeHwnd())
        return IsDialogMessage(GetSafeHwnd(), pMsg);
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// CDialogEx
// ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL bRepaint)
{
    m_brBkgr.DeleteObject();
    m_brBkgr.CreateSolidBrush(color);
    if (bRepaint && GetSafeHwnd())
        Invalidate();
}

HBRUSH CDialogEx::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_brBkgr.GetSafeHandle() && (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC))
    {
        if (nCtlColor == CTLCOLOR_STATIC && pDC)
            pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brBkgr.GetSafeHandle());
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---------------------------------------------------------------------------------------
// Data exchange
// ---------------------------------------------------------------------------------------

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (CUserException* e)
    {
        e->Delete();
        return FALSE;
    }
    catch (CException* e)
    {
        AfxReportException(e);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    CWnd* item = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    return item ? item->GetSafeHwnd() : nullptr;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_pDlgWnd)
        if (CWnd* item = m_pDlgWnd->GetDlgItem(static_cast<int>(m_idLastControl)))
        {
            item->SetFocus();
            if (m_bEditLastControl)
                item->SendMessage(EM_SETSEL, 0, -1);
        }
    AfxThrowUserException();
}

namespace
{
CString ItemText(CDataExchange* pDX, int nIDC)
{
    CString text;
    if (CWnd* item = CWnd::FromHandle(pDX->PrepareEditCtrl(nIDC)))
        item->GetWindowText(text);
    return text;
}

void SetItemText(CDataExchange* pDX, int nIDC, const CString& text)
{
    if (CWnd* item = CWnd::FromHandle(pDX->PrepareEditCtrl(nIDC)))
        item->SetWindowText(text);
}

// Reads a whole integer in [lo, hi]; anything else fails the exchange.
long long ReadInteger(CDataExchange* pDX, int nIDC, long long lo, long long hi)
{
    CString text = ItemText(pDX, nIDC);
    text.Trim();
    const char* s = text.GetString();
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(s, &end, 10);
    if (!*s || end == s || *end != '\0' || errno == ERANGE || v < lo || v > hi)
    {
        AfxMessageBox("Please enter an integer.", MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    return v;
}

double ReadReal(CDataExchange* pDX, int nIDC, double limit)
{
    CString text = ItemText(pDX, nIDC);
    text.Trim();
    const char* s = text.GetString();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s, &end);
    if (!*s || end == s || *end != '\0' || errno == ERANGE || !std::isfinite(v) || std::fabs(v) > limit)
    {
        AfxMessageBox("Please enter a number.", MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    return v;
}

template <typename T> void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi)
{
    if (pDX->m_bSaveAndValidate)
        value = static_cast<T>(ReadInteger(pDX, nIDC, lo, hi));
    else
    {
        CString text;
        text.Format("%lld", static_cast<long long>(value));
        SetItemText(pDX, nIDC, text);
    }
}

void RangeFailure(CDataExchange* pDX, const CString& message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// The items of a radio group starting at nIDC: up to the next item with WS_GROUP.
std::vector<CWnd*> RadioGroup(CDataExchange* pDX, int nIDC)
{
    std::vector<CWnd*> group;
    CWnd* first = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    for (CWnd* w = first; w; w = w->GetWindow(GW_HWNDNEXT))
    {
        if (w != first && (w->GetStyle() & WS_GROUP))
            break;
        const DWORD type = w->GetStyle() & BS_TYPEMASK;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            group.push_back(w);
    }
    return group;
}
} // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.GetSafeHwnd())
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h || !rControl.SubclassWindow(h))
    {
        CString message;
        message.Format("DDX_Control: dialog item %d cannot be bound", nIDC);
        qWarning("%s", message.GetString());
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bSaveAndValidate)
        value = ItemText(pDX, nIDC);
    else
        SetItemText(pDX, nIDC, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    // The system's long is Windows' 32-bit LONG wherever it is stored.
    ExchangeInteger(pDX, nIDC, value, INT32_MIN, INT32_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, 255);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    if (pDX->m_bSaveAndValidate)
        value = ReadReal(pDX, nIDC, DBL_MAX);
    else
    {
        CString text;
        text.Format("%.*g", DBL_DIG, value);
        SetItemText(pDX, nIDC, text);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    if (pDX->m_bSaveAndValidate)
        value = static_cast<float>(ReadReal(pDX, nIDC, FLT_MAX));
    else
    {
        CString text;
        text.Format("%.*g", FLT_DIG, static_cast<double>(value));
        SetItemText(pDX, nIDC, text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    CWnd* item = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(item->SendMessage(BM_GETCHECK, 0, 0));
    else
        item->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    const std::vector<CWnd*> group = RadioGroup(pDX, nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = static_cast<int>(i);
        return;
    }
    for (size_t i = 0; i < group.size(); ++i)
        group[i]->SendMessage(BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    CWnd* item = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(item->SendMessage(CB_GETCURSEL, 0, 0));
    else
        item->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    CWnd* item = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        item->GetWindowText(value);
        return;
    }
    const LRESULT at = item->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(value.GetString()));
    if (at == CB_ERR)
        item->SetWindowText(value);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    CWnd* item = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(item->SendMessage(LB_GETCURSEL, 0, 0));
    else
        item->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    CWnd* item = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(item->SendMessage(TBM_GETPOS, 0, 0));
    else
        item->SendMessage(TBM_SETPOS, TRUE, value);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    message.Format("Please enter an integer between %d and %d.", minVal, maxVal);
    RangeFailure(pDX, message);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    message.Format("Please enter an integer between %u and %u.", minVal, maxVal);
    RangeFailure(pDX, message);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    message.Format("Please enter a number between %.*g and %.*g.", DBL_DIG, minVal, DBL_DIG, maxVal);
    RangeFailure(pDX, message);
}

void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    message.Format("Please enter a number between %.*g and %.*g.", FLT_DIG, static_cast<double>(minVal),
                   FLT_DIG, static_cast<double>(maxVal));
    RangeFailure(pDX, message);
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate)
    {
        if (CWnd* item = CWnd::FromHandle(pDX->PrepareEditCtrl(static_cast<int>(pDX->m_idLastControl))))
            item->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString message;
    message.Format("Enter no more than %d characters.", nChars);
    RangeFailure(pDX, message);
}
