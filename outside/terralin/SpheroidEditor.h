// CSpheroidEditor: the modal dialog where the user chooses the working spheroid, from the
// built-in table or the user spheroid files ("SPD") of the global data folder. OK saves the
// choice (settings "Spheroid" with its name and country, and its type number in "Spheroid
// Type") and posts UM_GEODETIC_UPDATE to the main window.
#pragma once

#include "platform/core/Array.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CSpheroid;

class CSpheroidEditor : public CDialog
{
    DECLARE_DYNAMIC(CSpheroidEditor)
public:
    explicit CSpheroidEditor(CWnd* pParent = nullptr);
    ~CSpheroidEditor() override;

    // The type number of a spheroid: the table row 0..52, or 52 + n for the n-th (from 1)
    // user spheroid file in the order the folder lists them.
    static int GetSavedType();
    static bool SaveType(int type);
    // Selects the spheroid of a type number: a table row, else the (type - 52)-th user file;
    // row 26 ("WGS84") when there is no such file. False when it fell back.
    static bool SelectType(CSpheroid& spheroid, int type);
    // Full paths of the user spheroid files, in the folder's order.
    static void FindSpheroidFiles(CStringArray& paths);

    // The type chosen (valid after OK).
    int GetType() const { return m_nType; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

protected:
    void OnSelectionChanged();
    DECLARE_MESSAGE_MAP()

private:
    void ShowDetails();

    CComboBox m_wndList;
    CStringArray m_files;
    int m_nType = 26;
};
