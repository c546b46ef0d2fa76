// CRecordingOwner: a frame window that stands in for a host program in pane and chart tests.
// Panes dock in it and post to it; it logs every registered message it receives, in order, by
// the short name of the suite's message ("UM_REDRAW_CHART") with its wParam and lParam.
#pragma once

#include "platform/ui/FrameWnd.h"

#include <string>
#include <vector>

struct POSTED_MESSAGE
{
    std::string name; // the suite's name up to the '-' of its GUID; "0xC0nn" for any other
    WPARAM wParam = 0;
    LPARAM lParam = 0;

    bool operator==(const POSTED_MESSAGE& other) const
    {
        return name == other.name && wParam == other.wParam && lParam == other.lParam;
    }
};

// For readable failures: UM_NAME(w, l).
std::ostream& operator<<(std::ostream& out, const POSTED_MESSAGE& message);

class CRecordingOwner : public CFrameWnd
{
public:
    // A visible top-level frame of that size at the screen's corner. FALSE when not made.
    BOOL CreateOwner(int width = 640, int height = 600, LPCTSTR lpszTitle = "Host");

    // Runs the events waiting now, so that posted messages arrive, then returns the log.
    const std::vector<POSTED_MESSAGE>& Messages();
    // Lets the messages posted so far arrive, then forgets them.
    void Clear();

    // Also makes the frame the application's main window (or stops it being one).
    void SetAsMainWindow(bool bMain);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<POSTED_MESSAGE> m_Messages;
};

// The suite's name of a registered message number ("UM_FEATURE_UPDATE"), else "0xC0nn".
std::string RegisteredMessageName(UINT message);
