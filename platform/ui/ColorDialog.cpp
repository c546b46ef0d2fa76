#include "platform/ui/ColorDialog.h"

#include "platform/ui/Colour.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QColorDialog>

IMPLEMENT_DYNAMIC(CMFCColorDialog, CDialog)

CMFCColorDialog::CMFCColorDialog(COLORREF clrInit, DWORD, CWnd* pParentWnd)
    : CDialog(0u, pParentWnd), m_Colour(clrInit)
{
}

INT_PTR CMFCColorDialog::DoModal()
{
    MODAL_RECORD record;
    record.kind = MODAL_RECORD::ColourDialog;
    record.caption = "Colours";
    COLORREF colour = m_Colour;
    bool chosen = false, found = false;
    if (ModalHook::TakeColourDialogAnswer(&colour, &chosen, &found))
        record.answered = found;
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    {
        CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainCWnd();
        QColorDialog dialog(ToQColor(m_Colour), owner ? owner->GetWidget() : nullptr);
        dialog.setOption(QColorDialog::DontUseNativeDialog, true);
        if (dialog.exec() == QDialog::Accepted)
        {
            chosen = true;
            colour = ToColorRef(dialog.selectedColor());
        }
    }
    if (chosen)
        m_Colour = colour;
    record.result = chosen ? IDOK : IDCANCEL;
    ModalHook::Record(record);
    return record.result;
}
