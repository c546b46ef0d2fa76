#include "outside/panes/RefusalNote.h"

void CRefusalNote::Refused(CMFCPropertyGridProperty& item, const CString& strText, const CString& strWhy)
{
    if (!m_bRefused)
        m_strOwn = item.GetDescription();
    m_bRefused = true;
    CString note;
    note.Format("\"%s\" was refused. %s", static_cast<LPCSTR>(strText), static_cast<LPCSTR>(strWhy));
    if (!m_strOwn.IsEmpty())
        note += "\n" + m_strOwn;
    item.SetDescription(note);
}

void CRefusalNote::Taken(CMFCPropertyGridProperty& item)
{
    if (!m_bRefused)
        return;
    m_bRefused = false;
    item.SetDescription(m_strOwn);
}
