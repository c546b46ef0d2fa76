// CDtmPane: the pane in which the user names the up to three XYZ files a terrain model is built
// from, loads the model, and styles and reads its coverage: six file buttons and "Load DTMs"
// above the model's property grid. It tells its owner of a changed model with UM_UPDATE_DTM.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/Font.h"

class CDtm;

class TOLVAR_API CDtmPane : public CDockablePane
{
    DECLARE_DYNAMIC(CDtmPane)
public:
    CDtmPane();
    ~CDtmPane() override;

    // The pane "DTM Properties" of `pOwner` over the host's model, which must outlive the pane.
    // The owner receives every message the pane posts. FALSE when the window or one of its
    // controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, CDtm* pDtm);
    using CDockablePane::Create;

    // Rebuilds the grid from the model.
    void InitPropList();
    // The file buttons in two rows of three, "Load DTMs" beside them over both rows, the grid
    // below down to the bottom.
    virtual void AdjustLayout();

    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }
    void SetVSDotNetLook(BOOL bSet);

    // The controls, for the host and for tests: the buttons in the order "Add DTM 1",
    // "Clear DTM 1", "Add DTM 2", "Clear DTM 2", "Add DTM 3", "Clear DTM 3", "Load DTMs".
    CMyMFCPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }
    CColourButton* GetButton(int nIndex) const;

    // Message handlers.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    void OnAddDtmOne() { ChooseFile(0); }
    void OnAddDtmTwo() { ChooseFile(1); }
    void OnAddDtmThree() { ChooseFile(2); }
    void OnRemoveDtmOne() { ClearSlot(0); }
    void OnRemoveDtmTwo() { ClearSlot(1); }
    void OnRemoveDtmThree() { ClearSlot(2); }
    void OnLoadDtm();
    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

    // The data words of the grid's items; the pens' are those of slot one plus 3 per slot.
    enum ITEM
    {
        ITEM_DISPLAY_COVERAGE = 1,
        ITEM_PEN_COLOUR = 2,
        ITEM_PEN_FILL = 3,
        ITEM_PEN_WIDTH = 4,
        ITEM_LAST = 10
    };
    static constexpr int BUTTON_COUNT = 7;

protected:
    void SetPropListFont();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    // "Add DTM n": a file from the dialog into the first free slot up to `nButton`.
    void ChooseFile(int nButton);
    // "Clear DTM n": the later files move down one slot.
    void ClearSlot(int nSlot);
    // A changed file list: the grid made from the old files goes, the settings are saved, the
    // grid rebuilt and the owner told.
    void FilesChanged();
    void PostToOwner(UINT message) const;

    CFont m_fntPropList;
    CMyMFCPropertyGridCtrl m_wndPropList;
    CColourButton* m_pButtons[BUTTON_COUNT] = {};
    CDtm* m_pDtm = nullptr;
    CWnd* m_pOwner = nullptr;
};
