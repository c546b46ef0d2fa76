// CScreenGrab: a chart view's screen grabs: the view's picture written as a 256-colour
// run-length-encoded bitmap in the year's log folder, and every bitmap of that folder then
// gathered into the day's ZIP archive there. Its settings ("SnapShot") are read and kept; the
// chart does not act on them.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

class CScreenGrab
{
public:
    // `prefix` starts every grab's name: "B_" for a view with a status bar, "R_" for one
    // with a remote data view.
    explicit CScreenGrab(const char* prefix = "") : prefix(prefix) {}

    // Reads "SnapShot": the interval (a number truncated, 600 for a missing line), then the
    // two flags (true unless their lines say 0). A missing file gives 600 and both flags off.
    void LoadSnapShotSettings();

    // Captures the view into "<prefix><date>@hhmmss.BMP" in the year's log folder, then
    // gathers the folder's bitmaps into "<date>.zip" there. True, with the message to show
    // once the paint has let go of the host's lock, when the bitmap was written; false, the
    // message empty and no file left, when nothing could be captured or written.
    bool GrabView(CWnd* view, CString& message);

    bool autoGrab = false;
    bool grabFlag2 = false;
    int interval = 600; // seconds
    CString prefix;
    double lastGrabTime = 0.0; // seconds since 2000-01-01 00:00 local time
};

// Writes the picture of `view` (the whole screen without a view) as "<folder><name>.BMP":
// the window's rectangle on the screen, cut to the screen, reduced to the bitmap palette and
// run-length encoded. The file is written whole or not at all. False when the rectangle is
// empty, no picture could be taken, or the file could not be written.
bool CaptureWindowToFile(const char* folder, const char* name, CWnd* view);
