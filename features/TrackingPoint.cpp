#include "features/TrackingPoint.h"

#include "foundation/CsvParser.h"

#include <cfloat>
#include <cmath>

namespace
{
const char* const kTypeNames[TP_TYPE_COUNT] = {
    "Common Reference Point", "Antenna",   "Offset", "Leg", "Crane", "Transducer", "Ref System",
    "Clump Weight",           "Reflector", "Beacon"};

// A whole number within [low, high] from the next field; false for a missing, fractional or
// out-of-range value, so a damaged line is refused rather than read as something else.
bool NextWhole(CCsvParser& parser, double low, double high, double& value)
{
    value = parser.GetDouble();
    return value != DBL_MAX && std::isfinite(value) && value == std::floor(value) && value >= low &&
           value <= high;
}

bool NextNumber(CCsvParser& parser, double& value)
{
    value = parser.GetDouble();
    return value != DBL_MAX && std::isfinite(value);
}
} // namespace

const char* TrackingPointTypeName(int type)
{
    if (type < 0 || type >= TP_TYPE_COUNT)
        return "";
    return kTypeNames[type];
}

CString TrackingPointDef::FormatLine() const
{
    CCsvParser record;
    record.AddString(Name, false);
    record.AddBool(Flag);
    record.AddDouble(X, 3);
    record.AddDouble(Y, 3);
    record.AddDouble(Z, 3);
    record.AddLong(static_cast<long>(Value32));
    for (int16_t v : Value16)
        record.AddShort(v);
    record.AddDouble(Extra[0], 3);
    return record.AddDouble(Extra[1], 3);
}

bool TrackingPointDef::ParseLine(const char* line)
{
    CCsvParser parser;
    parser.SetLine(line);
    // Every stored field is read below; starting from this record keeps its run-time state.
    TrackingPointDef point = *this;
    if (!parser.GetString(point.Name))
        return false;
    point.Name.Trim();
    double flag = 0.0, value = 0.0;
    if (!NextWhole(parser, 0.0, 1.0, flag))
        return false;
    point.Flag = flag != 0.0;
    if (!NextNumber(parser, point.X) || !NextNumber(parser, point.Y) || !NextNumber(parser, point.Z))
        return false;
    if (!NextWhole(parser, INT32_MIN, INT32_MAX, value))
        return false;
    point.Value32 = static_cast<int32_t>(value);
    for (int16_t& v : point.Value16)
    {
        if (!NextWhole(parser, INT16_MIN, INT16_MAX, value))
            return false;
        v = static_cast<int16_t>(value);
    }
    if (!NextNumber(parser, point.Extra[0]) || !NextNumber(parser, point.Extra[1]))
        return false;
    *this = point;
    return true;
}

CTrackingPointArray::~CTrackingPointArray()
{
    DeleteAll();
}

INT_PTR CTrackingPointArray::AddPoint(const TrackingPointDef& point)
{
    TrackingPointDef* copy = new TrackingPointDef(point);
    try
    {
        return Add(copy);
    }
    catch (...)
    {
        delete copy;
        throw;
    }
}

void CTrackingPointArray::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

TrackingPointDef* CTrackingPointArray::GetPoint(INT_PTR index) const
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    return GetAt(index);
}

void CTrackingPointArray::FormatLines(CStringArray& lines) const
{
    lines.RemoveAll();
    for (INT_PTR i = 0; i < GetSize(); ++i)
        lines.Add(GetAt(i)->FormatLine());
}
