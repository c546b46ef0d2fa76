// CTemplatePositioningFeed: what the host hands the template positioning pane once a second:
// every template receiver, both MRUs and both total stations in turn, the records and the
// template's CRP table already filled for that moment.
//
// So that a person sees the total-station groups and rows come and go, the stations are
// switched off now and then: station two for TS2_OFF seconds of each minute, both for
// BOTH_OFF seconds after that. The host builds the pane anew whenever a station is switched
// on or off (and when a receiver is), as the pane asks of its host.
#pragma once

class CHostRecords;
class CTemplatePositioningPane;

class CTemplatePositioningFeed
{
public:
    // Seconds of each minute: station two off in [TS2_OFF_FROM, BOTH_OFF_FROM), both off in
    // [BOTH_OFF_FROM, BOTH_OFF_TO).
    static constexpr double TS2_OFF_FROM = 20.0;
    static constexpr double BOTH_OFF_FROM = 30.0;
    static constexpr double BOTH_OFF_TO = 40.0;

    // Whether total station `index` (0 or 1) is on at the moment `seconds` after the host started.
    static bool IsStationOn(int index, double seconds);

    // The moment `seconds` after the host started: the stations switched as above, the pane
    // rebuilt when the sources that can give a CRP are not those it was built with, and updated.
    void Update(double seconds, CHostRecords& records, CTemplatePositioningPane& pane);

private:
    int m_nBuiltWith = -1; // the active CRP sources, a bit each, when the pane was last built
};
