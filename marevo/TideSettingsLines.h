// CTideSettingsLines: the values of a tide program settings file, line after line, with every
// line that gives no usable value added to the load problems under the file's name.
#pragma once

#include "marevo/TideLoadProblem.h"
#include "platform/core/String.h"

#include <vector>

class CConfigFile;

class CTideSettingsLines
{
public:
    // `path` is the settings file's Windows path, for the problems' file name.
    CTideSettingsLines(CConfigFile& file, const CString& path, std::vector<TideLoadProblem>& problems);

    // The next line's whole number; false, with a problem, for a line that is missing, too
    // long, without '=', or whose value is not a whole number of 32 bits.
    bool NextInt(int* number);
    // The next line's number (the leading number of its value, as the settings files have
    // always been read); false, with a problem, where there is none or it is not finite.
    bool NextDouble(double* number);
    // The next line's text, unescaped; false, with a problem, for a line that is missing, too
    // long, without '=' or empty.
    bool NextText(CString* text);

private:
    // The text after '=' of the next line, trimmed.
    bool NextValue(CString& value);
    void Report(const char* reason);

    CConfigFile& m_File;
    CString m_strPath;
    std::vector<TideLoadProblem>& m_Problems;
    int m_nLine = 0;
};
