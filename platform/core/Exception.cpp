#include "platform/core/Exception.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace
{
BOOL Put(char* buffer, UINT maxLength, const char* text)
{
    if (!buffer || maxLength == 0)
        return FALSE;
    std::snprintf(buffer, maxLength, "%s", text);
    return TRUE;
}

const char* FileCauseText(int cause)
{
    switch (cause)
    {
    case CFileException::fileNotFound: return "The file could not be located.";
    case CFileException::badPath: return "All or part of the path is invalid.";
    case CFileException::tooManyOpenFiles: return "Too many files are open.";
    case CFileException::accessDenied: return "Access to the file was denied.";
    case CFileException::invalidFile: return "The file handle is not valid.";
    case CFileException::badSeek: return "An error occurred while setting the file position.";
    case CFileException::hardIO: return "A hardware error occurred.";
    case CFileException::sharingViolation: return "The file is in use.";
    case CFileException::diskFull: return "The disk is full.";
    case CFileException::endOfFile: return "The end of the file was reached.";
    default: return "An unexpected file error occurred.";
    }
}

const char* ArchiveCauseText(int cause)
{
    switch (cause)
    {
    case CArchiveException::readOnly: return "The archive was opened for loading.";
    case CArchiveException::endOfFile: return "Unexpected end of file while reading.";
    case CArchiveException::writeOnly: return "The archive was opened for storing.";
    case CArchiveException::badIndex: return "The file format is not valid.";
    case CArchiveException::badClass: return "An object of an unexpected type was read.";
    case CArchiveException::badSchema: return "The file was written by an incompatible version.";
    default: return "An unexpected archive error occurred.";
    }
}
} // namespace

BOOL CException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const
{
    return Put(buffer, maxLength, "An unknown error occurred.");
}

CString CException::GetMessage() const
{
    char text[512] = {0};
    GetErrorMessage(text, sizeof text);
    return CString(text);
}

BOOL CInvalidArgException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const
{
    return Put(buffer, maxLength, "Invalid argument.");
}

BOOL CMemoryException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const
{
    return Put(buffer, maxLength, "Out of memory.");
}

BOOL CNotSupportedException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const
{
    return Put(buffer, maxLength, "The operation is not supported.");
}

BOOL CFileException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const
{
    CString text(FileCauseText(m_cause));
    if (!m_strFileName.IsEmpty())
        text.AppendFormat(" (%s)", m_strFileName.GetString());
    return Put(buffer, maxLength, text);
}

BOOL CArchiveException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const
{
    CString text(ArchiveCauseText(m_cause));
    if (!m_strFileName.IsEmpty())
        text.AppendFormat(" (%s)", m_strFileName.GetString());
    return Put(buffer, maxLength, text);
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

void AfxThrowMemoryException()
{
    throw new CMemoryException();
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException();
}

void AfxThrowFileException(int cause, LONG osError, const char* fileName)
{
    throw new CFileException(cause, osError, fileName);
}

void AfxThrowArchiveException(int cause, const char* fileName)
{
    throw new CArchiveException(cause, fileName);
}
