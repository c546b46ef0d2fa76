// CEditPointDlg: the small modal dialog in which the user edits one point picked on the chart:
// its label, easting and northing and, where the caller gives them, a height and a radius. It
// writes the values straight back into the caller's variables and knows nothing of features
// or files. EditPoint is the whole of its public use.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/EditDouble.h"
#include "foundation/XYArray.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"

#define IDD_EDIT_POINT 12207
#define IDC_EDIT_POINT_LABEL 32073
#define IDC_EDIT_POINT_EASTING 32072
#define IDC_EDIT_POINT_NORTHING 32161
#define IDC_EDIT_POINT_HEIGHT 32163
#define IDC_EDIT_POINT_RADIUS 32162
#define IDC_EDIT_POINT_HEIGHT_LABEL 32354
#define IDC_EDIT_POINT_RADIUS_LABEL 32355
#define IDC_EDIT_POINT_DELETE 12077

class TOLVAR_API CEditPointDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CEditPointDlg)
public:
    explicit CEditPointDlg(CWnd* pParent = nullptr);

    // Each stores its arguments only; the dialog owns none of the caller's variables.
    void SetName(CString* name, bool editable)
    {
        m_pName = name;
        m_bNameEditable = editable;
    }
    void SetPosition(tagXY* point) { m_pPoint = point; }
    // Null hides the field and its label.
    void SetHeight(double* height) { m_pHeight = height; }
    void SetRadius(double* radius) { m_pRadius = radius; }

    CString m_Title;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Update: the label (when editable) and every shown number back to the caller.
    void OnBnClickedOk();
    // Ends with IDNO at once, writing nothing back.
    void OnClickedDelete();
    DECLARE_MESSAGE_MAP()

    CEditDouble m_NorthingEdit;
    CEditDouble m_EastingEdit;
    CColourButton m_Cancel;
    CColourButton m_Update;
    CColourButton m_Delete;
    CEditDouble m_HeightEdit;
    CStatic m_HeightLabel;
    CEdit m_LabelEdit;
    CEditDouble m_RadiusEdit;
    CStatic m_RadiusLabel;
    CString* m_pName = nullptr;
    bool m_bNameEditable = false;
    tagXY* m_pPoint = nullptr;
    double* m_pHeight = nullptr;
    double* m_pRadius = nullptr;
};

// Runs the dialog with no parent on the caller's variables (name and point must be valid,
// height and radius may be null). False when the user chose Delete; true for Update and Cancel
// alike (Cancel leaves the variables as they were).
TOLVAR_API bool EditPoint(const char* title, CString& name, bool nameEditable, tagXY* point, double* height,
                          double* radius);
