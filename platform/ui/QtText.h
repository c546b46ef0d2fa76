// Text crossing from the controls to their Qt widgets and back: Windows-1252 on our side,
// Unicode on Qt's, as CString's own conversions do. Only the controls' sources include this
// header.
#pragma once

#include "platform/core/String.h"

#include <QString>

inline QString ToQ(const char* s)
{
    return Cp1252ToQString(s ? s : "");
}

inline QString ToQ(const CString& s)
{
    return s.ToQString();
}

inline CString FromQ(const QString& s)
{
    return CString::FromQString(s);
}
