// COleVariant: a tagged value as the property grid and its callers pass them (booleans with -1
// as true, 16- and 32-bit integers, doubles, text).
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

using VARTYPE = unsigned short;
using VARIANT_BOOL = short;

#define VT_EMPTY 0
#define VT_I2 2
#define VT_I4 3
#define VT_R4 4
#define VT_R8 5
#define VT_BSTR 8
#define VT_BOOL 11
#define VT_UI1 17
#define VT_INT 22
#define VT_UINT 23
#define VARIANT_TRUE (static_cast<VARIANT_BOOL>(-1))
#define VARIANT_FALSE (static_cast<VARIANT_BOOL>(0))

class PLATFORM_API COleVariant
{
public:
    COleVariant() = default;
    COleVariant(const COleVariant&) = default;
    COleVariant& operator=(const COleVariant&) = default;
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc);
    // VT_I2 or VT_BOOL (any non-zero value is true, stored as -1).
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // VT_I4 (also VT_BOOL, as above).
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(int nSrc, VARTYPE vtSrc = VT_I4) : COleVariant(static_cast<long>(nSrc), vtSrc) {}
    COleVariant(double dblSrc);
    COleVariant(float fltSrc);
    COleVariant(BYTE nSrc);
    COleVariant(bool bSrc) : COleVariant(static_cast<short>(bSrc ? -1 : 0), VT_BOOL) {}

    // Same type and value (text compared byte for byte).
    bool operator==(const COleVariant& other) const;
    bool operator!=(const COleVariant& other) const { return !(*this == other); }

    void Clear();
    // Converts in place; throws CInvalidArgException (as a CException*) when the value cannot be
    // converted (text that is not a number, an unknown type).
    void ChangeType(VARTYPE vartype);

    // The value as text, as the grid shows it ("True"/"False" for VT_BOOL unless given).
    CString ToText(LPCTSTR lpszTrue = "True", LPCTSTR lpszFalse = "False") const;
    double ToDouble() const;
    long ToLong() const;

    VARTYPE vt = VT_EMPTY;
    VARIANT_BOOL boolVal = 0;
    short iVal = 0;
    int32_t lVal = 0;
    int32_t intVal = 0;
    uint32_t uintVal = 0;
    BYTE bVal = 0;
    float fltVal = 0;
    double dblVal = 0;
    // Text of a VT_BSTR value (bytes, Windows-1252).
    CString bstrVal;
};

using VARIANT = COleVariant;
using _variant_t = COleVariant;
