#include "platform/ui/ToolBar.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/View.h"

#include <QAction>
#include <QToolBar>

#include <map>
#include <mutex>

IMPLEMENT_DYNCREATE(CMFCToolBar, CPane)

BOOL CMFCToolBar::m_bLargeIcons = FALSE;

namespace
{
constexpr const char* kToolBarClass = "AfxToolBar";

struct ToolBarClassRegistrar
{
    ToolBarClassRegistrar()
    {
        AfxRegisterControlClass(
            kToolBarClass,
            [](HWND, const CREATESTRUCT&, QWidget* parent) -> QWidget* {
                auto* bar = new QToolBar(parent);
                bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
                return bar;
            },
            [](CWnd*, UINT, WPARAM, LPARAM, LRESULT*) -> BOOL { return FALSE; });
    }
} g_toolBarClass;

struct ToolBarTemplates
{
    std::mutex lock;
    std::map<UINT, std::pair<const UINT*, int>> tables;
};

ToolBarTemplates& Templates()
{
    static auto* registry = new ToolBarTemplates;
    return *registry;
}

// The update handler's view of one button.
class CToolCmdUI : public CCmdUI
{
public:
    explicit CToolCmdUI(UINT& style) : m_style(style) {}
    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        m_style = bOn ? (m_style & ~TBBS_DISABLED) : (m_style | TBBS_DISABLED);
    }
    void SetCheck(int nCheck) override
    {
        CCmdUI::SetCheck(nCheck);
        m_style &= ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            m_style |= TBBS_CHECKED | TBBS_CHECKBOX;
        else if (nCheck == 2)
            m_style |= TBBS_INDETERMINATE | TBBS_CHECKBOX;
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }

private:
    UINT& m_style;
};
} // namespace

void AfxRegisterToolBarTemplate(UINT nIDResource, const UINT* pIDs, int nCount)
{
    ToolBarTemplates& t = Templates();
    std::lock_guard<std::mutex> guard(t.lock);
    t.tables[nIDResource] = {pIDs, nCount};
}

CMFCToolBar::CMFCToolBar() = default;

CMFCToolBar::~CMFCToolBar() = default;

BEGIN_MESSAGE_MAP(CMFCToolBar, CPane)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CMFCToolBar::OnIdleUpdateCmdUI)
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMFCToolBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = kToolBarClass;
    return CPane::PreCreateWindow(cs);
}

BOOL CMFCToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CMFCToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect, UINT nID)
{
    if (!pParentWnd || GetSafeHwnd())
        return FALSE;
    SetPaneStyle(dwStyle & CBRS_ALIGN_ANY);
    if (!CWnd::CreateEx(0, kToolBarClass, nullptr, (dwStyle | WS_CHILD) & ~(CBRS_ALIGN_ANY | CBRS_GRIPPER),
                        CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    // The name by which a frame's saved layout finds the bar again. Bars that share an id (a
    // frame's mode toolbars) are numbered in the order they are made, so that each keeps its
    // own place.
    const QString name = QString("ToolBar-%1").arg(nID);
    QString unique = name;
    QWidget* top = pParentWnd->GetWidget() ? pParentWnd->GetWidget()->window() : nullptr;
    const auto taken = [top, this](const QString& candidate) {
        if (!top)
            return false;
        for (QWidget* other : top->findChildren<QWidget*>(candidate))
            if (other != GetWidget())
                return true;
        return false;
    };
    for (int n = 2; taken(unique); ++n)
        unique = QString("%1-%2").arg(name).arg(n);
    GetWidget()->setObjectName(unique);
    if (pParentWnd->IsFrameWnd())
        pParentWnd->ToFrameWnd()->AddControlBar(this);
    return TRUE;
}

void CMFCToolBar::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->RemoveControlBar(this);
    for (Button& b : m_buttons)
        b.action = nullptr;
    CPane::OnDestroy();
}

BOOL CMFCToolBar::LoadToolBar(UINT uiResID, UINT, UINT, BOOL, UINT, UINT, UINT)
{
    std::pair<const UINT*, int> table{nullptr, 0};
    {
        ToolBarTemplates& t = Templates();
        std::lock_guard<std::mutex> guard(t.lock);
        const auto it = t.tables.find(uiResID);
        if (it == t.tables.end())
            return FALSE;
        table = it->second;
    }
    return SetButtons(table.first, table.second);
}

BOOL CMFCToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    auto* bar = qobject_cast<QToolBar*>(GetWidget());
    if (!bar || nIDCount < 0 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    bar->clear();
    m_buttons.clear();
    const HWND self = m_hWnd;
    for (int i = 0; i < nIDCount; ++i)
    {
        Button b;
        b.id = lpIDArray[i];
        if (b.id == 0)
        {
            b.style = TBBS_SEPARATOR;
            b.action = bar->addSeparator();
            m_buttons.push_back(b);
            continue;
        }
        // The command's string: its prompt, then after '\n' the button's short text.
        CString text, prompt;
        if (AfxLoadString(b.id, text))
        {
            const int nl = text.Find('\n');
            b.text = nl >= 0 ? text.Mid(nl + 1) : text;
            prompt = nl >= 0 ? text.Left(nl) : CString();
        }
        if (b.text.IsEmpty())
            b.text.Format("%u", b.id);
        b.action = bar->addAction(b.text.ToQString());
        // The tooltip says what the button does, in the prompt's words where there is one.
        b.action->setToolTip((prompt.IsEmpty() ? b.text : prompt).ToQString());
        const UINT id = b.id;
        QObject::connect(b.action, &QAction::triggered, [self, id]() {
            auto* me = static_cast<CMFCToolBar*>(CWnd::FromHandle(self));
            if (me)
                if (CFrameWnd* frame = me->GetCommandTarget())
                    ::PostMessage(frame->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
        });
        m_buttons.push_back(b);
        ApplyButton(m_buttons.back());
    }
    return TRUE;
}

UINT CMFCToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)].id : 0;
}

int CMFCToolBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_buttons[static_cast<size_t>(i)].id == nIDFind && nIDFind != 0)
            return i;
    return -1;
}

UINT CMFCToolBar::GetButtonStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)].style : 0;
}

void CMFCToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_buttons[static_cast<size_t>(nIndex)].style = nStyle;
    ApplyButton(m_buttons[static_cast<size_t>(nIndex)]);
}

CString CMFCToolBar::GetButtonText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)].text : CString();
}

BOOL CMFCToolBar::ClickButton(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    const Button& b = m_buttons[static_cast<size_t>(nIndex)];
    if (b.id == 0 || (b.style & TBBS_DISABLED))
        return FALSE;
    CFrameWnd* frame = GetCommandTarget();
    if (!frame)
        return FALSE;
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(b.id), 0), 0);
    return TRUE;
}

void CMFCToolBar::ApplyButton(Button& button)
{
    if (!button.action || button.id == 0)
        return;
    button.action->setEnabled(!(button.style & TBBS_DISABLED));
    const bool checkable = (button.style & TBBS_CHECKBOX) != 0;
    button.action->setCheckable(checkable);
    if (checkable)
        button.action->setChecked((button.style & TBBS_CHECKED) != 0);
}

CFrameWnd* CMFCToolBar::GetCommandTarget() const
{
    if (CWnd* owner = GetOwner(); owner && owner->IsFrameWnd())
        return owner->ToFrameWnd();
    return GetTopLevelFrame();
}

void CMFCToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget)
        return;
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        Button& b = m_buttons[i];
        if (b.id == 0)
            continue;
        CToolCmdUI state(b.style);
        state.m_nID = b.id;
        state.m_nIndex = static_cast<UINT>(i);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
        ApplyButton(b);
    }
}

LRESULT CMFCToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (CFrameWnd* frame = GetCommandTarget())
        OnUpdateCmdUI(frame, static_cast<BOOL>(wParam));
    return 0;
}
