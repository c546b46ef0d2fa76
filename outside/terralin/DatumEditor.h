// CDatumEditor: the modal dialog where the user chooses the working datum transformation: a
// method, the parameter set, grid or user file of that method, and the direction. OK saves it
// in the settings file "Datum" ("Type", "Direction", "Number", "File Name") and posts
// UM_GEODETIC_UPDATE to the main window; a choice the datum engine cannot set up (a user file
// that no longer reads) is refused with a message and nothing is saved.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CDatumEditor : public CDialog
{
    DECLARE_DYNAMIC(CDatumEditor)
public:
    explicit CDatumEditor(CWnd* pParent = nullptr);
    ~CDatumEditor() override;

    static const char* GetMethodName(int method);
    // The saved choice ("Datum"; absent: method 1, direction 1, set 2).
    static void LoadChoice(int& method, int& index, int& direction);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

protected:
    void OnMethodChanged();
    void OnEntryChanged();
    DECLARE_MESSAGE_MAP()

private:
    void FillEntries(int method);
    void ShowDetails();

    CComboBox m_wndMethod;
    CComboBox m_wndEntry;
    CButton m_wndReverse;
};
