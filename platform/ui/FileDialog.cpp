#include "platform/ui/FileDialog.h"

#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace
{
std::vector<std::pair<CString, CString>> FilterPairs(const CString& filter)
{
    std::vector<std::pair<CString, CString>> pairs;
    std::vector<CString> parts;
    CString part;
    for (int i = 0; i < filter.GetLength(); ++i)
    {
        const char c = filter[i];
        if (c == '|')
        {
            parts.push_back(part);
            part.Empty();
        }
        else
            part += c;
    }
    if (!part.IsEmpty())
        parts.push_back(part);
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].IsEmpty())
            pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

CString FileNameOf(const CString& path)
{
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

int DotOf(const CString& name)
{
    return name.ReverseFind('.');
}
} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    m_strFilterText = lpszFilter ? lpszFilter : "";
    // The framework's '|' separators become the NUL-separated pairs of m_ofn.
    for (int i = 0; i < m_strFilterText.GetLength(); ++i)
        m_filter.push_back(m_strFilterText[i] == '|' ? '\0' : m_strFilterText[i]);
    m_filter.push_back('\0');
    m_filter.push_back('\0');
    m_fileBuffer.assign(MAX_PATH, '\0');
    if (lpszFileName)
        std::strncpy(m_fileBuffer.data(), lpszFileName, m_fileBuffer.size() - 1);
    m_strDefExt = lpszDefExt ? lpszDefExt : "";
    m_ofn.lStructSize = sizeof(OPENFILENAME);
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    m_ofn.lpstrFilter = m_strFilterText.IsEmpty() ? nullptr : m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

CFileDialog::~CFileDialog() = default;

QStringList CFileDialog::QtFilters(const CString& filter)
{
    QStringList out;
    for (const auto& pair : FilterPairs(filter))
    {
        QString patterns = pair.second.ToQString();
        patterns.replace(';', ' ');
        // "*.*" takes every file on Windows, also names without a dot.
        QStringList list = patterns.split(' ', Qt::SkipEmptyParts);
        for (QString& p : list)
            if (p == "*.*")
                p = "*";
        const QString description = pair.first.ToQString();
        out << QString("%1 (%2)").arg(description.section('(', 0, 0).trimmed().isEmpty()
                                          ? description
                                          : description.section('(', 0, 0).trimmed(),
                                      list.join(' '));
    }
    return out;
}

CString CFileDialog::WithDefaultExtension(const CString& path, const CString& ext)
{
    if (ext.IsEmpty() || path.IsEmpty())
        return path;
    const CString name = FileNameOf(path);
    if (name.IsEmpty() || DotOf(name) >= 0)
        return path;
    return path + "." + ext;
}

INT_PTR CFileDialog::DoModal()
{
    m_paths.clear();
    const CString defExt = m_ofn.lpstrDefExt ? CString(m_ofn.lpstrDefExt) : CString();
    // Read no further than the buffer: one without its NUL holds no name.
    CString initialName;
    if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0)
    {
        const size_t n = strnlen(m_ofn.lpstrFile, m_ofn.nMaxFile);
        if (n < m_ofn.nMaxFile)
            initialName = CString(m_ofn.lpstrFile, static_cast<int>(n));
    }
    const CString initialDir = m_ofn.lpstrInitialDir ? CString(m_ofn.lpstrInitialDir) : CString();
    const bool multi = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    CString title =
        m_ofn.lpstrTitle ? CString(m_ofn.lpstrTitle) : CString(m_bOpenFileDialog ? "Open" : "Save As");

    MODAL_RECORD record;
    record.kind = MODAL_RECORD::FileDialog;
    record.caption = title;
    record.text = m_strFilterText;
    record.folder = initialDir;
    record.fileName = initialName;
    record.flags = m_ofn.Flags;
    record.open = m_bOpenFileDialog;

    std::vector<CString> chosen;
    bool found = false;
    if (ModalHook::TakeFileDialogAnswer(&chosen, &found))
    {
        record.answered = found;
        if (!multi && chosen.size() > 1)
        {
            ModalHook::ReportFailure("Several paths were prepared for a file dialog that takes one");
            chosen.resize(1);
        }
    }
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    {
        CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainCWnd();
        QFileDialog dialog(owner ? owner->GetWidget() : nullptr, title.ToQString());
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        if (m_bOpenFileDialog)
            dialog.setFileMode(multi                               ? QFileDialog::ExistingFiles
                               : (m_ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                   : QFileDialog::AnyFile);
        else
            dialog.setFileMode(QFileDialog::AnyFile);
        if (!(m_ofn.Flags & OFN_OVERWRITEPROMPT))
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        const QStringList filters = QtFilters(m_strFilterText);
        if (!filters.isEmpty())
        {
            dialog.setNameFilters(filters);
            const int index = m_ofn.nFilterIndex >= 1 ? static_cast<int>(m_ofn.nFilterIndex) - 1 : 0;
            if (index < filters.size())
                dialog.selectNameFilter(filters.at(index));
        }
        // The initial name may carry its own folder.
        CString folder = initialDir;
        CString name = initialName;
        if (name.Find('\\') >= 0)
        {
            folder = name.Left(name.ReverseFind('\\'));
            name = FileNameOf(name);
        }
        const QString linuxFolder = folder.IsEmpty() ? QString() : LinuxPathFromWindows(folder);
        if (!linuxFolder.isEmpty())
            dialog.setDirectory(linuxFolder);
        if (!name.IsEmpty())
            dialog.selectFile(name.ToQString());
        if (!defExt.IsEmpty())
            dialog.setDefaultSuffix(defExt.ToQString());
        if (dialog.exec() == QDialog::Accepted)
        {
            for (const QString& file : dialog.selectedFiles())
                chosen.push_back(WindowsPathFromLinux(file));
            const int index = filters.indexOf(dialog.selectedNameFilter());
            if (index >= 0)
                m_ofn.nFilterIndex = static_cast<DWORD>(index + 1);
        }
    }

    for (const CString& path : chosen)
        if (!path.IsEmpty())
            m_paths.push_back(WithDefaultExtension(path, defExt));
    const INT_PTR result = m_paths.empty() ? IDCANCEL : IDOK;
    record.result = result;
    ModalHook::Record(record);
    if (result != IDOK)
        return result;

    // The framework's buffer: one path, or the folder followed by the names.
    std::string out;
    if (m_paths.size() == 1)
        out = std::string(m_paths.front().GetString()) + '\0';
    else
    {
        out = std::string(GetFolderPath().GetString()) + '\0';
        for (const CString& p : m_paths)
            out += std::string(FileNameOf(p).GetString()) + '\0';
    }
    out += '\0';
    if (m_ofn.lpstrFile && m_ofn.nMaxFile >= out.size())
    {
        std::memcpy(m_ofn.lpstrFile, out.data(), out.size());
        const CString first = m_paths.front();
        const int slash = first.ReverseFind('\\');
        m_ofn.nFileOffset =
            static_cast<WORD>(m_paths.size() == 1 ? slash + 1 : GetFolderPath().GetLength() + 1);
        const int dot = DotOf(FileNameOf(first));
        m_ofn.nFileExtension = static_cast<WORD>(dot < 0 ? 0 : slash + 1 + dot + 1);
    }
    else if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0)
        m_ofn.lpstrFile[0] = '\0';
    if (m_ofn.lpstrFileTitle && m_ofn.nMaxFileTitle > 0)
    {
        const CString name = FileNameOf(m_paths.front());
        std::strncpy(m_ofn.lpstrFileTitle, name.GetString(), m_ofn.nMaxFileTitle - 1);
        m_ofn.lpstrFileTitle[m_ofn.nMaxFileTitle - 1] = '\0';
    }
    return IDOK;
}

CString CFileDialog::GetPathName() const
{
    return m_paths.empty() ? CString() : m_paths.front();
}

CString CFileDialog::GetFileName() const
{
    return FileNameOf(GetPathName());
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = DotOf(name);
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = DotOf(name);
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    const CString path = GetPathName();
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

POSITION CFileDialog::GetStartPosition() const
{
    // Positions are 1-based indexes into the chosen paths, so that null ends the walk.
    return m_paths.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const auto index = reinterpret_cast<uintptr_t>(pos);
    if (index == 0 || index > m_paths.size())
    {
        pos = nullptr;
        return CString();
    }
    pos = index < m_paths.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_paths[index - 1];
}

IMPLEMENT_DYNAMIC(CFolderPickerDialog, CDialog)

CFolderPickerDialog::CFolderPickerDialog(LPCTSTR lpszFolder, DWORD, CWnd* pParentWnd, DWORD, BOOL)
    : CDialog(0u, pParentWnd), m_strInitial(lpszFolder ? lpszFolder : "")
{
}

INT_PTR CFolderPickerDialog::DoModal()
{
    m_strChosen.Empty();
    MODAL_RECORD record;
    record.kind = MODAL_RECORD::FolderDialog;
    record.caption = "Select Folder";
    record.folder = m_strInitial;

    CString chosen;
    bool found = false;
    if (ModalHook::TakeFolderDialogAnswer(&chosen, &found))
        record.answered = found;
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    {
        CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainCWnd();
        QFileDialog dialog(owner ? owner->GetWidget() : nullptr, record.caption.ToQString());
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        if (!m_strInitial.IsEmpty())
            dialog.setDirectory(LinuxPathFromWindows(m_strInitial));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = WindowsPathFromLinux(dialog.selectedFiles().front());
    }
    // The picker names a folder without its closing separator, as the drive root's "C:" shows.
    while (chosen.GetLength() > 1 && chosen[chosen.GetLength() - 1] == '\\')
        chosen = chosen.Left(chosen.GetLength() - 1);
    m_strChosen = chosen;
    const INT_PTR result = m_strChosen.IsEmpty() ? IDCANCEL : IDOK;
    record.result = result;
    ModalHook::Record(record);
    return result;
}
