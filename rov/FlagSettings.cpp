#include "rov/FlagSettings.h"

#include "foundation/ConfigFile.h"
#include "outside/notifex/Notifex.h"

namespace
{
// A setting line's flag: "0" or "1" after the '=', blanks aside; false when it is neither.
bool ParseFlag(const CString& line, bool* value)
{
    CString text;
    if (!CConfigFile::ValueAfterEquals(line, text))
        return false;
    text.Trim();
    if (text != "0" && text != "1")
        return false;
    *value = text == "1";
    return true;
}
} // namespace

bool ReadFlagSettings(const char* name, const FLAG_SETTING* lines, size_t count)
{
    CString path;
    int badLine = 0;
    CString badText;
    const bool opened = CConfigFile::ReadSettingsFile(name, [&](CConfigFile& file) {
        path = file.GetFilePath();
        int number = 0;
        for (size_t i = 0; i < count; ++i)
        {
            *lines[i].flag = lines[i].missingDefault;
            CString text;
            bool tooLong = false;
            if (!file.ReadSettingsLine(text, &tooLong))
                continue;
            ++number;
            bool value = false;
            if (!tooLong && ParseFlag(text, &value))
                *lines[i].flag = value;
            else if (badLine == 0)
            {
                badLine = number;
                badText = tooLong ? CString("(a line too long to read)") : text.Left(60);
            }
        }
    });
    if (badLine != 0)
    {
        CString message;
        message.Format("%s, line %d: \"%s\" is not a setting of 0 or 1; its default is used.", path.GetString(),
                       badLine, badText.GetString());
        ErrorMessage(message);
    }
    return opened;
}

bool WriteFlagSettings(const char* name, const FLAG_SETTING* lines, size_t count)
{
    return CConfigFile::WriteSettingsFile(name, [lines, count](CConfigFile& file) {
        for (size_t i = 0; i < count; ++i)
            file.WriteBool(lines[i].key, *lines[i].flag);
    });
}
