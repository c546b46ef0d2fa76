// CDataView: one read-out box of a navigation display. Its box type chooses what it shows (a
// grid or geographic position, heading, motion, speed, depth, range and bearing, or the
// cursor's grid position); it takes only the values of its type, shows its type's label
// above them, and shows them in red while their source has timed out.
#pragma once

#include "outside/alpha/AlphaView.h"
#include "platform/core/String.h"

// What a box shows.
enum REMOTE_BOX_TYPE
{
    BOX_NONE = 0,
    BOX_GRID_POSITION = 1,
    BOX_CURSOR_POSITION = 2,
    BOX_GEOG_POSITION = 3,
    BOX_HEADING = 4,
    BOX_MOTION = 5,
    BOX_SPEED = 6,
    BOX_DEPTH = 7,
    BOX_RANGE_BEARING = 8,
    BOX_TYPES
};

class CDataView : public CAlphaView
{
public:
    static constexpr int kLines = 3;

    CDataView() = default;

    // Any number is kept; one outside the types shows nothing under the label "None".
    void SetBoxType(int type);
    int GetBoxType() const { return m_nBoxType; }
    CString GetBoxLabel() const;
    // Empties the values and ends the time-out.
    void ClearDisplay();

    // Each sets the values of its box types and ends their time-out. Positions in metres,
    // latitudes, longitudes and angles in radians, speeds in metres per second, depth in
    // metres positive down. The forms without a text keep the text last given.
    void UpdateGridPosition(const char* text, double easting, double northing); // grid position
    void UpdateGridPosition(double easting, double northing);                   // cursor position
    void UpdateGeogPosition(const char* text, double latitude, double longitude);
    void UpdateGeogPosition(double latitude, double longitude);
    void UpdateGyro(double heading);
    void UpdateGyro(double heading, double pitch, double roll);
    void UpdateMru(double roll, double pitch, double heave, double rollRate, double pitchRate, double heaveRate,
                   double heading);
    void UpdateSpeedMetresPerSecond(double forward, double lateral);
    void UpdateDepth(double depth);
    void UpdateRangeAndBearing(const char* text, double range, double bearing, double offline);
    // The time-out of a source: the boxes of its types read as timed out (or no longer).
    void GridTimeout(bool timeout);
    void GeogTimeout(bool timeout);
    void GyroTimeout(bool timeout);
    void MruTimeout(bool timeout);
    void DepthTimeout(bool timeout);

    // What the box shows: the heading line (the label, or the text a position was given
    // with) and its value lines.
    CString GetTitle() const;
    CString GetValueText(int line) const { return line >= 0 && line < kLines ? m_Lines[line] : CString(); }
    bool IsTimedOut() const { return m_bTimedOut; }

protected:
    void Draw(CDC* dc, const CRect& client) override;

private:
    // Takes the lines when the box is of `type`.
    void Show(int type, const CString& first, const CString& second = CString(), const CString& third = CString());
    void Timeout(int type, bool timeout);

    int m_nBoxType = BOX_NONE;
    CString m_Text;
    CString m_Lines[kLines];
    bool m_bTimedOut = false;
};
