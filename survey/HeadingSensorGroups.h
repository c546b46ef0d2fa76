// CHeadingSensorGroups: the heading part of the vessel panes (vessel navigation, leg pinning):
// the gyro's group, the MRU's group "Motion Reference Unit" and the gyro against the MRU, with
// the rules both panes keep for them: each built only for the devices given, the gyro showing
// the MRU's heading-use flag (the host keeps it in the low byte), each shown while its devices
// are active (the gyro also while there is no MRU), and the comparison recomputed whenever
// either device reports.
#pragma once

class CGyro;
class CMFCGyroGroupGridProperty;
class CMFCHeadingComparisonGroupGridProperty;
class CMFCMruGroupGridProperty;
class CMru;
class CMyMFCPropertyGridCtrl;

class CHeadingSensorGroups
{
public:
    // Forgets every group (the grid owns them) and takes the pane's devices; either may be null.
    void Reset(CMyMFCPropertyGridCtrl* pGrid, CGyro* pGyro, CMru* pMru);
    // The groups of the devices given, at the next positions: gyro, MRU, and the comparison
    // when both are.
    void Add();
    void Show();

    // The gyro's group refreshed with the MRU's heading use and highlighted; the comparison
    // recomputed. Nothing without a gyro.
    void UpdateGyro();
    // The MRU's group refreshed and highlighted, after the gyro's group took the MRU's heading
    // use when `useToGyro`; the comparison recomputed. Nothing without an MRU.
    void UpdateMru(bool useToGyro);
    // The device's group marked silent; nothing without it.
    void GyroTimeout();
    void MruTimeout();

    // -1 for a group not built.
    int GetGyroPosition() const { return m_nGyroPosition; }
    int GetMruPosition() const { return m_nMruPosition; }
    int GetComparisonPosition() const { return m_nComparisonPosition; }

private:
    // The MRU's heading-use flag; `withoutMru` when there is none.
    bool MruUsesHeading(bool withoutMru) const;
    bool GyroActive() const;
    bool MruActive() const;

    CMyMFCPropertyGridCtrl* m_pGrid = nullptr;
    CGyro* m_pGyro = nullptr;
    CMru* m_pMru = nullptr;
    // Owned by the grid.
    CMFCGyroGroupGridProperty* m_pGyroGroup = nullptr;
    CMFCMruGroupGridProperty* m_pMruGroup = nullptr;
    CMFCHeadingComparisonGroupGridProperty* m_pComparison = nullptr;
    int m_nGyroPosition = -1;
    int m_nMruPosition = -1;
    int m_nComparisonPosition = -1;
};
