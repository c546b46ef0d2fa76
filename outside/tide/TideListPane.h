// CTideListPane: the base of the tide panes that show a table: an optional chooser (a drop-down
// list) and an optional line of text above a report list that fills the rest of the pane, with
// the list's day and night colours.
#pragma once

#include "foundation/MyDockablePane.h"
#include "foundation/MyListCtrl.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Static.h"

#include <vector>

class CTideListPane : public CMyDockablePane
{
public:
    static constexpr UINT IDC_TIDE_LIST = 1;
    static constexpr UINT IDC_TIDE_CHOOSER = 2;
    static constexpr UINT IDC_TIDE_CAPTION = 3;

    CTideListPane() = default;
    ~CTideListPane() override;

    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNight; }

    CMyListCtrl& GetList() { return m_List; }
    // Null for a pane without one.
    CComboBox* GetChooser() { return m_bChooser ? &m_Chooser : nullptr; }
    CString GetCaption() const;

protected:
    // The pane with those columns; a chooser and a caption line when asked. FALSE when a window
    // could not be made.
    BOOL CreateListPane(CWnd* pOwner, int nID, const char* title, const std::vector<const char*>& columns,
                        bool chooser, bool caption);
    void ClearRows();
    void AddRow(const std::vector<CString>& cells);
    void SetCaption(const CString& text);
    // Columns sized to what they show, after a refill.
    void FitColumns();

    // The user chose another entry of the chooser.
    virtual void OnChooserChanged() {}

    void AdjustLayout();
    void OnSize(UINT nType, int cx, int cy);
    void OnChooserSelChange();
    DECLARE_MESSAGE_MAP()

    CMyListCtrl m_List;
    CComboBox m_Chooser;
    CStatic m_Caption;
    bool m_bChooser = false;
    bool m_bCaption = false;
    bool m_bNight = false;
};
