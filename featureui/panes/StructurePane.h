// CStructurePane: the pane in which the user loads structure files, picks the structure to
// edit and edits its name, position, height, heading, shape and size, with the structure's
// shape drawn below the grid. It works on the structure list's edit selection, so the chart
// and the pane always show the same structure.
#pragma once

#include "featureui/panes/FeaturePane.h"
#include "features/StructureList.h"

class CStructureView;

class TOLVAR_API CStructurePane : public CFeaturePaneOf<CStructureList>
{
    DECLARE_DYNAMIC(CStructurePane)
public:
    CStructurePane();
    ~CStructurePane() override;

    // The pane "Structure Property" of the host `pOwner` (null: messages go to the main
    // window) over the host's list, which must outlive the pane. FALSE when the window or one
    // of its controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, CStructureList* pStructureList);
    using CFeaturePane::Create;

    void AdjustLayout() override;
    void SetupComboBox() override;
    // Builds the grid for the structure file at `path` and makes it the edit file; nothing is
    // rebuilt for the file the grid already shows unless `force`.
    void InitPropList(const char* path, bool force);
    void InitPropList() override;
    void CreateTable() override {}
    void UpdateAllPositions() override {}

    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) override;
    void OnStructureCombo();
    void OnAdd() override;
    void OnRemove() override;
    // Centres the chart on the edited structure; false when none is edited.
    bool MoveToEditPoint();

    // The host's ways to bring the pane up to date after the chart changed the selection or a
    // structure.
    void Update();
    void UpdateProperty();
    void UpdatePosition();
    void UpdateShape();
    void UpdateNameComboBox();
    void AddStructure();
    void UpdateView();
    // The grid's live-edit colours.
    void SetEdit(bool bEdit);

    CStructureView* GetStructureView() const { return m_pView; }

    // The data words of the grid's items.
    enum ITEM
    {
        ITEM_DISPLAY = 1,
        ITEM_NAME = 2,
        ITEM_EASTING = 3,
        ITEM_NORTHING = 4,
        ITEM_HEIGHT = 5,
        ITEM_HEADING = 6,
        ITEM_ADD_DELETE = 7,
        ITEM_SHAPE = 8,
        ITEM_LENGTH = 9
    };

protected:
    void OnFileCombo() override { OnStructureCombo(); }
    void MakeCurrentFile(int nFile) override;

private:
    // The edited file, or null; the edited structure, or null (an index past the file's end
    // is cleared).
    CStructure* EditFile() const;
    StructureDef* EditStructure();
    // Whether the grid holds its full item set rather than "No Files Selected".
    bool HasFullGrid() const;
    // Makes the file at that path (letter case ignored) the edit file, keeping the structure
    // when it is one of its; false when no file has the path.
    bool SelectFileByPath(const CString& path);
    // A new structure at the end of the edited file, made the edited one.
    void AppendStructure(CStructure& file);
    void PressAddDelete(int nButton);
    void FillNameOptions(CMFCPropertyGridProperty* pName, CStructure* pFile);
    void SetItemValue(DWORD_PTR id, const COleVariant& value);
    void SetItemDouble(DWORD_PTR id, double value);
    void PostFeatureUpdate() const;

    CStructureView* m_pView = nullptr; // deletes itself with its window
    CString m_strShownPath;
};
