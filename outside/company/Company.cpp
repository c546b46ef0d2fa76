#include "outside/company/Company.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <dlfcn.h>

#include <cstdlib>

namespace
{
const char kDefaultLibrary[] = "libCompany.so";
const char kExport[] = "DisplayContactDetails";

// The folder of the running program; /proc/self/exe when no Qt application object exists.
QString ProgramFolder()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}
} // namespace

CString GetCompanyLibraryName()
{
    const char* configured = std::getenv("SUITE_COMPANY_LIBRARY");
    if (configured != nullptr && *configured != '\0')
        return CString(configured);
    const QString beside = ProgramFolder() + '/' + kDefaultLibrary;
    if (!ProgramFolder().isEmpty() && QFileInfo::exists(beside))
        return CString(beside.toLocal8Bit().constData());
    return CString(kDefaultLibrary);
}

bool DisplayCompanyContactDetails()
{
    const CString name = GetCompanyLibraryName();
    void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return false;
    using ContactDetailsFn = void (*)();
    // dlsym hands back an object pointer; the export is a function of no arguments.
    auto display = reinterpret_cast<ContactDetailsFn>(dlsym(library, kExport));
    if (display == nullptr)
    {
        dlclose(library);
        return false;
    }
    display();
    dlclose(library);
    return true;
}
