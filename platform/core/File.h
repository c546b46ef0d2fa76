// CFile: an unbuffered binary file named by a Windows path, with the framework's open flags,
// and CFileStatus, a file's times, size and attributes.
//
// Errors of an open file (read, write, seek, close) throw CFileException pointers; Open with
// a CFileException* reports instead of throwing. Sharing flags are accepted and not enforced.
#pragma once

#include "platform/core/Exception.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "platform/core/WinTypes.h"

// A file's state as the framework reports it. Times are local CTime values.
struct PLATFORM_API CFileStatus
{
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0; // CFile::Attribute bits
    char m_szFullName[_MAX_PATH] = {0};
};

class PLATFORM_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute : BYTE
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition : UINT
    {
        begin = 0,
        current = 1,
        end = 2
    };

    static const HANDLE hFileNull;

    CFile();
    // Opens the file; failure throws a CFileException.
    CFile(LPCTSTR fileName, UINT openFlags);
    // Closes the file when open (errors are ignored).
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens a file (closing any file open before). modeCreate makes the file, emptying an
    // existing one unless modeNoTruncate is given; without modeCreate the file must exist.
    // False on failure, with the cause, Windows error and path in *error when given.
    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);

    // Bytes read (fewer only at the end of the file).
    virtual UINT Read(void* buffer, UINT count);
    // Writes all bytes or throws (diskFull, accessDenied, ...).
    virtual void Write(const void* buffer, UINT count);
    // The new position; a position before the start throws badSeek.
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    // Forces written data to the disk.
    virtual void Flush();
    // Closes the file; a failing close throws.
    virtual void Close();
    // Closes the file, ignoring every error.
    virtual void Abort();

    // The full Windows path given to Open (absolute, '\' separators).
    virtual CString GetFilePath() const;
    // The name after the last '\'.
    virtual CString GetFileName() const;
    // The name without its extension.
    virtual CString GetFileTitle() const;
    // Sets the name without opening anything; a null name throws CInvalidArgException.
    virtual void SetFilePath(LPCTSTR newName);

    // Status of the open file, or of a named file (false when it does not exist).
    BOOL GetStatus(CFileStatus& status) const;
    static BOOL GetStatus(LPCTSTR fileName, CFileStatus& status);
    // Delete and rename a file; failures throw a CFileException.
    static void Remove(LPCTSTR fileName);
    static void Rename(LPCTSTR oldName, LPCTSTR newName);

    operator HANDLE() const { return m_hFile; }

    // hFileNull while closed.
    HANDLE m_hFile = hFileNull;
    BOOL m_bCloseOnDelete = FALSE;
    CString m_strFileName;

protected:
    // Opens the mapped path with open(2) for Open and for CStdioFile; returns the descriptor,
    // or -1 with *error filled. `append` makes every write go to the end.
    int OpenDescriptor(LPCTSTR fileName, UINT openFlags, bool append, CFileException* error);
    int Descriptor() const;
    // Throws a CFileException for errno `error` (or for an unopened file when 0).
    [[noreturn]] void ThrowFromErrno(int error) const;
};

// The CFileException cause for a Windows error code.
PLATFORM_API int FileExceptionCauseFromWin32(DWORD error);
