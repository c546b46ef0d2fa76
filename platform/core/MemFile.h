// CMemFile: a file held in memory, for in-memory archives and tests.
#pragma once

#include "platform/core/File.h"

class PLATFORM_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // An empty file whose buffer grows in steps of `growBytes`.
    explicit CMemFile(UINT growBytes = 1024);
    // A file over the caller's buffer, which stays the caller's (it is never freed here; Detach
    // hands it back). With growBytes 0 the buffer is fixed and holds the file's `size` bytes;
    // writing past it throws CMemoryException. Otherwise the file starts empty and the buffer,
    // which must then come from malloc, is reallocated as the file grows.
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    ~CMemFile() override;

    // Same as the constructor over a buffer; a buffer attached before is let go of first.
    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Hands the buffer (malloc'ed, or the attached one) to the caller and empties the file.
    BYTE* Detach();

    // A memory file is always open; the name is only a label.
    BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG newLength) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // The bytes written so far (GetLength of them).
    const BYTE* GetBuffer() const { return m_lpBuffer; }

private:
    void Grow(size_t newSize);
    void Free();

    BYTE* m_lpBuffer = nullptr;
    size_t m_nBufferSize = 0;
    size_t m_nFileSize = 0;
    size_t m_nPosition = 0;
    UINT m_nGrowBytes = 1024;
    bool m_bAutoDelete = true;
};
