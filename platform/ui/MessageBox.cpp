#include "platform/ui/MessageBox.h"

#include "platform/core/String.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include <algorithm>
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

// Qt sizes a message box by its text and buttons and reckons little room for the caption, but
// a window manager's title bar puts an icon and three buttons beside it: a short text cut the
// caption short. The box keeps room for the caption in the title bar's bold font and for four
// square title-bar buttons with their spacing.
void KeepRoomForCaption(QMessageBox& box)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int room = metrics.horizontalAdvance(box.windowTitle()) + 4 * (metrics.height() + 10) + 4 * metrics.averageCharWidth();
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      std::max(1, grid->columnCount()));
}

// The box with its caption, text, icon and buttons; the buttons made, in the order of `buttons`.
std::vector<QAbstractButton*> BuildBox(QMessageBox& box, const CString& text, const CString& caption, UINT type,
                                       const std::vector<BoxButton>& buttons)
{
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
    std::vector<QAbstractButton*> made;
    for (const BoxButton& b : buttons)
        made.push_back(box.addButton(b.qt));
    const size_t def = (type & MB_DEFMASK) >> 8;
    if (def < made.size())
        box.setDefaultButton(static_cast<QPushButton*>(made[def]));
    KeepRoomForCaption(box);
    return made;
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
    ModalHook::MessageBoxShownAnswer shownAnswer;
    if (ModalHook::TakeMessageBoxAnswer(&result, &found, &shownAnswer))
    {
        if (!found)
        {
            CString message;
            message.Format("A message box was shown with no answer prepared: \"%s\"", text.GetString());
            ModalHook::ReportFailure(message);
        }
        else if (shownAnswer && qobject_cast<QApplication*>(QCoreApplication::instance()))
        {
            QMessageBox box(owner);
            BuildBox(box, text, caption, type, ButtonsOf(type));
            box.show();
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            result = shownAnswer(&box);
            box.close();
        }
        record.result = result;
        record.answered = found;
        ModalHook::Record(record);
        return result;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return EscapeAnswer(type);

    QMessageBox box(owner);
    const std::vector<BoxButton> buttons = ButtonsOf(type);
    const std::vector<QAbstractButton*> made = BuildBox(box, text, caption, type, buttons);
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
