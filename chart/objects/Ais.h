// CAis: the host's store of AIS targets as the chart reads and draws it: the targets, each with
// a stable identifier, and the settings of their drawing (category brushes, label box, heading
// line and cross pens, options). The host fills and updates it under its mutex; the chart
// classifies and draws each target and toggles its selected flag.
//
// Units: positions grid metres (DBL_MAX none); headings and courses radians clockwise from grid
// north (-1 none); speed over ground as the host's receivers give it; dimensions whole metres from the position reference.
#pragma once

#include "chart/ChartexaApi.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiObject.h"

#include <cstdint>

// What a target's fill tells.
enum AIS_CATEGORY
{
    AIS_UNKNOWN = 0,
    AIS_CLASS_A = 1,
    AIS_CLASS_B = 2,
    AIS_FLAGGED = 3,
    AIS_STOPPED = 4,
    AIS_MOORED = 5,
    AIS_ANCHORED = 6,
    AIS_BASE_STATION = 7,
    AIS_SAR = 8,
    AIS_ATON = 9,
    AIS_CATEGORIES = 10
};

struct AisTargetDef
{
    uint32_t Key = 0; // the store's stable identifier, never reused
    BYTE flagged = 0;
    char classLetter = 'A'; // 'A', 'B', 'N' aid to navigation, 'S' search and rescue, 'X' base station
    CString typeText;
    int toBow = 0;
    int toStern = 0;
    int toPort = 0;
    int toStarboard = 0;
    CString line4Text;
    CString id; // MMSI
    double rateOfTurn = 0.0;
    BYTE mooredFlag = 0;
    BYTE anchoredFlag = 0;
    BYTE lowSpeedMode = 0;
    CString name;
    double E = DBL_MAX;
    double N = DBL_MAX;
    double heading = -1.0;
    double sinHeading = 0.0;
    double cosHeading = 1.0;
    double speed = 0.0;
    double course = -1.0;
    double sinCourse = 0.0;
    double cosCourse = 1.0;
    CString line2[2];
    CString line3[2];
    int category = AIS_UNKNOWN;
    bool selected = false;
    int state = 0;
    CXYArray history;  // past grid positions, oldest first
    CXYArray velocity; // the velocity vector's points
};

class CHARTEXA_API CAis
{
public:
    CAis();
    ~CAis();
    CAis(const CAis&) = delete;
    CAis& operator=(const CAis&) = delete;

    // Adds a copy of `target` under a new identifier, which it returns.
    uint32_t AddTarget(const AisTargetDef& target);
    // The target of that identifier; null when the store holds none.
    AisTargetDef* FindTarget(uint32_t key) const;
    // Removes and frees the target; false when there is none of that identifier.
    bool RemoveTarget(uint32_t key);
    INT_PTR GetCount() const { return m_Targets.GetSize(); }
    AisTargetDef* GetTarget(INT_PTR index) const { return m_Targets.GetAt(index); }

    // The category and type text by class letter: 'A' and 'B' are class A and B unless flagged,
    // stopped (speed below 0.2, or 0.5 in low-speed mode), anchored (not in low-speed mode) or
    // moored, in that order; 'N', 'S', 'X' are aids, search and rescue and base stations; any
    // other letter is category 0 with its type text kept.
    static void ClassifyTarget(AisTargetDef& target);
    // Selects the brush of the target's category into `dc`; the brush it replaced, or null for a
    // category outside 0..9 (nothing selected).
    CBrush* SelectCategoryBrush(CDC* dc, const AisTargetDef& target);
    // The target's outline in screen pixels about (x, y), turned by its heading (else course):
    // the 18-point hull scaled by `pixelsPerMetre` when scaled outlines are on and the hull is at
    // least 10 pixels long and 6 wide, else a 4-point closed triangle. False (nothing built) for
    // a target with no position or with neither heading nor course. `points` holds 18.
    bool BuildTargetShape(const AisTargetDef& target, int x, int y, POINT* points, int* count,
                          double pixelsPerMetre) const;
    // The symbol (hull or triangle with its cross and heading line; a circle of radius 5 when no
    // shape builds) and the label box below it.
    void DrawTarget(CDC* dc, int x, int y, AisTargetDef& target, double pixelsPerMetre);
    // The heading line, 18 pixels along the heading, and the turn stroke at its end.
    void DrawHeadingLine(CDC* dc, int x, int y, const AisTargetDef& target);
    // A cross of ±5 pixels along and across an orientation of that cosine and sine.
    static void DrawCross(CDC* dc, int x, int y, double cosine, CPen* pen, double sine);
    // The label text by the label options, lines joined by "\n"; empty when none is on.
    CString LabelText(const AisTargetDef& target) const;

    // display settings
    CBrush m_CategoryBrushes[AIS_CATEGORIES];
    CBrush m_LabelBrush;
    CBrush m_LabelFrameBrush;
    CFont m_LabelFont;
    COLORREF m_LabelColour = 0x000000;
    CPen m_HeadingPen;
    CPen m_CrossPens[2];
    BYTE largeSymbols = 0;
    BYTE showHeadingLine = 1;
    BYTE showTurnIndicator = 1;
    BYTE scaledOutlines = 1;
    BYTE showVelocityVector = 0;
    BYTE labelName = 1;
    BYTE labelLine2 = 0;
    BYTE labelLine3 = 0;
    BYTE labelLine4 = 0;
    // what the paint shows
    bool m_bShowClassA = true;
    bool m_bShowClassB = true;
    bool m_bShowHistory = false;
    bool m_bHistoryPoints = false;
    CString m_OwnId; // the own vessel's identifier: its class B report is not drawn
    CBrush m_HistoryBrush;

private:
    CArray<AisTargetDef*, AisTargetDef*> m_Targets;
    uint32_t m_NextKey = 1;
};
