// CSurveyDemo: what the host keeps up to date for the Survey panes, once a second: the vessel's
// further receivers placed from its reference point and heading, its GPS heading, its range,
// bearing and position off the target, and the KP and DCC of its reference point on the pipe
// route; the template's CRP by source, its headings and its reflector baseline; and the lists
// of the template's receivers, MRUs and total stations that the panes are handed.
//
// Units: grid metres, KP in kilometres, headings and bearings in degrees clockwise from grid
// north, [0, 360).
#pragma once

#include "platform/core/Array.h"

class CGps;
class CHostData;
class CHostRecords;
class CLaser;
class CMru;

class CSurveyDemo
{
public:
    // Wires the vessel to the host's receivers and fills the template's lists from `records`.
    void Attach(CHostData& data, CHostRecords& records);
    // The run-time fields for the moment `seconds` after the host started; nothing before
    // Attach.
    void Update(double seconds);

    CArray<CGps*, CGps*> m_TemplateGps;
    CArray<CMru*, CMru*> m_TemplateMrus;
    CArray<CLaser*, CLaser*> m_TotalStations;

private:
    void UpdateVessel();
    void UpdateTemplate(double seconds);

    CHostData* m_pData = nullptr;
    CHostRecords* m_pRecords = nullptr;
};
