// CMFCPropertyComPortProperty: a grid row that picks a serial port: "None" (0) or one of the
// ports of the program's COM port table whose device is present on this computer ("COM3").
// The value (VT_I4) is the port number.
#pragma once

#include "platform/ui/PropertyGrid.h"

class CMFCPropertyComPortProperty : public CMFCPropertyGridProperty
{
public:
    // bAnyPort: offer every port number the table knows a device name for, present or not
    // (a port that is plugged in later); otherwise only ports whose device exists now.
    CMFCPropertyComPortProperty(const CString& strName, unsigned short nPort, bool bAnyPort,
                                LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    int GetPort() const { return static_cast<int>(GetValue().lVal); }
    void SetPort(int nPort);
    // The options anew from the table, as it stands now; the value is kept.
    void RefreshPorts();

    // The highest port number looked at.
    static constexpr int MAX_PORT = 256;

    // "None" for 0, "COMn" otherwise.
    CString FormatProperty() override;
    // "None" or one of the offered ports (letter case ignored); anything else is refused.
    BOOL TextToVar(const CString& strText) override;

private:
    bool m_bAnyPort;
};
