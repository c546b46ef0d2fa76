#include "platform/io/Workbook.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <unzip.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
// A part larger than this is not read: a workbook this engine exchanges is far smaller, and a
// damaged or hostile package must not take all the memory.
constexpr uLong kMaxPartBytes = 256u * 1024u * 1024u;
// And all parts together: a few hundred kilobytes of package can claim gigabytes.
constexpr unsigned long long kMaxPackageBytes = 256ull * 1024ull * 1024ull;
// Cells that a sheet's used range (first row and column to its last) may span. The rows of a
// sheet are held one after another, so one cell in the last row and column would otherwise ask
// for a billion-row table of every record.
constexpr long long kMaxSheetSpan = 16ll * 1024ll * 1024ll;

const char* const kRelOfficeDocument = "/officeDocument";
const char* const kRelWorksheet = "/worksheet";
const char* const kRelSharedStrings = "/sharedStrings";

class ZipPackage
{
public:
    explicit ZipPackage(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        m_zip = unzOpen64(name.constData());
    }
    ~ZipPackage()
    {
        if (m_zip)
            unzClose(m_zip);
    }
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    bool IsOpen() const { return m_zip != nullptr; }

    // The uncompressed size that all parts together claim, as the package's directory says.
    unsigned long long ClaimedBytes()
    {
        unsigned long long total = 0;
        for (int status = unzGoToFirstFile(m_zip); status == UNZ_OK; status = unzGoToNextFile(m_zip))
        {
            unz_file_info64 info{};
            if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
                return ~0ull;
            total += info.uncompressed_size;
            if (total > kMaxPackageBytes)
                break;
        }
        return total;
    }

    // The part's bytes; false when it is missing (`missing` set) or cannot be read.
    bool Read(const QString& partName, QByteArray& out, bool* missing, CString& error)
    {
        out.clear();
        if (missing)
            *missing = false;
        QString name = partName;
        if (name.startsWith(QLatin1Char('/')))
            name.remove(0, 1);
        const QByteArray utf8 = name.toUtf8();
        // Part names of a package compare without regard to case.
        if (unzLocateFile(m_zip, utf8.constData(), 2) != UNZ_OK)
        {
            if (missing)
                *missing = true;
            error.Format("The workbook has no part \"%s\"", utf8.constData());
            return false;
        }
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
            info.uncompressed_size > kMaxPartBytes)
        {
            error.Format("The workbook part \"%s\" cannot be read", utf8.constData());
            return false;
        }
        if (unzOpenCurrentFile(m_zip) != UNZ_OK)
        {
            error.Format("The workbook part \"%s\" cannot be read", utf8.constData());
            return false;
        }
        char buffer[65536];
        bool ok = true;
        for (;;)
        {
            const int n = unzReadCurrentFile(m_zip, buffer, sizeof buffer);
            if (n < 0)
            {
                ok = false;
                break;
            }
            if (n == 0)
                break;
            out.append(buffer, n);
            if (static_cast<uLong>(out.size()) > kMaxPartBytes)
            {
                ok = false;
                break;
            }
        }
        // A checksum error shows only when the entry is closed.
        if (unzCloseCurrentFile(m_zip) != UNZ_OK)
            ok = false;
        if (!ok)
            error.Format("The workbook part \"%s\" is damaged", utf8.constData());
        return ok;
    }

private:
    unzFile m_zip = nullptr;
};

CString FromXml(const QString& s)
{
    // Characters the XML cannot hold literally arrive as _xHHHH_.
    if (!s.contains(QLatin1String("_x")))
        return CString::FromQString(s);
    QString decoded;
    decoded.reserve(s.size());
    for (int i = 0; i < s.size(); ++i)
    {
        if (s.at(i) == QLatin1Char('_') && i + 6 < s.size() && s.at(i + 1) == QLatin1Char('x') &&
            s.at(i + 6) == QLatin1Char('_'))
        {
            bool ok = false;
            const uint code = s.mid(i + 2, 4).toUInt(&ok, 16);
            if (ok)
            {
                decoded.append(QChar(static_cast<char16_t>(code)));
                i += 6;
                continue;
            }
        }
        decoded.append(s.at(i));
    }
    return CString::FromQString(decoded);
}

QByteArray ToUtf8(const CString& s)
{
    return Cp1252ToQString(s.GetString(), s.GetLength()).toUtf8();
}

struct Relationship
{
    QString type;
    QString target;
};

// Id -> relationship of a .rels part.
QHash<QString, Relationship> ReadRelationships(const QByteArray& xml)
{
    QHash<QString, Relationship> rels;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
    {
        if (reader.readNext() != QXmlStreamReader::StartElement ||
            reader.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        rels.insert(a.value(QLatin1String("Id")).toString(),
                    Relationship{a.value(QLatin1String("Type")).toString(),
                                 a.value(QLatin1String("Target")).toString()});
    }
    return rels;
}

// A relationship's target made a part name, relative to the folder of the part that names it.
QString ResolveTarget(const QString& baseFolder, const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    QStringList parts = (baseFolder + target).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList clean;
    for (const QString& p : parts)
    {
        if (p == QLatin1String("."))
            continue;
        if (p == QLatin1String(".."))
        {
            if (!clean.isEmpty())
                clean.removeLast();
            continue;
        }
        clean.append(p);
    }
    return clean.join(QLatin1Char('/'));
}

QString FolderOf(const QString& partName)
{
    const int slash = partName.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : partName.left(slash + 1);
}

QString RelsOf(const QString& partName)
{
    const int slash = partName.lastIndexOf(QLatin1Char('/'));
    return FolderOf(partName) + QLatin1String("_rels/") + partName.mid(slash + 1) + QLatin1String(".rels");
}

// The text of the <t> elements of a string item (<si> or <is>), leaving out phonetic runs.
QString ReadStringItem(QXmlStreamReader& reader)
{
    const QString element = reader.name().toString();
    QString text;
    while (!reader.atEnd())
    {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::EndElement && reader.name() == element)
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("t"))
            text += reader.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (reader.name() == QLatin1String("rPh"))
            reader.skipCurrentElement();
    }
    return text;
}

bool ReadSharedStrings(const QByteArray& xml, std::vector<CString>& strings, CString& error)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
    {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("si"))
            strings.push_back(FromXml(ReadStringItem(reader)));
    }
    if (reader.hasError())
    {
        error = "The workbook's shared strings are damaged";
        return false;
    }
    return true;
}

// "B12" -> column 1, row 11; false for anything else.
bool ParseCellReference(const QString& ref, int& column, int& row)
{
    int i = 0;
    int col = 0;
    while (i < ref.size() && ref.at(i).isLetter())
    {
        col = col * 26 + (ref.at(i).toUpper().unicode() - 'A' + 1);
        if (col > kWorkbookMaxColumns)
            return false;
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || r < 1 || r > kWorkbookMaxRows)
        return false;
    column = col - 1;
    row = r - 1;
    return true;
}

bool ReadWorksheet(const QByteArray& xml, const std::vector<CString>& shared, WorkbookSheet& sheet,
                   CString& error)
{
    QXmlStreamReader reader(xml);
    int row = -1;
    int column = -1;
    while (!reader.atEnd())
    {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("row"))
        {
            bool ok = false;
            const QStringView number = reader.attributes().value(QLatin1String("r"));
            const int r = number.toInt(&ok);
            // A row without its number follows the last; one with a number no sheet has is
            // damage, not row 1.
            if (!number.isEmpty() && !(ok && r >= 1 && r <= kWorkbookMaxRows))
            {
                error.Format("The worksheet \"%s\" has a row number out of range", sheet.name.GetString());
                return false;
            }
            row = number.isEmpty() ? row + 1 : r - 1;
            column = -1;
            continue;
        }
        if (reader.name() != QLatin1String("c"))
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        int cellColumn = column + 1;
        int cellRow = row < 0 ? 0 : row;
        const QString ref = a.value(QLatin1String("r")).toString();
        if (!ref.isEmpty() && !ParseCellReference(ref, cellColumn, cellRow))
        {
            error.Format("The worksheet \"%s\" has a cell reference out of range", sheet.name.GetString());
            return false;
        }
        if (cellColumn >= kWorkbookMaxColumns)
        {
            error.Format("The worksheet \"%s\" has too many columns", sheet.name.GetString());
            return false;
        }
        if ((static_cast<long long>(cellRow) + 1) * (static_cast<long long>(cellColumn) + 1) > kMaxSheetSpan)
        {
            error.Format("The worksheet \"%s\" has a cell at row %d, column %d: a sheet that large is not read",
                         sheet.name.GetString(), cellRow + 1, cellColumn + 1);
            return false;
        }
        row = cellRow;
        column = cellColumn;
        const QString type = a.value(QLatin1String("t")).toString();
        QString value;
        QString inlineText;
        bool hasValue = false;
        bool hasInline = false;
        while (!reader.atEnd())
        {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("c"))
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (reader.name() == QLatin1String("v"))
            {
                value = reader.readElementText();
                hasValue = true;
            }
            else if (reader.name() == QLatin1String("is"))
            {
                inlineText = ReadStringItem(reader);
                hasInline = true;
            }
            else
                reader.skipCurrentElement();
        }
        WorkbookCell cell;
        if (type == QLatin1String("s"))
        {
            bool ok = false;
            const int index = value.trimmed().toInt(&ok);
            if (hasValue && (!ok || index < 0 || index >= static_cast<int>(shared.size())))
            {
                error.Format("The worksheet \"%s\" names a shared string that does not exist",
                             sheet.name.GetString());
                return false;
            }
            if (hasValue)
                cell = WorkbookCell::FromText(shared[static_cast<size_t>(index)]);
        }
        else if (type == QLatin1String("inlineStr"))
        {
            cell = WorkbookCell::FromText(FromXml(hasInline ? inlineText : value));
        }
        else if (type == QLatin1String("str") || type == QLatin1String("e") || type == QLatin1String("d"))
        {
            if (hasValue)
                cell = WorkbookCell::FromText(FromXml(value));
        }
        else if (hasValue && !value.trimmed().isEmpty())
        {
            // Numbers, and booleans as 1 and 0.
            bool ok = false;
            const double number = value.trimmed().toDouble(&ok);
            cell = ok ? WorkbookCell::FromNumber(number) : WorkbookCell::FromText(FromXml(value));
        }
        if (cell.kind == WorkbookCell::Empty)
            continue;
        if (sheet.rows.size() <= static_cast<size_t>(cellRow))
            sheet.rows.resize(static_cast<size_t>(cellRow) + 1);
        auto& cells = sheet.rows[static_cast<size_t>(cellRow)];
        if (cells.size() <= static_cast<size_t>(cellColumn))
            cells.resize(static_cast<size_t>(cellColumn) + 1);
        cells[static_cast<size_t>(cellColumn)] = cell;
    }
    if (reader.hasError())
    {
        error.Format("The worksheet \"%s\" is damaged", sheet.name.GetString());
        return false;
    }
    return true;
}

int DisplayWidth(const WorkbookCell& cell)
{
    return cell.kind == WorkbookCell::Empty ? 0 : cell.AsText().GetLength();
}
} // namespace

CString WorkbookCell::AsText() const
{
    switch (kind)
    {
    case Number: {
        if (!std::isfinite(number))
            return CString();
        char buffer[40];
        for (int precision = 15; precision <= 17; ++precision)
        {
            std::snprintf(buffer, sizeof buffer, "%.*g", precision, number);
            if (std::strtod(buffer, nullptr) == number)
                break;
        }
        return CString(buffer);
    }
    case Text:
        return text;
    default:
        return CString();
    }
}

int WorkbookSheet::ColumnCount() const
{
    size_t n = 0;
    for (const auto& r : rows)
        n = std::max(n, r.size());
    return static_cast<int>(n);
}

bool IsValidWorksheetName(const CString& name)
{
    if (name.IsEmpty() || name.GetLength() > 31)
        return false;
    if (name.FindOneOf("[]:*?/\\") >= 0)
        return false;
    return name[0] != '\'' && name[name.GetLength() - 1] != '\'';
}

namespace
{
bool ReadPackage(const QString& linuxPath, std::vector<WorkbookSheet>& sheets, CString& error);
} // namespace

bool ReadXlsxWorkbook(const QString& linuxPath, std::vector<WorkbookSheet>& sheets, CString& error)
{
    try
    {
        return ReadPackage(linuxPath, sheets, error);
    }
    catch (const std::bad_alloc&)
    {
        sheets.clear();
        error = "The workbook is too large to read";
        return false;
    }
}

namespace
{
bool ReadPackage(const QString& linuxPath, std::vector<WorkbookSheet>& sheets, CString& error)
{
    sheets.clear();
    error.Empty();
    if (!QFile::exists(linuxPath))
    {
        error = "The workbook file does not exist";
        return false;
    }
    ZipPackage zip(linuxPath);
    if (!zip.IsOpen())
    {
        error = "The file is not an .xlsx workbook";
        return false;
    }
    if (zip.ClaimedBytes() > kMaxPackageBytes)
    {
        error = "The workbook unpacks to more than 256 MB and is not read";
        return false;
    }
    QByteArray xml;
    bool missing = false;
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    if (zip.Read(QStringLiteral("_rels/.rels"), xml, &missing, error))
    {
        for (const Relationship& rel : ReadRelationships(xml))
            if (rel.type.endsWith(QLatin1String(kRelOfficeDocument)))
                workbookPart = ResolveTarget(QString(), rel.target);
    }
    if (!zip.Read(workbookPart, xml, &missing, error))
    {
        if (missing)
            error = "The file is not an .xlsx workbook";
        return false;
    }
    struct SheetEntry
    {
        QString name;
        QString relId;
    };
    std::vector<SheetEntry> entries;
    {
        QXmlStreamReader reader(xml);
        while (!reader.atEnd())
        {
            if (reader.readNext() != QXmlStreamReader::StartElement ||
                reader.name() != QLatin1String("sheet"))
                continue;
            SheetEntry entry;
            for (const QXmlStreamAttribute& attribute : reader.attributes())
            {
                if (attribute.name() == QLatin1String("name"))
                    entry.name = attribute.value().toString();
                else if (attribute.name() == QLatin1String("id"))
                    entry.relId = attribute.value().toString();
            }
            entries.push_back(entry);
        }
        if (reader.hasError())
        {
            error = "The workbook's sheet list is damaged";
            return false;
        }
    }
    const QString workbookFolder = FolderOf(workbookPart);
    QHash<QString, Relationship> rels;
    if (zip.Read(RelsOf(workbookPart), xml, &missing, error))
        rels = ReadRelationships(xml);
    else if (!missing)
        return false;

    std::vector<CString> shared;
    QString sharedPart;
    for (const Relationship& rel : rels)
        if (rel.type.endsWith(QLatin1String(kRelSharedStrings)))
            sharedPart = ResolveTarget(workbookFolder, rel.target);
    if (!sharedPart.isEmpty())
    {
        if (!zip.Read(sharedPart, xml, &missing, error))
            return false;
        if (!ReadSharedStrings(xml, shared, error))
            return false;
    }

    for (const SheetEntry& entry : entries)
    {
        const auto rel = rels.constFind(entry.relId);
        // Chart sheets and other kinds hold no cells.
        if (rel == rels.constEnd() || !rel->type.endsWith(QLatin1String(kRelWorksheet)))
            continue;
        WorkbookSheet sheet;
        sheet.name = FromXml(entry.name);
        if (!zip.Read(ResolveTarget(workbookFolder, rel->target), xml, &missing, error))
            return false;
        if (!ReadWorksheet(xml, shared, sheet, error))
            return false;
        sheets.push_back(std::move(sheet));
    }
    error.Empty();
    return true;
}
} // namespace

bool WriteXlsxWorkbook(const QString& linuxPath, const std::vector<WorkbookSheet>& sheets, CString& error)
{
    error.Empty();
    const QString partial = linuxPath + QStringLiteral(".partial");
    const QByteArray partialName = QFile::encodeName(partial);
    const QByteArray targetName = QFile::encodeName(linuxPath);
    QFile::remove(partial);

    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.tmpdir = nullptr;
    options.use_zip64 = LXW_FALSE;
    lxw_workbook* workbook = workbook_new_opt(partialName.constData(), &options);
    if (!workbook)
    {
        error = "The workbook could not be started";
        return false;
    }
    lxw_error failure = LXW_NO_ERROR;
    for (const WorkbookSheet& sheet : sheets)
    {
        if (!IsValidWorksheetName(sheet.name))
        {
            error.Format("\"%s\" cannot name a worksheet", sheet.name.GetString());
            failure = LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED;
            break;
        }
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, ToUtf8(sheet.name).constData());
        if (!worksheet)
        {
            error.Format("The worksheet \"%s\" could not be added", sheet.name.GetString());
            failure = LXW_ERROR_SHEETNAME_ALREADY_USED;
            break;
        }
        std::vector<int> widths(static_cast<size_t>(sheet.ColumnCount()), 0);
        for (size_t r = 0; r < sheet.rows.size() && failure == LXW_NO_ERROR; ++r)
        {
            const auto& cells = sheet.rows[r];
            for (size_t c = 0; c < cells.size(); ++c)
            {
                const WorkbookCell& cell = cells[c];
                widths[c] = std::max(widths[c], DisplayWidth(cell));
                lxw_error e = LXW_NO_ERROR;
                if (cell.kind == WorkbookCell::Number)
                    e = worksheet_write_number(worksheet, static_cast<lxw_row_t>(r),
                                               static_cast<lxw_col_t>(c), cell.number, nullptr);
                else if (cell.kind == WorkbookCell::Text && !cell.text.IsEmpty())
                    e = worksheet_write_string(worksheet, static_cast<lxw_row_t>(r),
                                               static_cast<lxw_col_t>(c), ToUtf8(cell.text).constData(),
                                               nullptr);
                if (e != LXW_NO_ERROR)
                {
                    error.Format("A cell of the worksheet \"%s\" could not be written: %s",
                                 sheet.name.GetString(), lxw_strerror(e));
                    failure = e;
                    break;
                }
            }
        }
        // Columns wide enough to read, within reason.
        for (size_t c = 0; c < widths.size() && failure == LXW_NO_ERROR; ++c)
            if (widths[c] > 8)
                worksheet_set_column(worksheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                     std::min(widths[c], 60) + 2.0, nullptr);
        if (failure != LXW_NO_ERROR)
            break;
    }
    const lxw_error closed = workbook_close(workbook);
    if (failure == LXW_NO_ERROR && closed != LXW_NO_ERROR)
    {
        error.Format("The workbook could not be written: %s", lxw_strerror(closed));
        failure = closed;
    }
    if (failure != LXW_NO_ERROR)
    {
        QFile::remove(partial);
        return false;
    }
    if (std::rename(partialName.constData(), targetName.constData()) != 0)
    {
        error.Format("The workbook could not take its name: %s", std::strerror(errno));
        QFile::remove(partial);
        return false;
    }
    return true;
}
