#include "geodesy/Timeout.h"

#include "foundation/DateTime.h"
#include "platform/core/Time.h"

#include <chrono>
#include <cmath>

CTimeout::CTimeout(int limitSeconds)
    : m_TimedOut(1), m_Flag(0), m_Limit(limitSeconds), m_StartTime(Clock() - limitSeconds)
{
}

void CTimeout::Copy(const CTimeout& other)
{
    m_TimedOut = other.m_TimedOut;
    m_Flag = other.m_Flag;
    m_Limit = other.m_Limit;
    m_StartTime = other.m_StartTime;
}

void CTimeout::Restart()
{
    m_StartTime = Clock();
    m_TimedOut = 0;
}

bool CTimeout::IsTimedOut(int limitSeconds)
{
    if (!m_TimedOut && std::fabs(Clock() - m_StartTime) > limitSeconds)
        m_TimedOut = 1;
    return m_TimedOut != 0;
}

double CTimeout::Now()
{
    // Straight from the clock: every decoded sentence asks, and the shared calendar tables of
    // CompleteDateTime are no place for a port thread and the UI thread to meet.
    SYSTEMTIME st{};
    GetLocalTime(&st);
    static const int before[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int year = st.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int month = st.wMonth >= 1 && st.wMonth <= 12 ? st.wMonth : 1;
    const int dayOfYear = before[month - 1] + st.wDay + (leap && month > 2 ? 1 : 0);
    const double secondsOfDay =
        st.wHour * 3600.0 + st.wMinute * 60.0 + st.wSecond + st.wMilliseconds / 1000.0;
    return SecondsSince2000(year, dayOfYear, secondsOfDay);
}

double CTimeout::Clock()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
