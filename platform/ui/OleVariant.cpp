#include "platform/ui/OleVariant.h"

#include "platform/core/Exception.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

COleVariant::COleVariant(LPCTSTR lpszSrc) : vt(VT_BSTR), bstrVal(lpszSrc ? lpszSrc : "") {}

COleVariant::COleVariant(const CString& strSrc) : vt(VT_BSTR), bstrVal(strSrc) {}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else
    {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else
    {
        vt = VT_I4;
        lVal = static_cast<int32_t>(lSrc);
        intVal = lVal;
    }
}

COleVariant::COleVariant(double dblSrc) : vt(VT_R8), dblVal(dblSrc) {}

COleVariant::COleVariant(float fltSrc) : vt(VT_R4), fltVal(fltSrc) {}

COleVariant::COleVariant(BYTE nSrc) : vt(VT_UI1), bVal(nSrc) {}

bool COleVariant::operator==(const COleVariant& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt)
    {
    case VT_EMPTY: return true;
    case VT_BOOL: return (boolVal != 0) == (other.boolVal != 0);
    case VT_I2: return iVal == other.iVal;
    case VT_I4: return lVal == other.lVal;
    case VT_INT: return intVal == other.intVal;
    case VT_UINT: return uintVal == other.uintVal;
    case VT_UI1: return bVal == other.bVal;
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8: return dblVal == other.dblVal;
    case VT_BSTR: return std::strcmp(bstrVal, other.bstrVal) == 0;
    default: return false;
    }
}

void COleVariant::Clear()
{
    *this = COleVariant();
}

double COleVariant::ToDouble() const
{
    switch (vt)
    {
    case VT_BOOL: return boolVal ? -1.0 : 0.0;
    case VT_I2: return iVal;
    case VT_I4: return lVal;
    case VT_INT: return intVal;
    case VT_UINT: return uintVal;
    case VT_UI1: return bVal;
    case VT_R4: return fltVal;
    case VT_R8: return dblVal;
    case VT_EMPTY: return 0.0;
    case VT_BSTR:
    {
        CString text = bstrVal;
        text.Trim();
        if (text.IsEmpty())
            AfxThrowInvalidArgException();
        if (text.CompareNoCase("True") == 0)
            return -1.0;
        if (text.CompareNoCase("False") == 0)
            return 0.0;
        char* end = nullptr;
        errno = 0;
        const double value = std::strtod(text, &end);
        if (end == nullptr || *end != '\0' || errno == ERANGE || !std::isfinite(value))
            AfxThrowInvalidArgException();
        return value;
    }
    default: AfxThrowInvalidArgException();
    }
}

long COleVariant::ToLong() const
{
    const double value = ToDouble();
    // Rounded as the framework's conversions do; out-of-range values are refused rather
    // than wrapped, so that a typed 3000000000 never becomes a negative count.
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        AfxThrowInvalidArgException();
    return static_cast<long>(rounded);
}

CString COleVariant::ToText(LPCTSTR lpszTrue, LPCTSTR lpszFalse) const
{
    CString text;
    switch (vt)
    {
    case VT_EMPTY: break;
    case VT_BOOL: text = boolVal ? lpszTrue : lpszFalse; break;
    case VT_I2: text.Format("%d", static_cast<int>(iVal)); break;
    case VT_I4: text.Format("%d", static_cast<int>(lVal)); break;
    case VT_INT: text.Format("%d", static_cast<int>(intVal)); break;
    case VT_UINT: text.Format("%u", static_cast<unsigned>(uintVal)); break;
    case VT_UI1: text.Format("%u", static_cast<unsigned>(bVal)); break;
    case VT_R4: text.Format("%g", static_cast<double>(fltVal)); break;
    case VT_R8: text.Format("%g", dblVal); break;
    case VT_BSTR: text = bstrVal; break;
    default: break;
    }
    return text;
}

void COleVariant::ChangeType(VARTYPE vartype)
{
    if (vartype == vt)
        return;
    COleVariant result;
    switch (vartype)
    {
    case VT_EMPTY: break;
    case VT_BSTR: result = COleVariant(ToText()); break;
    case VT_BOOL: result = COleVariant(static_cast<short>(ToDouble() != 0.0 ? -1 : 0), VT_BOOL); break;
    case VT_I2:
    {
        const long v = ToLong();
        if (v < -32768 || v > 32767)
            AfxThrowInvalidArgException();
        result = COleVariant(static_cast<short>(v));
        break;
    }
    case VT_I4: result = COleVariant(ToLong()); break;
    case VT_INT:
        result.vt = VT_INT;
        result.intVal = static_cast<int32_t>(ToLong());
        result.lVal = result.intVal;
        break;
    case VT_UINT:
    {
        const long v = ToLong();
        if (v < 0)
            AfxThrowInvalidArgException();
        result.vt = VT_UINT;
        result.uintVal = static_cast<uint32_t>(v);
        break;
    }
    case VT_UI1:
    {
        const long v = ToLong();
        if (v < 0 || v > 255)
            AfxThrowInvalidArgException();
        result = COleVariant(static_cast<BYTE>(v));
        break;
    }
    case VT_R4: result = COleVariant(static_cast<float>(ToDouble())); break;
    case VT_R8: result = COleVariant(ToDouble()); break;
    default: AfxThrowInvalidArgException();
    }
    *this = result;
}
