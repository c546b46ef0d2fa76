// The framework's exceptions. They are thrown as pointers to heap objects and the catcher
// calls Delete(), as the system's code expects:
//
//     try { ar >> value; }
//     catch (CException* e) { e->Delete(); }
//
// Only the framework raises them (bad index, archive and file failures, memory); the
// system's own failures are returned as bool or counts.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"

class PLATFORM_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    // Frees the exception object; the catcher owns it.
    void Delete() { delete this; }
    virtual BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const;
    CString GetMessage() const;
};

class PLATFORM_API CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
};

class PLATFORM_API CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
};

class PLATFORM_API CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
};

class PLATFORM_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
    {
    }
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class PLATFORM_API CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };
    explicit CArchiveException(int cause = none, const char* fileName = nullptr)
        : m_cause(cause), m_strFileName(fileName)
    {
    }
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] PLATFORM_API void AfxThrowInvalidArgException();
[[noreturn]] PLATFORM_API void AfxThrowMemoryException();
[[noreturn]] PLATFORM_API void AfxThrowNotSupportedException();
[[noreturn]] PLATFORM_API void AfxThrowFileException(int cause, LONG osError = -1, const char* fileName = nullptr);
[[noreturn]] PLATFORM_API void AfxThrowArchiveException(int cause, const char* fileName = nullptr);
