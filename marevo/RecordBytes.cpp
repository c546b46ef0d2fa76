#include "marevo/RecordBytes.h"

#include <cassert>
#include <cmath>
#include <cstring>

uint64_t CRecordBytes::GetUnsigned(int offset, int bytes) const
{
    assert(offset >= 0 && offset + bytes <= m_nSize);
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | m_pBytes[offset + i];
    return value;
}

int16_t CRecordBytes::GetInt16(int offset) const
{
    return static_cast<int16_t>(static_cast<uint16_t>(GetUnsigned(offset, 2)));
}

int32_t CRecordBytes::GetInt32(int offset) const
{
    return static_cast<int32_t>(static_cast<uint32_t>(GetUnsigned(offset, 4)));
}

int64_t CRecordBytes::GetInt64(int offset) const
{
    return static_cast<int64_t>(GetUnsigned(offset, 8));
}

uint16_t CRecordBytes::GetBigEndianUInt16(int offset) const
{
    assert(offset >= 0 && offset + 2 <= m_nSize);
    return static_cast<uint16_t>((m_pBytes[offset] << 8) | m_pBytes[offset + 1]);
}

uint8_t CRecordBytes::GetByte(int offset) const
{
    assert(offset >= 0 && offset < m_nSize);
    return m_pBytes[offset];
}

void CRecordBytes::CopyBytes(int offset, int count, void* out) const
{
    assert(offset >= 0 && count >= 0 && offset + count <= m_nSize);
    std::memcpy(out, m_pBytes + offset, static_cast<size_t>(count));
}

double CRecordBytes::GetDouble(int offset) const
{
    const uint64_t bits = GetUnsigned(offset, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

CString CRecordBytes::GetInvertedText(int offset, int length) const
{
    CString text = GetInvertedChars(offset, length);
    text.TrimRight(' ');
    return text;
}

CString CRecordBytes::GetInvertedChars(int offset, int count, int step) const
{
    assert(offset >= 0 && count >= 0 && step >= 1 && (count == 0 || offset + step * (count - 1) < m_nSize));
    CString text;
    for (int i = 0; i < count; ++i)
    {
        const char c = static_cast<char>(~m_pBytes[offset + step * i]);
        if (c == '\0')
            break;
        text += c;
    }
    return text;
}

bool CRecordBytes::AreFinite(int offset, int count) const
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(GetDouble(offset + 8 * i)))
            return false;
    return true;
}
