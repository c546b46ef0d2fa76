// CPitchRollView: a motion reference unit's attitude as a pilot reads it at a glance: sky and
// ground inside a circle, a compass rose around it showing the true heading, a depth scale that
// moves under a fixed centre line, and the heading, pitch and roll as corner texts.
//
// Angles in degrees: heading clockwise from true north; positive pitch raises the horizon,
// positive roll lowers its right end. Depth in metres, positive down. A value equal to
// PITCH_ROLL_NO_VALUE (the largest double) is missing and its part of the drawing is left out;
// a value that is not a number or infinite is taken as missing too. No setter repaints.
#pragma once

#include "platform/ui/GdiObject.h"
#include "platform/ui/View.h"
#include "rov/RovApi.h"

#include <cfloat>
#include <memory>

class OffscreenCanvas;

constexpr double PITCH_ROLL_NO_VALUE = DBL_MAX;

class ROV_API CPitchRollView : public CView
{
    DECLARE_DYNCREATE(CPitchRollView)
public:
    CPitchRollView();
    ~CPitchRollView() override;

    void SetPitchRoll(double pitch, double roll);
    void SetTrueHeading(double heading);
    void SetDepth(double depth);
    // The background turns to the time-out colour while set.
    void SetTimeout(bool bTimeout);
    void SetDisplayText(bool bDisplay);
    // Kept for the host; the depth scale shows whenever the depth has a value.
    void SetDisplayDepth(bool bDisplay);
    // The rose turns so that the heading is at the top, under a fixed marker.
    void SetRotateRose(bool bRotate);
    // The night or the day colours.
    void SetNightMode(bool bNight);

    double GetPitch() const { return m_Pitch; }
    double GetRoll() const { return m_Roll; }
    double GetTrueHeading() const { return m_TrueHeading; }
    double GetDepth() const { return m_Depth; }
    bool IsTimedOut() const { return m_bTimeout; }
    bool GetNightMode() const { return m_bNight; }
    bool GetDisplayText() const { return m_bDisplayText; }
    bool GetDisplayDepth() const { return m_bDisplayDepth; }
    bool GetRotateRose() const { return m_bRotateRose; }

    // The whole picture for `rect` of `pDC`, drawn off screen and copied in one block; nothing
    // when the off-screen bitmap cannot be made.
    void Draw(CDC* pDC, CRect rect);

    // The colours by role (0x00BBGGRR).
    struct Colours
    {
        COLORREF Background;
        COLORREF Timeout;
        COLORREF Rose;     // rose disc and depth band
        COLORREF RoseText; // rose outline and text, inner disc outline, depth labels
        COLORREF Text;     // corner texts
        COLORREF Symbol;   // aircraft symbol, depth centre line
        COLORREF Tick;     // rose and depth ticks
        COLORREF Sky;
        COLORREF Ground;
    };
    static const Colours DAY_COLOURS;
    static const Colours NIGHT_COLOURS;
    const Colours& GetColours() const { return m_Colours; }

    // The horizon's ends for an indicator of radius `r` (pixels) about `centre`: point 1 the
    // right end and point 2 the left at zero roll, each truncated to whole pixels.
    static void CalculateHorizon(POINT centre, double r, double pitch, double roll, POINT* p1, POINT* p2);
    // The text of a corner's value: the heading (kinds 4 and 1) as "%6.2lf°", the pitch and
    // roll (kinds 3 and 2) signed as "%+06.2lf°", a missing value as "??????°" (0xB0 degree sign).
    static CString ValueText(double value, int kind);
    // The ground polygon of an indicator in `square` with the horizon `p1`, `p2`: the three
    // corners of the square on the ground's side, then p1 and p2.
    static void GroundPolygon(const CRect& square, POINT p1, POINT p2, POINT polygon[5]);

protected:
    void OnDraw(CDC* pDC) override;
    // The view is never the frame's active view: a click leaves the activation as it is.
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    // The drawing's steps, kept apart so that a host can draw a piece on its own.
    // The rose square (the largest centred in `rect`) and the indicator's square: the same, or
    // 70 % of it when the heading has a value (the rose then rings the indicator).
    void CalculateComponentRectangles(RECT* rect);
    // pt.y becomes cos·pt.x - sin·pt.y of the angle, truncated to whole pixels.
    void CalculatePitch(POINT* pt, double degrees);
    // The point at `degrees` clockwise from the top on the circle of diameter `d` less `inset`,
    // centred in a square of side `d` at the origin.
    POINT ComputePtOnCircle(double d, double inset, double degrees);
    // Rotates `pt` clockwise on the screen by `degrees` about `centre`, to whole pixels.
    void RotatePoint2D(POINT* pt, POINT* centre, double degrees);
    void DrawMovingScale(CDC* pDC, RECT* square, double depth);
    void DrawCompassRose(CDC* pDC, double heading);
    // A value in its corner: kind 4 the heading (top left), 3 the pitch (bottom left), 2 the
    // roll (bottom right), 1 a top-right box without a title.
    void DisplayText(CDC* pDC, double value, int kind, CRect rect);

    double m_Pitch = PITCH_ROLL_NO_VALUE;
    double m_Roll = PITCH_ROLL_NO_VALUE;
    double m_TrueHeading = PITCH_ROLL_NO_VALUE;
    double m_Depth = PITCH_ROLL_NO_VALUE;
    CRect m_AttitudeRect;
    CRect m_RoseRect;
    bool m_bNight = false;
    bool m_bTimeout = false;
    Colours m_Colours;
    bool m_bDisplayText = false;
    bool m_bDisplayDepth = false;
    bool m_bRotateRose = false;
    // The off-screen picture, kept from one painting to the next.
    std::unique_ptr<OffscreenCanvas> m_pCanvas;

private:
    void DrawAttitude(CDC* pDC);
};
