// CRingBuffer: the byte ring that a serial port or UDP reader thread appends received bytes
// to, and that the main frame and the serial baud-rate probe take complete lines out of.
//
// It has no lock of its own: every user holds the lock of the port or reader it belongs to.
// When new bytes overrun unread ones, the oldest unread bytes are lost.
#pragma once

#include "platform/core/String.h"

class CRingBuffer
{
public:
    static constexpr int DEFAULT_CAPACITY = 4096;

    CRingBuffer() = default;
    ~CRingBuffer();
    CRingBuffer(const CRingBuffer&) = delete;
    CRingBuffer& operator=(const CRingBuffer&) = delete;

    // Empties the buffer; the storage and its bytes are kept.
    void Reset();
    // Frees any storage, then allocates `size` zero-filled bytes (the default capacity when
    // `size` is 0 or negative). False, with capacity 0, when that fails.
    bool Allocate(int size = 0);
    // Frees the storage: capacity 0, nothing unread.
    void Free();
    // Appends the first min(n, capacity) bytes (n 0: the length of the NUL-terminated text),
    // allocating the default capacity first when there is no storage. Unread bytes that the
    // new ones overrun are lost, oldest first.
    void Write(const char* bytes, int n = 0);

    // The number of unread bytes. `firstSegment` (may be null) receives how many of them lie
    // between the read position and the end of the storage (all of them when they do not wrap).
    int GetCount(int* firstSegment = nullptr) const;
    int GetCapacity() const { return m_nCapacity; }
    // The bytes that can be written without losing unread ones.
    int GetFree() const { return m_nCapacity - m_nCount; }
    bool IsAllocated() const { return m_pData != nullptr; }

    // Copies every unread byte, in order, into `dest` (which must hold GetCount() + 1 bytes)
    // and ends it with a NUL; consumes nothing. Returns the count.
    int CopyOut(char* dest) const;
    int CopyOut(CString& dest) const;

    // Takes one record out: with a non-zero delimiter the bytes up to and including its first
    // unread occurrence (0, consuming nothing, while there is none); with delimiter 0 the first
    // min(maxLength, unread) bytes. A record longer than `maxLength` gives only its last
    // `maxLength` bytes but is consumed whole. `maxLength` 0 or above the capacity means the
    // capacity. With `peek` nothing is consumed. `dest` receives the record and a NUL, so it
    // must hold maxLength + 1 bytes; the length is returned (0 when nothing was taken, with
    // `dest` empty).
    int ReadTo(char* dest, char delimiter, int maxLength, bool peek = false);
    int ReadTo(CString& dest, char delimiter, int maxLength = 0, bool peek = false);
    // Drops the n oldest unread bytes (at most all of them) unless `peek` is set; the buffer
    // is reset once everything is read, so the next write starts at index 0.
    void Consume(int n, bool peek = false);

private:
    // Copies `n` unread bytes starting `offset` bytes after the read position.
    void CopyUnread(char* dest, int offset, int n) const;
    // Offset of the first unread `delimiter` after the read position; -1 when none.
    int FindUnread(char delimiter) const;
    int RecordLength(char delimiter, int maxLength, int* skip) const;

    char* m_pData = nullptr;
    int m_nRead = 0;        // index of the oldest unread byte
    int m_nLastWritten = 0; // index of the newest byte written
    int m_nCapacity = 0;
    // The unread count, kept apart from the two indices: they alone cannot tell an empty
    // buffer from one holding a single byte at index 0, nor a full one from one read to the end.
    int m_nCount = 0;
};
