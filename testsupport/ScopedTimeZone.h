// ScopedTimeZone: sets the process's time zone ($TZ) for one test and puts the previous one
// back, so local-time conversions can be checked in zones with and without summer time.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
    {
        const char* previous = std::getenv("TZ");
        m_hadZone = previous != nullptr;
        if (previous)
            m_previous = previous;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_hadZone)
            setenv("TZ", m_previous.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool m_hadZone = false;
    std::string m_previous;
};
