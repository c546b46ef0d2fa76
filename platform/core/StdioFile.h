// CStdioFile: a buffered file of lines. In text mode (the default, or typeText) "\n" is
// written as CR LF, and CR LF or LF is read as "\n"; a Ctrl-Z byte ends the text, as the
// Windows run-time reads it. typeBinary passes bytes unchanged.
#pragma once

#include "platform/core/File.h"

#include <cstdio>

class PLATFORM_API CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    // Wraps an open stream (binary); the stream stays the caller's to close.
    explicit CStdioFile(FILE* stream);
    // Opens the file; failure throws a CFileException.
    CStdioFile(LPCTSTR fileName, UINT openFlags);
    ~CStdioFile() override;

    // As CFile::Open. modeCreate | modeNoTruncate, and modeWrite without modeCreate, append
    // every write to the end of the file, as the run-time's "a" streams do.
    BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;

    // Writes the text (text mode: each "\n" as CR LF); a null text throws CInvalidArgException.
    virtual void WriteString(LPCTSTR text);
    // Reads up to maxChars - 1 bytes, stopping after a "\n", which is kept; null at the end of
    // the file with nothing read.
    virtual LPTSTR ReadString(LPTSTR buffer, UINT maxChars);
    // Reads a whole line without its "\n"; FALSE at the end of the file with nothing read. In
    // binary mode a CR before the LF is part of the line.
    virtual BOOL ReadString(CString& line);
    // The same, keeping at most maxChars bytes of the line: the rest of a longer line is read
    // and dropped, the line is given empty and *tooLong is set (cleared otherwise).
    BOOL ReadString(CString& line, UINT maxChars, bool* tooLong);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG newLength) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    bool IsTextMode() const { return m_bText; }

    FILE* m_pStream = nullptr;

private:
    // The next byte of text (CR LF folded to LF, Ctrl-Z as the end), or EOF.
    int GetTextChar();
    void CheckOpen() const;
    [[noreturn]] void ThrowStreamError() const;

    bool m_bText = true;
    bool m_bOwnsStream = true;
};
