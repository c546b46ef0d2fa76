// The framework's growable arrays: CArray and its typed relatives. Growth follows the
// framework's rule, so capacities (and the allocations they cause) match the stored
// programs': a first allocation takes max(count, step); growth beyond the capacity takes
// max(count, capacity + step), where step 0 means count/8, at least 4, so that growth is
// geometric unless a caller sets a step of its own.
#pragma once

#include "platform/core/Exception.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

#include <type_traits>
#include <utility>
#include <vector>

class CArchive;

// Archive primitives for the container templates (defined with CArchive, so this header
// need not include it).
PLATFORM_API bool AfxArchiveIsStoring(CArchive& ar);
// The framework's count encoding: a 16-bit count, or 0xFFFF then a 32-bit count.
PLATFORM_API void AfxArchiveWriteCount(CArchive& ar, INT_PTR count);
PLATFORM_API INT_PTR AfxArchiveReadCount(CArchive& ar);
// Raw bytes; a short read raises the archive exception with the end-of-file cause.
PLATFORM_API void AfxArchiveWriteBytes(CArchive& ar, const void* data, size_t bytes);
PLATFORM_API void AfxArchiveReadBytes(CArchive& ar, void* data, size_t bytes);
PLATFORM_API void AfxArchiveString(CArchive& ar, CString& s);

// Elements are stored as raw bytes (plain records), strings with their own encoding.
template <typename TYPE> void SerializeElements(CArchive& ar, TYPE* elements, INT_PTR count)
{
    if (count <= 0)
        return;
    if constexpr (!std::is_trivially_copyable<TYPE>::value)
    {
        // Records holding strings or objects have their own Serialize; never stored raw.
        AfxThrowNotSupportedException();
    }
    if (!elements)
        AfxThrowInvalidArgException();
    const size_t bytes = static_cast<size_t>(count) * sizeof(TYPE);
    if (AfxArchiveIsStoring(ar))
        AfxArchiveWriteBytes(ar, elements, bytes);
    else
        AfxArchiveReadBytes(ar, elements, bytes);
}

inline void SerializeElements(CArchive& ar, CString* elements, INT_PTR count)
{
    for (INT_PTR i = 0; i < count; ++i)
        AfxArchiveString(ar, elements[i]);
}

template <typename TYPE, typename ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;
    CArray(const CArray& other) : CObject(), m_nGrowBy(other.m_nGrowBy) { Copy(other); }
    CArray& operator=(const CArray& other)
    {
        if (this != &other)
            Copy(other);
        return *this;
    }
    ~CArray() override = default;

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    bool IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    // Capacity in elements (the framework keeps this as m_nMaxSize).
    INT_PTR GetAllocSize() const { return m_nMaxSize; }

    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        if (newSize < 0)
            AfxThrowInvalidArgException();
        if (growBy >= 0)
            m_nGrowBy = growBy;
        if (newSize == 0)
        {
            m_data.clear();
            m_data.shrink_to_fit();
            m_nSize = m_nMaxSize = 0;
            return;
        }
        if (m_nMaxSize == 0)
        {
            const INT_PTR alloc = max(newSize, m_nGrowBy);
            Reserve(alloc);
        }
        else if (newSize > m_nMaxSize)
        {
            INT_PTR step = m_nGrowBy;
            // Without a step of the caller's, an eighth of what is there (at least 4): growth by
            // a fixed step makes filling a large array one element at a time quadratic.
            if (step == 0)
            {
                step = m_nSize / 8;
                step = step < 4 ? 4 : step;
            }
            Reserve(max(newSize, m_nMaxSize + step));
        }
        // New elements are value-initialised (zero-filled for plain records), shrunk ones destroyed.
        m_data.resize(static_cast<size_t>(newSize));
        m_nSize = newSize;
    }

    void RemoveAll() { SetSize(0, -1); }
    void FreeExtra()
    {
        m_data.shrink_to_fit();
        m_nMaxSize = m_nSize;
        std::vector<TYPE> copy(m_data.begin(), m_data.end());
        m_data.swap(copy);
    }

    const TYPE& GetAt(INT_PTR i) const
    {
        Check(i);
        return m_data[static_cast<size_t>(i)];
    }
    TYPE& GetAt(INT_PTR i)
    {
        Check(i);
        return m_data[static_cast<size_t>(i)];
    }
    void SetAt(INT_PTR i, ARG_TYPE e)
    {
        Check(i);
        m_data[static_cast<size_t>(i)] = e;
    }
    TYPE& ElementAt(INT_PTR i) { return GetAt(i); }
    const TYPE& ElementAt(INT_PTR i) const { return GetAt(i); }
    TYPE& operator[](INT_PTR i) { return GetAt(i); }
    const TYPE& operator[](INT_PTR i) const { return GetAt(i); }

    TYPE* GetData() { return m_nSize ? m_data.data() : nullptr; }
    const TYPE* GetData() const { return m_nSize ? m_data.data() : nullptr; }

    void SetAtGrow(INT_PTR i, ARG_TYPE e)
    {
        if (i < 0)
            AfxThrowInvalidArgException();
        if (i >= m_nSize)
        {
            TYPE copy = e; // e may refer into our own buffer
            SetSize(i + 1, -1);
            m_data[static_cast<size_t>(i)] = std::move(copy);
            return;
        }
        m_data[static_cast<size_t>(i)] = e;
    }

    INT_PTR Add(ARG_TYPE e)
    {
        const INT_PTR i = m_nSize;
        SetAtGrow(i, e);
        return i;
    }

    INT_PTR Append(const CArray& src)
    {
        if (this == &src)
            AfxThrowInvalidArgException();
        const INT_PTR old = m_nSize;
        SetSize(m_nSize + src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_data[static_cast<size_t>(old + i)] = src.m_data[static_cast<size_t>(i)];
        return old;
    }

    void Copy(const CArray& src)
    {
        if (this == &src)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_data[static_cast<size_t>(i)] = src.m_data[static_cast<size_t>(i)];
    }

    void InsertAt(INT_PTR index, ARG_TYPE e, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0)
            AfxThrowInvalidArgException();
        TYPE copy = e;
        if (index >= m_nSize)
        {
            SetSize(index + count, -1);
        }
        else
        {
            const INT_PTR old = m_nSize;
            SetSize(m_nSize + count, -1);
            for (INT_PTR i = old - 1; i >= index; --i)
                m_data[static_cast<size_t>(i + count)] = std::move(m_data[static_cast<size_t>(i)]);
        }
        for (INT_PTR i = 0; i < count; ++i)
            m_data[static_cast<size_t>(index + i)] = copy;
    }

    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count < 0 || index + count > m_nSize)
            AfxThrowInvalidArgException();
        if (count == 0)
            return;
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
        m_nSize -= count;
    }

    // The count, then the elements (raw bytes for plain records).
    void Serialize(CArchive& ar) override
    {
        if (AfxArchiveIsStoring(ar))
        {
            AfxArchiveWriteCount(ar, m_nSize);
        }
        else
        {
            const INT_PTR count = AfxArchiveReadCount(ar);
            SetSize(count, -1);
        }
        SerializeElements(ar, GetData(), m_nSize);
    }

    TYPE* begin() { return m_data.data(); }
    TYPE* end() { return m_data.data() + m_nSize; }
    const TYPE* begin() const { return m_data.data(); }
    const TYPE* end() const { return m_data.data() + m_nSize; }

private:
    void Check(INT_PTR i) const
    {
        if (i < 0 || i >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Reserve(INT_PTR alloc)
    {
        // A fresh vector so the capacity is exactly the framework's, not the library's doubling.
        std::vector<TYPE> grown;
        grown.reserve(static_cast<size_t>(alloc));
        for (auto& e : m_data)
            grown.push_back(std::move(e));
        m_data.swap(grown);
        m_nMaxSize = alloc;
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

class CStringArray : public CArray<CString, const char*>
{
};
class CUIntArray : public CArray<UINT, UINT>
{
};
class CDWordArray : public CArray<DWORD, DWORD>
{
};
class CWordArray : public CArray<WORD, WORD>
{
};
class CByteArray : public CArray<BYTE, BYTE>
{
};
class CPtrArray : public CArray<void*, void*>
{
};
class CObArray : public CArray<CObject*, CObject*>
{
};

template <typename T> class CTypedPtrArrayOf : public CArray<T*, T*>
{
};
