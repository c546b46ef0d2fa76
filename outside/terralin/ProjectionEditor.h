// CProjectionEditor: the modal dialog where the user chooses the working projection: a
// projection type, then a zone or named grid of the built-in table or a user projection file
// ("PRJ") of that type, and for UTM the hemisphere. OK saves it (settings "Projection" and its
// spheroid's "Spheroid"; a named grid brings its own spheroid) and posts UM_GEODETIC_UPDATE
// to the main window.
#pragma once

#include "platform/core/Array.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

#include <vector>

class CProjection;

class CProjectionEditor : public CDialog
{
    DECLARE_DYNAMIC(CProjectionEditor)
public:
    explicit CProjectionEditor(CWnd* pParent = nullptr);
    ~CProjectionEditor() override;

    // The projection types as the type list shows them.
    static const char* GetTypeName(int type);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

protected:
    void OnTypeChanged();
    void OnEntryChanged();
    DECLARE_MESSAGE_MAP()

private:
    // One choice of the entry list: a zone of the table, or a user file.
    struct EntryDef
    {
        int zone;     // zone or entry number of the table; -1 for a file
        CString path; // the user file
    };
    void FillEntries(int type);
    // Sets up the projection (on `spheroid`) from the current choices; false when it fails.
    bool MakeProjection(CProjection& projection) const;
    void ShowDetails();

    CComboBox m_wndType;
    CComboBox m_wndEntry;
    CButton m_wndSouth;
    std::vector<int> m_types;
    std::vector<EntryDef> m_entries;
};
