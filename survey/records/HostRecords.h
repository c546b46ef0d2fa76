// CHostRecords: one of each record a host owns for the ROV and Survey panes, with arrays where
// the panes index them (receivers, MRUs, total stations, the profiler's two heads), wired
// together as a host wires them: the transponders in the USBL's list with its reference line,
// one profile with its points in each head's list. The test host and NavHost own one each.
#pragma once

#include "geodesy/Gps.h"
#include "geodesy/Gyro.h"
#include "survey/records/BathyUnit.h"
#include "survey/records/Job.h"
#include "survey/records/Laser.h"
#include "survey/records/Mru.h"
#include "survey/records/Training.h"
#include "survey/records/Tritech.h"
#include "survey/records/TssPipeTracker.h"
#include "survey/records/Usbl.h"
#include "survey/records/Wind.h"

class CHostRecords
{
public:
    static constexpr int RECEIVERS = 3;
    static constexpr int MRUS = 3;
    static constexpr int TOTAL_STATIONS = 2;
    static constexpr int PROFILER_HEADS = 2;
    static constexpr int TRANSPONDERS = 3;
    static constexpr int PROFILE_POINTS = 41;

    CHostRecords()
    {
        for (CUsblTransponder& transponder : m_Transponders)
            m_Usbl.m_Transponders.Add(&transponder);
        m_Usbl.m_pReferenceLine = &m_ReferenceLine;
        for (int head = 0; head < PROFILER_HEADS; ++head)
        {
            m_Profiles[head].m_pPoints = m_ProfilePoints[head];
            m_Profiles[head].m_PointCount = PROFILE_POINTS;
            m_Tritech[head].m_Profiles.AddTail(&m_Profiles[head]);
        }
        for (CLaser& laser : m_Lasers)
            laser.m_Observations.SetSize(1);
    }
    // The lists point into the object itself: a copy would point into the original.
    CHostRecords(const CHostRecords&) = delete;
    CHostRecords& operator=(const CHostRecords&) = delete;

    CGps m_Gps[RECEIVERS];
    CGyro m_Gyro;
    CMru m_Mru[MRUS];
    CBathyUnit m_BathyUnit;
    CWind m_Wind;
    CJob m_Job;
    CUsbl m_Usbl;
    CUsblTransponder m_Transponders[TRANSPONDERS];
    CUsblReferenceLine m_ReferenceLine;
    CTssPipeTracker m_TssPipeTracker;
    CTritech m_Tritech[PROFILER_HEADS];
    CTritechProfile m_Profiles[PROFILER_HEADS];
    TritechPointDef m_ProfilePoints[PROFILER_HEADS][PROFILE_POINTS];
    CTraining m_Training;
    CLaser m_Lasers[TOTAL_STATIONS];
};
