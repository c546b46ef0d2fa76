// CArchive: the framework's binary serialisation over a CFile, byte for byte as the stored
// files hold it: little-endian scalars; counts as a 16-bit count, or 0xFFFF then a 32-bit
// count; strings as a length prefix (a byte below 0xFF, else 0xFF and a 16-bit length below
// 0xFFFE, else 0xFF 0xFFFF and a 32-bit length, else 0xFF 0xFFFF 0xFFFFFFFF and a 64-bit
// length) followed by the Windows-1252 bytes.
//
// A load that runs out of bytes throws a CArchiveException pointer with the endOfFile cause;
// reading a storing archive or writing a loading one throws writeOnly / readOnly.
#pragma once

#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <vector>

class CDocument;

class PLATFORM_API CArchive
{
public:
    enum Mode : UINT
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    // The file must stay open while the archive is in use; the archive never closes it.
    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
    // Closes the archive (flushing a storing one) unless bNoFlushOnDelete; errors are dropped.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_nLoadPos == m_nLoadEnd; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes: Read returns the count read, fewer only at the end of the file.
    UINT Read(void* buffer, UINT count);
    // As Read, but a short read throws the endOfFile archive exception.
    void EnsureRead(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Storing: writes the buffered bytes to the file. Loading: gives back to the file the bytes
    // read ahead, so the file stands where the archive's reading stands.
    void Flush();
    // Flushes and lets go of the file.
    void Close();
    // Lets go of the file without writing what is buffered.
    void Abort();

    // The framework's element-count encoding.
    void WriteCount(DWORD_PTR count);
    DWORD_PTR ReadCount();

    // Text lines: WriteString writes the bytes as given (add "\r\n" yourself); ReadString reads
    // up to the next LF, dropping it and a CR before it, and is FALSE (null) at the end with
    // nothing read. The buffer form keeps a "\n" at the end of the line and reads at most
    // maxChars bytes.
    void WriteString(LPCTSTR text);
    BOOL ReadString(CString& line);
    LPTSTR ReadString(LPTSTR buffer, UINT maxChars);

    CArchive& operator<<(BYTE v);
    CArchive& operator<<(char v);
    CArchive& operator<<(signed char v);
    CArchive& operator<<(WORD v);
    CArchive& operator<<(short v);
    CArchive& operator<<(int v);      // also LONG and BOOL: 32 bits
    CArchive& operator<<(unsigned v); // also DWORD and UINT: 32 bits
    CArchive& operator<<(LONGLONG v); // also `long`, 64 bits on Linux
    CArchive& operator<<(ULONGLONG v);
    CArchive& operator<<(long long v);
    CArchive& operator<<(unsigned long long v);
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator<<(bool v); // one byte, 0 or 1
    CArchive& operator<<(const CString& s);
    CArchive& operator<<(const char* s); // as a CString
    CArchive& operator<<(char* s) { return *this << static_cast<const char*>(s); }
    // Objects are not archived by pointer: this keeps a pointer from being stored as a bool.
    template <typename T> CArchive& operator<<(T*) = delete;

    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(char& v);
    CArchive& operator>>(signed char& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(short& v);
    CArchive& operator>>(int& v);
    CArchive& operator>>(unsigned& v);
    CArchive& operator>>(LONGLONG& v);
    CArchive& operator>>(ULONGLONG& v);
    CArchive& operator>>(long long& v);
    CArchive& operator>>(unsigned long long& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(bool& v);
    // Also reads strings stored in the Unicode form (converted to Windows-1252).
    CArchive& operator>>(CString& s);

    UINT GetObjectSchema() { return m_nObjectSchema; }
    void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }

    // The bytes a loading archive may still give: buffered ones plus the rest of the file;
    // -1 when the file cannot tell.
    LONGLONG GetRemainingLength() const;

    CDocument* m_pDocument = nullptr;

private:
    void CheckStoring() const;
    void CheckLoading() const;
    void FlushStore();
    // Loads at least `need` more bytes into the buffer if the file has them.
    void FillBuffer(size_t need);
    void PutBytes(const void* data, size_t count);
    void GetBytes(void* data, size_t count);
    template <typename T> void PutLE(T v);
    template <typename T> T GetLE();

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_nBufSize;
    size_t m_nStoreUsed = 0; // storing: bytes waiting in the buffer
    size_t m_nLoadPos = 0;   // loading: next byte of the buffer
    size_t m_nLoadEnd = 0;   // loading: end of the bytes read ahead
    UINT m_nObjectSchema = static_cast<UINT>(-1);
};
