// RecordBytes: the fields of one stored record, decoded from little-endian bytes at fixed
// offsets, whatever the byte order of the computer.
#pragma once

#include "platform/core/String.h"

#include <cstdint>

class CRecordBytes
{
public:
    // The record's bytes; they stay the caller's and must outlive this object.
    CRecordBytes(const uint8_t* bytes, int size) : m_pBytes(bytes), m_nSize(size) {}

    int16_t GetInt16(int offset) const;
    int32_t GetInt32(int offset) const;
    int64_t GetInt64(int offset) const;
    // Fields written most significant byte first.
    uint16_t GetBigEndianUInt16(int offset) const;
    uint8_t GetByte(int offset) const;
    void CopyBytes(int offset, int count, void* out) const;
    double GetDouble(int offset) const;
    // A text field stored with every byte inverted: inverted back, up to its first NUL and
    // without trailing blanks.
    CString GetInvertedText(int offset, int length) const;
    // The inverted bytes at offset, offset + step, ... (`count` of them), up to the first NUL,
    // kept as they are.
    CString GetInvertedChars(int offset, int count, int step = 1) const;

    // Whether the `count` doubles from `offset` are all finite.
    bool AreFinite(int offset, int count) const;

private:
    uint64_t GetUnsigned(int offset, int bytes) const;

    const uint8_t* m_pBytes;
    int m_nSize;
};
