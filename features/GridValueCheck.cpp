#include "features/GridValueCheck.h"

#include <cmath>

bool CGridValueCheck::AcceptWithin(int64_t line, std::initializer_list<double> values, double limit)
{
    if (Refused())
        return false;
    for (double value : values)
    {
        if (value == DBL_MAX || (std::isfinite(value) && std::fabs(value) <= limit))
            continue;
        m_Refusal.Format("%s, line %lld: %g is not a number a survey grid can hold.", (LPCSTR)m_Path,
                         static_cast<long long>(line), value);
        return false;
    }
    return true;
}
