#include "geodesy/UdpArray.h"

#include "foundation/CsvParser.h"
#include "foundation/Folders.h"
#include "platform/core/StdioFile.h"

CUdpArray::CUdpArray() : m_strName("UDP Ports") {}

CUdpArray::~CUdpArray()
{
    Stop();
}

CString CUdpArray::GetListFileName() const
{
    CString folder = GetSettingsFolder() + "UDP_Ports\\";
    CreateFolderPath(folder);
    CString path;
    path.Format("%s%s.%s", folder.GetString(), m_strName.GetString(), "UDP");
    return path;
}

bool CUdpArray::Load(CCmdTarget* pTarget)
{
    m_pTarget = pTarget;
    Stop();
    CStdioFile file;
    if (!file.Open(GetListFileName(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return false;
    CString line;
    CCsvParser parser;
    while (file.ReadString(line))
    {
        parser.SetLine(line);
        const double number = parser.GetDouble();
        // A port outside 1..65535 would be cut to some other port, so it is skipped.
        if (!(number >= 1.0 && number <= 65535.0))
            continue;
        const WORD port = static_cast<WORD>(number);
        CString name = parser.GetString();
        name.Trim();
        if (CUdpReader* existing = FindReader(port))
        {
            existing->m_strName = name;
            continue;
        }
        CUdpReader* reader = new CUdpReader;
        reader->m_strName = name;
        Add(reader);
        reader->Open(pTarget, port);
    }
    file.Close();
    return true;
}

void CUdpArray::Stop()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        CUdpReader* reader = GetAt(i);
        reader->Stop();
        reader->m_RxBuffer.Free();
        delete reader;
    }
    RemoveAll();
}

CUdpReader* CUdpArray::FindReader(UINT port) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i)->m_nPort == port)
            return GetAt(i);
    return nullptr;
}

INT_PTR CUdpArray::TakeLines(WPARAM wParam, LPARAM lParam, CStringArray& lines)
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        CUdpReader* reader = GetAt(i);
        if (reader->m_nPort == wParam &&
            (lParam == 0 || reinterpret_cast<LPARAM>(&reader->m_RxBuffer) == lParam))
            return reader->TakeLines(lines);
    }
    return 0;
}
