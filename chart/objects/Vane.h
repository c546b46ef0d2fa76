// CVane: the chart's compass panel of vanes: one arrow per measured flow (the current, the
// wind), as long as its speed against a common scale and turned to its direction, the speeds
// of the first two written in the panel's top corners. Which vanes show is kept in the settings
// file "Vane".
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/ui/Dc.h"

// One vane.
struct VaneDef
{
    BYTE show;        // drawn in the panel
    BYTE valid;       // updated since the settings were loaded
    CString name;     // "Current", "Wind"
    double direction; // degrees clockwise from the top of the panel
    double speed;     // m/s
    COLORREF colour;
};

class CVane : public CArray<VaneDef, const VaneDef&>
{
public:
    CVane();
    ~CVane() override = default;
    CVane(const CVane&) = delete;
    CVane& operator=(const CVane&) = delete;

    // Appends a vane of that name and colour, hidden, not valid, at rest; its index.
    int AddVane(const char* name, COLORREF colour);

    // Which vanes show, one line a vane in list order ("%s = 1" or "%s = 0" with its name).
    // Loading clears every valid flag; a missing file or line hides the vane.
    void LoadSettings();
    void SaveSettings();

    // The panel, 240 × 240 pixels centred on (x, y) of `target`, drawn in memory and copied:
    // the rose, then each shown vane's arrow, and for vanes 0 and 1 the label "%s:%4.1fm/s" in
    // the top-left and top-right corners. Nothing is drawn while no vane is both shown and
    // valid. The scale, the m/s of a full-length arrow, is the greatest such speed raised to
    // 1, 5, 10, 50 or 100.
    void Draw(CDC* target, int x, int y);
    // The disc, the degree ticks, the circle and the bearing numbers of a panel of that size
    // (pixels); sets centreX, centreY and the arrows' full length, radius.
    void DrawRose(CDC* memory, int left, int top, int right, int bottom);
    // The arrow of a flow of `speed` (m/s) towards `direction` (degrees clockwise from the
    // top), from the centre, radius × speed / scale pixels long, filled in `colour`.
    void DrawArrow(double direction, double speed, CDC* dc, COLORREF colour);

    // Fields, in this order.
    int centreX = 0; // panel pixels, set by DrawRose
    int centreY = 0;
    int radius = 0;
    double scale = 1.0;
    COLORREF backColour = 0x000000;
    COLORREF roseColour = 0xFFFFFF;
    COLORREF textColour = 0x00FFFF;
    LOGFONT font;
    CString settingsName = "Vane";

    static constexpr int kPanelSize = 240;
};
