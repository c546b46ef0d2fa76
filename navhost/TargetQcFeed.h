// CTargetQcFeed: what the host hands the target QC pane over the template once a second: the
// template's tracking point as it is lowered onto its target, wandering across and along the
// target heading (up to ACROSS_METRES and ALONG_METRES off, so that a person sees the box
// offsets go out of tolerance and back), its range and offsets from the target, and its two
// MRU records just filled.
//
// Units: grid metres; the offsets across (X) and along (Y) the target heading.
#pragma once

class CTargetQCPane;
class CTemplate;

class CTargetQcFeed
{
public:
    static constexpr double ACROSS_METRES = 10.0;
    static constexpr double ALONG_METRES = 4.0;

    // The moment `seconds` after the host started: the template's run-time fields, then the
    // pane's updates. Without a valid target the fields stay and only the MRU rows move.
    static void Update(double seconds, CTemplate& object, CTargetQCPane& pane);
};
