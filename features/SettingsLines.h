// CSettingsLines: a settings file that mixes positional "key = value" lines with named
// sections of record lines (the vessel and template files), read whole and taken apart: the
// value lines are read in file order without comparing keys, as CConfigFile's readers do, and
// the sections are looked up by name, so an empty section (which writes nothing at all) does
// not shift the values after it.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <map>
#include <string>
#include <vector>

class CSettingsLines
{
public:
    // `minSeparators`: the fewest commas a line in a section holds; a line with fewer ends the
    // section and counts as a value line (record lines escape their commas in text fields, and
    // value lines escape every comma, so the two never mix up).
    explicit CSettingsLines(int minSeparators) : m_MinSeparators(minSeparators) {}

    // Reads the whole file (text mode, shared read). False when it cannot be opened.
    bool Load(const char* fileName);

    // Positional readers: the next value line; the default when none is left or the line has
    // no '='. The line is consumed either way.
    int ReadInt(int defaultValue);
    bool ReadBool(bool defaultValue);
    unsigned ReadUnsigned(unsigned defaultValue);
    double ReadDouble(double defaultValue);
    // The text after '=' less one leading blank, with the settings escapes turned back.
    CString ReadText(const char* defaultValue);

    // The lines of section `name` (exact name; the first section of that name); empty when
    // there is none.
    void GetSection(const char* name, CStringArray& lines) const;

private:
    bool NextValue(CString& value);

    int m_MinSeparators;
    std::vector<CString> m_Values;
    size_t m_Next = 0;
    std::map<std::string, std::vector<CString>> m_Sections;
};
