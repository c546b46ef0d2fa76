// CDeklinoDlg: the modal magnetic-variation calculator. The user types a position (latitude and
// longitude in the program's geographical format, height in metres above the ellipsoid) and a
// date (today when it opens), and sees declination, inclination, the intensities and
// components, the grid variation and the annual change of each, from the World Magnetic
// Model. A date outside the model's validity is computed (extrapolated) with a warning, not
// refused. The last position calculated is kept in the settings file "Magnetic Variation".
#pragma once

#include "platform/core/OleDateTime.h"
#include "outside/deklino/MagneticModel.h"
#include "platform/ui/Dialog.h"

class CDeklinoDlg : public CDialog
{
public:
    explicit CDeklinoDlg(CWnd* pParent = nullptr);

    // The date the dialog opens with (today unless set before DoModal).
    void SetDate(const COleDateTime& date) { m_Date = date; }

    // Reads the typed position and date and shows the field. False when a value cannot be
    // used: a message names it, its text stays for correcting, and the results are cleared.
    bool Calculate();

    // The last field calculated, its position (radians, metres) and decimal year.
    const MagneticFieldDef& GetField() const { return m_Field; }
    double GetLatitude() const { return m_dLatitude; }
    double GetLongitude() const { return m_dLongitude; }
    double GetHeight() const { return m_dHeight; }
    double GetDecimalYear() const { return m_dYear; }
    const CMagneticModel& GetModel() const { return m_Model; }

    // Reads a typed date: "10 Dec 2026", "2026-12-10", "10/12/2026" (day first) or a decimal
    // year ("2026.94"). False for anything else.
    static bool ParseDateText(const char* text, double& decimalYear);

    BOOL OnInitDialog() override;

protected:
    // Enter calculates; only Close (or Escape) ends the dialog.
    void OnOK() override;
    void OnCalculate();
    DECLARE_MESSAGE_MAP()

private:
    void ShowField();
    void ClearField();
    void LoadPosition();
    bool SavePosition() const;

    CMagneticModel m_Model;
    COleDateTime m_Date;
    double m_dLatitude = 0.0;
    double m_dLongitude = 0.0;
    double m_dHeight = 0.0;
    double m_dYear = 0.0;
    MagneticFieldDef m_Field;
};
