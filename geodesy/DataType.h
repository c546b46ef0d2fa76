// CDataType: the list of named values a device delivers, so that generic displays can show any
// of them by index without knowing the device's class.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

// How a display reads an entry's value.
enum DATA_KIND
{
    DATA_KIND_DOUBLE = 1,    // double
    DATA_KIND_INT = 3,       // 32-bit integer
    DATA_KIND_TEXT = 9,      // CString
    DATA_KIND_LATITUDE = 18, // double, radians
    DATA_KIND_LONGITUDE = 19 // double, radians
};

// One named value of a device.
struct DataTypeDef
{
    CString strName;   // the label displays show, e.g. "HDOP"
    int32_t nKind;     // DATA_KIND
    void* pValue;      // the device's own field; never owned by the list
    int16_t nDecimals; // decimals to show
};

class CDataType : public CArray<DataTypeDef>
{
public:
    CDataType() = default;
    ~CDataType() override = default;

    // Appends one entry; displays address entries by their index, so the order of the calls is
    // the order of the list.
    void AddDataType(const char* name, int kind, void* value, short decimals);

    // The count, then each entry's name, kind and decimals. The value addresses are not
    // written: they are addresses in this process only. A loaded entry keeps the address of
    // the entry already at its index (null beyond the present list).
    void Serialize(CArchive& ar) override;

    CString m_ListName; // empty at construction
};
