// CFeatureListCtrl: the point table of the feature panes: one row per point of the file the
// pane shows, grey by day and black by night under a dark header; a click on a row asks the
// owner (the pane) to centre the chart on that point.
#pragma once

#include "foundation/MyHeaderCtrl.h"
#include "platform/ui/ListCtrl.h"

class CFeatureListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CFeatureListCtrl)
public:
    CFeatureListCtrl() = default;
    ~CFeatureListCtrl() override = default;

    // A report table of `pOwner` with the id, in the day colours. FALSE when not made.
    BOOL CreateList(CWnd* pOwner, UINT nID);
    // Appends a left-aligned column whose heading the dark header draws.
    int AddColumn(LPCTSTR lpszHeading);
    // Night: black rows with light grey text; day: grey rows with black text. The header keeps
    // its colours.
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNight; }
    COLORREF GetBackColour() const { return m_bNight ? kNightBack : kDayBack; }

    static constexpr COLORREF kDayBack = 0xD6D6D6;
    static constexpr COLORREF kNightBack = 0x000000;
    static constexpr COLORREF kDayText = 0x000000;
    static constexpr COLORREF kNightText = 0xC0C0C0;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetupColours();

    CMyHeaderCtrl m_Header;
    COLORREF m_HeaderBackColour = 0x555555;
    COLORREF m_HeaderTextColour = 0xEBEBEB;
    bool m_bNight = false;
    CWnd* m_pOwner = nullptr;
};
