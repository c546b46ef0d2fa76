#include "foundation/FilePath.h"

void SplitFilePath(const char* path, CString& folder, CString& title, CString& extension)
{
    CString text(path);
    text.Remove('"');
    const int slash = text.ReverseFind('\\');
    CString rest = text;
    folder.Empty();
    if (slash > 0)
    {
        folder = text.Left(slash + 1);
        rest = text.Mid(slash + 1);
    }
    const int dot = rest.ReverseFind('.');
    if (dot < 0)
    {
        title = rest;
        extension.Empty();
        return;
    }
    title = rest.Left(dot);
    extension = rest.Mid(dot + 1);
}

CString GetFilePathFolder(const char* path)
{
    const CString text(path);
    const int slash = text.ReverseFind('\\');
    return slash > 0 ? text.Left(slash + 1) : CString();
}

CString GetFileTitleFromPath(const char* path)
{
    CString title(path);
    title.Remove('"');
    const int slash = title.ReverseFind('\\');
    if (slash > 0)
        title = title.Mid(slash + 1);
    const int dot = title.ReverseFind('.');
    if (dot >= 0)
        title = title.Left(dot);
    title.Trim();
    return title;
}

CString ChangeFileExtension(const char* extension, const char* path)
{
    CString base(path);
    const int dot = base.ReverseFind('.');
    if (dot >= 0)
        base = base.Left(dot);
    CString result;
    result.Format("%s.%s", base.GetString(), extension ? extension : "");
    return result;
}
