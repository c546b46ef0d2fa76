// CScanView: one head of a scanning profiler sonar as the pilot watches it: a metric lattice
// below the head (one cell above it, the range in metres below, half the swath each side), the
// head's seabed and pipe profiles drawn on it, and the pipe's cross-section as a circle.
//
// Positions in metres from the head: across positive right, down positive down. The view reads
// the host's head record only while painting, and writes the profiles' colours when its night
// mode is set (the host's profiles take the view's colours).
#pragma once

#include "platform/ui/View.h"
#include "rov/RovApi.h"

#include <memory>

class CTritech;
class OffscreenCanvas;
class CTritechProfile;

class ROV_API CScanView : public CView
{
    DECLARE_DYNCREATE(CScanView)
public:
    // The colour table's entries, in order.
    enum COLOUR_ROLE
    {
        BACKGROUND,
        LATTICE_AREA,
        LATTICE_LINES,
        PIPE,
        TIMEOUT_BACKGROUND,
        LABELS,
        COLOURS
    };
    static const COLORREF DAY_COLOURS[COLOURS];
    static const COLORREF NIGHT_COLOURS[COLOURS];
    // The whole view while its head is not in use.
    static constexpr COLORREF INACTIVE_COLOUR = 0x555555;
    // The profiles' colours the view gives the host's profiles: the first alternates by the
    // profile's place in the head's list (even, odd), the second is the same for all.
    static constexpr COLORREF DAY_EVEN = 0x8080FF, DAY_ODD = 0x80FF80, DAY_SECOND = 0xFF80FF;
    static constexpr COLORREF NIGHT_EVEN = 0x0000FF, NIGHT_ODD = 0x00FF00, NIGHT_SECOND = 0xFF00FF;
    // The lattice's inset from the view's edges, in pixels.
    static constexpr int MARGIN_LEFT = 40, MARGIN_TOP = 20, MARGIN_RIGHT = 40, MARGIN_BOTTOM = 40;

    CScanView();
    ~CScanView() override;

    // The head to draw (the host's record; null for none); its profiles take the colours of the
    // current night mode at once.
    void SetData(CTritech* pHead);
    CTritech* GetData() const { return m_pHead; }
    // The lattice turns to the time-out colour while set.
    void SetTimeout(bool bTimeout);
    bool IsTimedOut() const { return m_bTimeout; }
    void SetDaylightMode();
    // The colours of night or day, the head's profiles recoloured; repaints.
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNight; }
    COLORREF GetColour(int role) const { return role >= 0 && role < COLOURS ? m_Colours[role] : 0; }

    // The lattice's divisions for a range (metres) of the sonar's settings, 2 to 500: true
    // when the range is one of them; otherwise the divisions stay as they were.
    bool SetRange(int range);
    int GetDivisions() const { return m_nDivisions; }

    // The whole picture for `rect` of `pDC`, drawn off screen and copied in one block; nothing
    // when the off-screen bitmap cannot be made.
    void Draw(CDC* pDC, CRect rect);

    // The last drawing's lattice (in the drawing's coordinates, from the rectangle's corner),
    // its cell in pixels, the head's place on it and its scale. The scale is 0 while the head's
    // range is 0 or less: there is then no metre to place a point by.
    const CRect& GetLatticeRect() const { return m_LatticeRect; }
    int GetCell() const { return m_nCell; }
    CPoint GetOrigin() const { return m_Origin; }
    double GetPixelsPerMetre() const { return m_dPixelsPerMetre; }
    // Where a position (metres from the head) falls on the last drawing, in whole pixels; false
    // when it cannot be placed: no scale, a position that is not a number, or a pixel beyond
    // what a screen coordinate can hold.
    bool ToScreen(double across, double down, POINT* point) const;

protected:
    void OnDraw(CDC* pDC) override;
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    // The lattice over `rect` with its lines and labels; sets the lattice, cell, origin and
    // scale used by what is drawn on it.
    void DrawCrossProfileLattice(CDC* pDC, const RECT* rect);
    void DrawProfile(CDC* pDC, const CTritechProfile& profile);
    // The pipe (across and down in metres from the head, diameter in metres) as a filled circle
    // whose top touches its point.
    void DrawPipeCrossSection(CDC* pDC, double x, double y, double size);

private:
    void ApplyColours();

    bool m_bNight = false;
    bool m_bTimeout = false;
    int m_nDivisions = 4;
    CRect m_LatticeRect;
    int m_nCell = 0;
    double m_dPixelsPerMetre = 0.0;
    CPoint m_Origin;
    COLORREF m_Colours[COLOURS] = {};
    CTritech* m_pHead = nullptr;
    std::unique_ptr<OffscreenCanvas> m_pCanvas;
};
