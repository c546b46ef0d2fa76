// CMessageLogPane: the host's log of the registered messages it receives and has no use for,
// so that a message the libraries post is never dropped unseen: one line each, newest last,
// with the time, the message's registered name and its two parameters.
#pragma once

#include "platform/ui/DockablePane.h"
#include "platform/ui/ListBox.h"

class CMessageLogPane : public CDockablePane
{
    DECLARE_DYNAMIC(CMessageLogPane)
public:
    CMessageLogPane() = default;

    // The pane "Message Log" of the frame.
    BOOL Create(CWnd* pParent, UINT nID);
    using CDockablePane::Create;

    // Appends a line; the oldest lines go beyond kMostLines.
    void Log(const char* text);
    // Appends "<name> (<wParam>, <lParam>)" and `note`.
    void LogMessage(UINT message, WPARAM wParam, LPARAM lParam, const char* note);
    int GetLineCount() const;
    CString GetLine(int index) const;

    static constexpr int kMostLines = 500;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CListBox m_List;
};

// The registered name of a suite message ("UM_FEATURE_UPDATE"), without its GUID; the number
// in hexadecimal for a message of another name.
CString RegisteredMessageName(UINT message);
