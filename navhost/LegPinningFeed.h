// CLegPinningFeed: what the host hands the leg pinning pane once a second: every receiver of
// the vessel in turn (the one the vessel navigation feed silences shown silent here too), the
// gyro and MRU, the tracking point, the target and the legs.
//
// The legs are fixed to the hull: the host places them with the vessel's other tracking points
// at each fix (FollowFix), so they move towards their target as the vessel closes on it.
#pragma once

class CHostData;
class CLegPinningPane;

class CLegPinningFeed
{
public:
    void Attach(CHostData& data) { m_pData = &data; }
    // One second of the host: every group of the pane refreshed, receiver `silent` (-1 none)
    // marked silent.
    void Update(int silent, CLegPinningPane& pane);

private:
    CHostData* m_pData = nullptr;
};
