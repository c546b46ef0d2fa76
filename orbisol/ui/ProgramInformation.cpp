#include "orbisol/ui/ProgramInformation.h"

#include "orbisol/ui/OrbisolApp.h"
#include "platform/core/FileApi.h"

void ReadProgramInformation(const char* modulePath, const PROGRAM_VERSION_BLOCK* block, PROGRAM_INFORMATION& info)
{
    char drive[_MAX_DRIVE] = {};
    char folder[_MAX_DIR] = {};
    char title[_MAX_FNAME] = {};
    char extension[_MAX_EXT] = {};
    _splitpath_s(modulePath ? modulePath : "", drive, folder, title, extension);
    info.strModuleFolder = CString(drive) + folder;
    info.strModuleTitle = title;
    info.strVersion = GetFileVersionText(block);
    const struct
    {
        const char* key;
        CString PROGRAM_INFORMATION::*value;
    } keys[] = {
        {"ProductName", &PROGRAM_INFORMATION::strProductName},
        {"CompanyName", &PROGRAM_INFORMATION::strCompanyName},
        {"CompanyAddress", &PROGRAM_INFORMATION::strCompanyAddress},
        {"WebAddress", &PROGRAM_INFORMATION::strWebAddress},
        {"WebURL", &PROGRAM_INFORMATION::strWebURL},
        {"EmailAddress", &PROGRAM_INFORMATION::strEmailAddress},
        {"EmailURL", &PROGRAM_INFORMATION::strEmailURL},
        {"Telephone", &PROGRAM_INFORMATION::strTelephone},
        {"LegalCopyright", &PROGRAM_INFORMATION::strLegalCopyright},
        {"Comments", &PROGRAM_INFORMATION::strComments},
        {"SpecialBuild", &PROGRAM_INFORMATION::strSpecialBuild},
    };
    for (const auto& key : keys)
        info.*key.value = QueryVersionString(block, key.key);
}

const PROGRAM_INFORMATION& GetProgramInformation()
{
    static PROGRAM_INFORMATION info;
    static bool gathered = false;
    if (!gathered || info.strProductName.IsEmpty() || info.strModuleTitle.IsEmpty())
    {
        char path[_MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        ReadProgramInformation(path, GetRunningProgramBlock(), info);
        gathered = true;
    }
    return info;
}

CString FormatOrbisolVersion(const PROGRAM_VERSION_BLOCK* block, const char* buildDate)
{
    return GetProgramVersion(block, kOrbisolVersionRule, buildDate);
}
