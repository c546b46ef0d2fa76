// CTargetQCPane: how well a tracked object (a vessel or a template) sits on its target: the
// tracking point's position, its range or box offsets from the target against the target
// plot's tolerances, and its heading, pitch and roll against the object's tolerances. It only
// shows: no row can be edited and the pane handles no change.
//
// Grid positions: 0 "Tracking Point", 1 "Tolerance", 2 "Heading", 3 "MRU" (with a gyro) or
// "MRU One" (without), 4 "MRU Two" (only without a gyro). Whether there is a gyro is fixed at
// creation: with one, the heading is the gyro's and one MRU gives pitch and roll; without, the
// host hands the first of two MRU records, each giving a heading, pitch and roll.
//
// Units: eastings and northings in grid metres, the range and the box offsets in metres (a
// ring radius kept in nautical miles is judged as 1852 m to the mile), angles in degrees.
// A value that is not a number, or the records' no-value marker, shows empty and is judged
// out of tolerance.
#pragma once

#include "survey/SurveyApi.h"
#include "survey/SurveyPane.h"

class CGyro;
class CMFCGroupPropertyGridProperty;
class CMFCPropertyGridMetricProperty;
class CMFCPropertyGridTolerance;
class CMru;
class CTrackObject;

class SURVEY_API CTargetQCPane : public CSurveyPane
{
    DECLARE_DYNAMIC(CTargetQCPane)

public:
    // Grid positions of the groups.
    enum GROUP
    {
        GROUP_TRACKING_POINT,
        GROUP_TOLERANCE,
        GROUP_HEADING,
        GROUP_MRU_ONE,
        GROUP_MRU_TWO,
        GROUPS
    };
    // Metres in one international nautical mile.
    static constexpr double METRES_PER_NAUTICAL_MILE = 1852.0;

    CTargetQCPane();
    ~CTargetQCPane() override;

    // 1 when made, 0 (nothing stored) when the docking pane cannot be made. The object, gyro
    // and MRU records stay the host's and must outlive the pane. `pGyro` may be null (no gyro);
    // `pMru` points at one record with a gyro and the first of two without, or is null: the
    // MRU rows then stay empty.
    int Create(const char* title, CWnd* pParent, int nID, CTrackObject* pObject, CGyro* pGyro, CMru* pMru);

    void InitPropList() override;

    // The tracked object's position and target values changed; `name` is the tracking point's
    // name to show. Range against the ring radius, or the box offsets against the box sizes,
    // by the object's "Shape Box" flag at this call. Nothing without an object.
    void Update(const char* name);
    // The gyro's grid heading against the target heading; nothing on a pane without a gyro.
    void UpdateGyro();
    // MRU record `index` gave data: index 0 always, index 1 only on a pane without a gyro;
    // any other index, or no MRU records, changes nothing.
    void UpdateMru(int index);

    bool HasGyro() const { return m_pGyro != nullptr; }
    // The group at a grid position, null when the pane has none there.
    CMFCGroupPropertyGridProperty* GetGroup(int position) const;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The value with the no-value marker taken as not a number.
    static double Shown(double value);
    // The ring radius in metres, from metres or nautical miles as the target plot keeps it.
    double RangeTolerance() const;
    bool IsBox() const;
    // Pitch and roll of one MRU record into the rows of one MRU group.
    void ShowAttitude(const CMru& mru, int group);

    CTrackObject* m_pObject = nullptr;
    CGyro* m_pGyro = nullptr;
    CMru* m_pMru = nullptr;

    CMFCGroupPropertyGridProperty* m_pGroups[GROUPS] = {};
    CMFCPropertyGridProperty* m_pName = nullptr;
    CMFCPropertyGridMetricProperty* m_pEasting = nullptr;
    CMFCPropertyGridMetricProperty* m_pNorthing = nullptr;
    CMFCPropertyGridTolerance* m_pRange = nullptr;
    CMFCPropertyGridTolerance* m_pPositionX = nullptr;
    CMFCPropertyGridTolerance* m_pPositionY = nullptr;
    // The heading rows: the gyro's, or MRU one's and MRU two's.
    CMFCPropertyGridTolerance* m_pHeading[2] = {};
    // Pitch and roll of MRU one and MRU two.
    CMFCPropertyGridTolerance* m_pPitch[2] = {};
    CMFCPropertyGridTolerance* m_pRoll[2] = {};
};
