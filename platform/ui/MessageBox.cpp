#include "platform/ui/MessageBox.h"

#include "platform/core/String.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace
{
struct BoxButton
{
    int id;
    QMessageBox::StandardButton qt;
};

std::vector<BoxButton> ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK)
    {
    case MB_OKCANCEL:
        return {{IDOK, QMessageBox::Ok}, {IDCANCEL, QMessageBox::Cancel}};
    case MB_ABORTRETRYIGNORE:
        return {
            {IDABORT, QMessageBox::Abort}, {IDRETRY, QMessageBox::Retry}, {IDIGNORE, QMessageBox::Ignore}};
    case MB_YESNOCANCEL:
        return {{IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}, {IDCANCEL, QMessageBox::Cancel}};
    case MB_YESNO:
        return {{IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, QMessageBox::Retry}, {IDCANCEL, QMessageBox::Cancel}};
    case MB_CANCELTRYCONTINUE:
        return {{IDCANCEL, QMessageBox::Cancel},
                {IDTRYAGAIN, QMessageBox::Retry},
                {IDCONTINUE, QMessageBox::Ignore}};
    default:
        return {{IDOK, QMessageBox::Ok}};
    }
}

// What closing the box (Escape, the window's close) answers.
int EscapeAnswer(UINT type)
{
    switch (type & MB_TYPEMASK)
    {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDCANCEL;
    }
}

int ShowBox(QWidget* owner, const CString& text, const CString& caption, UINT type)
{
    MODAL_RECORD record;
    record.kind = MODAL_RECORD::MessageBox;
    record.caption = caption;
    record.text = text;
    record.flags = type;
    int result = IDCANCEL;
    bool found = false;
    if (ModalHook::TakeMessageBoxAnswer(&result, &found))
    {
        if (!found)
        {
            CString message;
            message.Format("A message box was shown with no answer prepared: \"%s\"", text.GetString());
            ModalHook::ReportFailure(message);
        }
        record.result = result;
        record.answered = found;
        ModalHook::Record(record);
        return result;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return EscapeAnswer(type);

    QMessageBox box(owner);
    box.setWindowTitle(caption.ToQString());
    box.setText(text.ToQString());
    switch (type & MB_ICONMASK)
    {
    case MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONASTERISK:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    const std::vector<BoxButton> buttons = ButtonsOf(type);
    std::vector<QAbstractButton*> made;
    for (const BoxButton& b : buttons)
        made.push_back(box.addButton(b.qt));
    const size_t def = (type & MB_DEFMASK) >> 8;
    if (def < made.size())
        box.setDefaultButton(static_cast<QPushButton*>(made[def]));
    box.exec();
    result = EscapeAnswer(type);
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            result = buttons[i].id;
    record.result = result;
    ModalHook::Record(record);
    return result;
}

CString AppCaption()
{
    const char* name = AfxGetAppName();
    return CString(name ? name : "");
}
} // namespace

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    CWnd* main = AfxGetMainCWnd();
    return ShowBox(main ? main->GetWidget() : nullptr, lpszText ? lpszText : "", AppCaption(), nType);
}

int MessageBox(HWND__* hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    CWnd* owner = CWnd::FromHandle(hWnd);
    return ShowBox(owner ? owner->GetWidget() : nullptr, lpText ? lpText : "",
                   lpCaption ? CString(lpCaption) : AppCaption(), uType);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ShowBox(GetWidget(), lpszText ? lpszText : "", lpszCaption ? CString(lpszCaption) : AppCaption(),
                   nType);
}
