// CBubbleView: the tilt of a vessel or of a subsea template as a levelling bubble on a target of
// five rings, one degree of tilt per ring, with a trail of where the bubble has been, a heading
// line, an optional second MRU's bubble, and the values as text.
//
// Angles in degrees: heading and tilt heading clockwise from north, tilt angle from the
// vertical. Tilt angles wrap every 5 degrees on the target (6.5 shows at 1.5 rings) while the
// text shows the true tilt. -1.0 as the heading means no heading line; -1.0 as both second-MRU
// values means there is no second MRU. An update whose tilt angle or tilt heading is not a
// finite number is no update: it is neither drawn nor kept in the trail.
#pragma once

#include "platform/core/Array.h"
#include "platform/ui/Font.h"
#include "platform/ui/View.h"
#include "rov/RovApi.h"

// One place of the bubble: tilt angle and tilt heading, degrees. Kept as a type of this
// library's own: a library built with hidden symbols that instantiates a shared type's array
// holds a second copy of that array's code beside every other such library's.
struct BUBBLE_TILT
{
    double angle;
    double heading;
};

class ROV_API CBubbleView : public CView
{
    DECLARE_DYNCREATE(CBubbleView)
public:
    // Reads the "Bubble View" settings (template off and trail shown when the file is missing);
    // vessel-only, day colours, an 8-point Tahoma.
    CBubbleView();
    ~CBubbleView() override;

    // A visible child of `pParent` (0, 0)-(200, 200), control id 0. A vessel-only view shows the
    // vessel's tilt and offers no menu. Non-zero when created.
    int Create(CWnd* pParent, bool vesselOnly);
    using CView::Create;
    using CView::SetFont;

    // Heading, pitch, roll, tilt angle and tilt heading of the vessel's MRU; taken while the
    // view follows the vessel (the template flag is off).
    void UpdateVessel(double heading, double pitch, double roll, double tiltAngle, double tiltHeading);
    // The same of the template's MRU; taken while the view follows the template.
    void UpdateTemplate(double heading, double pitch, double roll, double tiltAngle, double tiltHeading);
    // The template's second MRU, drawn at the next repaint; a value that is not finite is ignored.
    void UpdateTemplate2ndMRU(double tiltAngle, double tiltHeading);
    // A vessel-only view never follows the template.
    void SetVesselOnly(bool bVesselOnly);
    // The text of the view's parent frame window, when there is one.
    void SetTitle(const char* title);
    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const;

    bool IsTemplate() const { return m_bTemplate; }
    bool IsVesselOnly() const { return m_bVesselOnly; }
    bool IsTrailShown() const { return m_bShowTrail; }
    double GetHeading() const { return m_Heading; }
    double GetPitch() const { return m_Pitch; }
    double GetRoll() const { return m_Roll; }
    double GetTiltAngle() const { return m_TiltAngle; }
    double GetTiltHeading() const { return m_TiltHeading; }
    double Get2ndTiltAngle() const { return m_2ndTiltAngle; }
    double Get2ndTiltHeading() const { return m_2ndTiltHeading; }
    // Where the bubble has been, newest first.
    const CArray<BUBBLE_TILT>& GetTrail() const { return m_Trail; }
    // The texts as drawn: on the left heading, pitch and roll; on the right the source, tilt
    // angle and tilt heading. The degree sign is the byte 0xB0.
    void FormatTexts(CString left[3], CString right[3]) const;

    // The longest trail kept.
    static constexpr INT_PTR MAX_TRAIL = 1000;
    // The colours by role (0x00BBGGRR); the rings' red component is a number 0..255.
    struct Colours
    {
        int RingRed;
        COLORREF Background;
        COLORREF Bubble;
        COLORREF TrailDot;
        COLORREF Text;
        COLORREF HeadingLine;
        COLORREF SecondLabel;
    };
    static const Colours DAY_COLOURS;
    static const Colours NIGHT_COLOURS;
    // Ring outlines and the cross-hair.
    static constexpr COLORREF RING_PEN = 0x008080;
    // The heading rows of the context menu start here.
    static constexpr UINT MENU_HEADING = 10000;
    enum MENU_ID : UINT
    {
        MENU_VESSEL = 1,
        MENU_TEMPLATE = 2,
        MENU_SHOW_TRAIL = 3,
        MENU_CLEAR_TRAIL = 4,
    };

    // Where (tilt angle, tilt heading) lies on a target centred at (cx, cy) whose rings are
    // `ringStep` pixels apart: one ring per degree, wrapping every 5 degrees, to whole pixels.
    static POINT TiltPosition(int cx, int cy, int ringStep, double tiltAngle, double tiltHeading);

protected:
    void OnDraw(CDC* pDC) override;
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // The view's font made anew as a point font of size · 8 tenths, bold from size 12.
    void SetFont(int size);

    CArray<BUBBLE_TILT> m_Trail;
    double m_Heading = 0.0;
    double m_Pitch = 0.0;
    double m_Roll = 0.0;
    double m_TiltAngle = 0.0;
    double m_TiltHeading = 0.0;
    double m_2ndTiltAngle = -1.0;
    double m_2ndTiltHeading = -1.0;
    bool m_bTemplate = false;
    bool m_bVesselOnly = true;
    bool m_bNight = false;
    bool m_bShowTrail = true;
    Colours m_Colours;
    CFont m_Font;

private:
    friend class CBubblePane;
    void UpdateData(double heading, double pitch, double roll, double tiltAngle, double tiltHeading);
    void SaveSettings();
    // The picture of the client area `rect`, drawn at the origin of `pDC`.
    void DrawPicture(CDC* pDC, const CRect& rect);
    void DrawTexts(CDC* pDC, const CRect& rect);
};
