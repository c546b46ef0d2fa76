#include "outside/communication/ComPortProperty.h"

#include "platform/io/ComPortTable.h"

#include <unistd.h>

namespace
{
const char kNone[] = "None";

CString PortName(int port)
{
    CString name;
    name.Format("COM%d", port);
    return name;
}
} // namespace

CMFCPropertyComPortProperty::CMFCPropertyComPortProperty(const CString& strName, unsigned short nPort,
                                                         bool bAnyPort, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(static_cast<long>(nPort)), lpszDescr, dwData),
      m_bAnyPort(bAnyPort)
{
    AllowEdit(FALSE);
    RefreshPorts();
}

void CMFCPropertyComPortProperty::SetPort(int nPort)
{
    SetValue(COleVariant(static_cast<long>(nPort)));
}

void CMFCPropertyComPortProperty::RefreshPorts()
{
    RemoveAllOptions();
    AddOption(kNone);
    for (int port = 1; port <= MAX_PORT; ++port)
    {
        const CString device = AfxGetComPortDevice(static_cast<UINT>(port));
        if (device.IsEmpty())
            continue;
        if (m_bAnyPort || access(device, F_OK) == 0)
            AddOption(PortName(port));
    }
}

CString CMFCPropertyComPortProperty::FormatProperty()
{
    const int port = GetPort();
    return port <= 0 ? CString(kNone) : PortName(port);
}

BOOL CMFCPropertyComPortProperty::TextToVar(const CString& strText)
{
    CString text = strText;
    text.Trim();
    if (text.CompareNoCase(kNone) == 0)
    {
        SetPort(0);
        return TRUE;
    }
    for (int i = 1; i < GetOptionCount(); ++i)
    {
        if (text.CompareNoCase(GetOption(i)) == 0)
        {
            SetPort(static_cast<int>(AfxComPortNumberFromName(GetOption(i))));
            return TRUE;
        }
    }
    return FALSE;
}
