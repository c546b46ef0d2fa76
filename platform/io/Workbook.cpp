#include "platform/io/Workbook.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QXmlStreamReader>

#include <unzip.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

namespace
{
// The bytes all parts of a package unpack to, as its directory claims them and as they are
// read: a few hundred kilobytes of package can claim gigabytes.
constexpr unsigned long long kMaxPackageBytes = kWorkbookMaxUnpackedBytes;

const char* const kRelOfficeDocument = "/officeDocument";
const char* const kRelWorksheet = "/worksheet";
const char* const kRelSharedStrings = "/sharedStrings";

// One part of a package, unpacked as the XML reader asks for it, so that a part is never
// held whole; it counts what it unpacks against what the whole package may unpack to.
class ZipPartDevice : public QIODevice
{
public:
    ZipPartDevice(unzFile zip, unsigned long long& budget) : m_zip(zip), m_budget(budget) {}

    bool isSequential() const override { return true; }
    // The part unpacked to more than the package's budget left.
    bool Overran() const { return m_overran; }
    // The part's bytes could not be unpacked.
    bool Failed() const { return m_failed; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_overran || m_failed)
            return -1;
        const int n = unzReadCurrentFile(m_zip, data, static_cast<unsigned>(std::min<qint64>(maxSize, 1 << 20)));
        if (n < 0)
        {
            m_failed = true;
            return -1;
        }
        if (static_cast<unsigned long long>(n) > m_budget)
        {
            m_overran = true;
            return -1;
        }
        m_budget -= static_cast<unsigned long long>(n);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    unzFile m_zip;
    unsigned long long& m_budget;
    bool m_overran = false;
    bool m_failed = false;
};

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

    // Hands the part's XML to `read` as it unpacks. False with a message when the part is
    // missing (`missing` set), cannot be unpacked, unpacks to more than the package may, is no
    // well-formed XML, or when `read` is false (its message kept).
    bool ReadXml(const QString& partName, bool* missing, CString& error,
                 const std::function<bool(QXmlStreamReader&)>& read)
    {
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
        if (unzOpenCurrentFile(m_zip) != UNZ_OK)
        {
            error.Format("The workbook part \"%s\" cannot be read", utf8.constData());
            return false;
        }
        ZipPartDevice device(m_zip, m_budget);
        device.open(QIODevice::ReadOnly);
        QXmlStreamReader reader(&device);
        const bool readOk = read(reader);
        // The rest of a part read to its end unpacks too: a checksum error shows only there.
        if (readOk && !reader.hasError())
        {
            char rest[65536];
            while (device.read(rest, sizeof rest) > 0)
            {
            }
        }
        const bool checked = unzCloseCurrentFile(m_zip) == UNZ_OK;
        if (device.Overran())
        {
            error.Format("The workbook unpacks to more than %llu MB and is not read", kMaxPackageBytes >> 20);
            return false;
        }
        if (!readOk)
            return false;
        if (device.Failed() || !checked || reader.hasError())
        {
            error.Format("The workbook part \"%s\" is damaged", utf8.constData());
            return false;
        }
        return true;
    }

private:
    unzFile m_zip = nullptr;
    unsigned long long m_budget = kMaxPackageBytes;
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
QHash<QString, Relationship> ReadRelationships(QXmlStreamReader& reader)
{
    QHash<QString, Relationship> rels;
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

// What the cells of one workbook may still take: cells, and characters of text (a shared
// string is held again by every cell that names it).
struct CellBudget
{
    long long cells = kWorkbookMaxCells;
    long long textBytes = kWorkbookMaxTextBytes;

    bool Take(const WorkbookCell& cell, CString& error)
    {
        textBytes -= cell.text.GetLength();
        if (--cells < 0)
        {
            error.Format("The workbook holds more than %lld cells, more than a list shows, and is not read",
                         kWorkbookMaxCells);
            return false;
        }
        if (textBytes < 0)
        {
            error.Format("The workbook's cells hold more than %lld MB of text and are not read",
                         kWorkbookMaxTextBytes >> 20);
            return false;
        }
        return true;
    }
};

bool ReadSharedStrings(QXmlStreamReader& reader, std::vector<CString>& strings, CString& error)
{
    while (!reader.atEnd())
    {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("si"))
            continue;
        // No cell can name more strings than a workbook may hold cells.
        if (static_cast<long long>(strings.size()) >= kWorkbookMaxCells)
        {
            error.Format("The workbook holds more than %lld shared strings, more than a list shows, and is not "
                         "read",
                         kWorkbookMaxCells);
            return false;
        }
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

bool ReadWorksheet(QXmlStreamReader& reader, const std::vector<CString>& shared, WorkbookSheet& sheet,
                   CellBudget& budget, CString& error)
{
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
            if (row >= kWorkbookMaxRows)
            {
                error.Format("The worksheet \"%s\" has more rows than a sheet holds", sheet.name.GetString());
                return false;
            }
            column = -1;
            continue;
        }
        if (reader.name() != QLatin1String("c"))
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        int cellColumn = column + 1;
        int cellRow = row < 0 ? 0 : row;
        const QStringView ref = a.value(QLatin1String("r"));
        if (!ref.isEmpty() && !ParseCellReference(ref.toString(), cellColumn, cellRow))
        {
            error.Format("The worksheet \"%s\" has a cell reference out of range", sheet.name.GetString());
            return false;
        }
        if (cellColumn >= kWorkbookMaxColumns)
        {
            error.Format("The worksheet \"%s\" has too many columns", sheet.name.GetString());
            return false;
        }
        row = cellRow;
        column = cellColumn;
        const QStringView type = a.value(QLatin1String("t"));
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
            const int index = QStringView(value).trimmed().toInt(&ok);
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
        else if (hasValue && !QStringView(value).trimmed().isEmpty())
        {
            // Numbers, and booleans as 1 and 0.
            bool ok = false;
            const double number = QStringView(value).trimmed().toDouble(&ok);
            cell = ok ? WorkbookCell::FromNumber(number) : WorkbookCell::FromText(FromXml(value));
        }
        if (cell.kind == WorkbookCell::Empty)
            continue;
        if (!budget.Take(cell, error))
            return false;
        if (sheet.rows.size() <= static_cast<size_t>(cellRow))
            sheet.rows.resize(static_cast<size_t>(cellRow) + 1);
        sheet.rows[static_cast<size_t>(cellRow)].Place(cellColumn, std::move(cell));
    }
    if (reader.hasError())
    {
        error.Format("The worksheet \"%s\" is damaged", sheet.name.GetString());
        return false;
    }
    for (WorkbookRow& r : sheet.rows)
        r.PutInOrder();
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

WorkbookRow::WorkbookRow(std::initializer_list<WorkbookCell> cells)
{
    int column = 0;
    for (const WorkbookCell& cell : cells)
        Place(column++, cell);
}

WorkbookRow::WorkbookRow(const std::vector<WorkbookCell>& cells)
{
    for (size_t c = 0; c < cells.size(); ++c)
        Place(static_cast<int>(c), cells[c]);
}

const WorkbookCell& WorkbookRow::At(int column) const
{
    static const WorkbookCell kEmpty;
    const auto at = std::lower_bound(m_cells.begin(), m_cells.end(), column,
                                     [](const std::pair<int, WorkbookCell>& held, int c) { return held.first < c; });
    return at != m_cells.end() && at->first == column ? at->second : kEmpty;
}

int WorkbookRow::Width() const
{
    return m_cells.empty() ? 0 : m_cells.back().first + 1;
}

void WorkbookRow::Place(int column, WorkbookCell cell)
{
    if (cell.kind == WorkbookCell::Empty)
        return;
    if (!m_cells.empty() && m_cells.back().first >= column)
        m_ordered = false;
    m_cells.emplace_back(column, std::move(cell));
}

void WorkbookRow::PutInOrder()
{
    if (m_ordered)
        return;
    std::stable_sort(m_cells.begin(), m_cells.end(),
                     [](const std::pair<int, WorkbookCell>& a, const std::pair<int, WorkbookCell>& b) {
                         return a.first < b.first;
                     });
    // Of cells placed in one column, the last placed stands.
    std::vector<std::pair<int, WorkbookCell>> kept;
    kept.reserve(m_cells.size());
    for (auto& held : m_cells)
    {
        if (!kept.empty() && kept.back().first == held.first)
            kept.back() = std::move(held);
        else
            kept.push_back(std::move(held));
    }
    m_cells.swap(kept);
    m_ordered = true;
}

int WorkbookSheet::ColumnCount() const
{
    int n = 0;
    for (const WorkbookRow& r : rows)
        n = std::max(n, r.Width());
    return n;
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
        error.Format("The workbook unpacks to more than %llu MB and is not read", kMaxPackageBytes >> 20);
        return false;
    }
    bool missing = false;
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    QHash<QString, Relationship> rels;
    auto readRelationships = [&rels](QXmlStreamReader& reader) {
        rels = ReadRelationships(reader);
        return true;
    };
    // Without a readable package relationship the workbook is where it usually is.
    if (zip.ReadXml(QStringLiteral("_rels/.rels"), &missing, error, readRelationships))
    {
        for (const Relationship& rel : rels)
            if (rel.type.endsWith(QLatin1String(kRelOfficeDocument)))
                workbookPart = ResolveTarget(QString(), rel.target);
    }
    struct SheetEntry
    {
        QString name;
        QString relId;
    };
    std::vector<SheetEntry> entries;
    const bool listed = zip.ReadXml(workbookPart, &missing, error, [&entries, &error](QXmlStreamReader& reader) {
        while (!reader.atEnd())
        {
            if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("sheet"))
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
        return true;
    });
    if (!listed)
    {
        if (missing)
            error = "The file is not an .xlsx workbook";
        return false;
    }
    const QString workbookFolder = FolderOf(workbookPart);
    rels.clear();
    if (!zip.ReadXml(RelsOf(workbookPart), &missing, error, readRelationships) && !missing)
        return false;

    std::vector<CString> shared;
    QString sharedPart;
    for (const Relationship& rel : rels)
        if (rel.type.endsWith(QLatin1String(kRelSharedStrings)))
            sharedPart = ResolveTarget(workbookFolder, rel.target);
    if (!sharedPart.isEmpty() &&
        !zip.ReadXml(sharedPart, &missing, error,
                     [&](QXmlStreamReader& reader) { return ReadSharedStrings(reader, shared, error); }))
        return false;

    CellBudget budget;
    for (const SheetEntry& entry : entries)
    {
        const auto rel = rels.constFind(entry.relId);
        // Chart sheets and other kinds hold no cells.
        if (rel == rels.constEnd() || !rel->type.endsWith(QLatin1String(kRelWorksheet)))
            continue;
        WorkbookSheet sheet;
        sheet.name = FromXml(entry.name);
        if (!zip.ReadXml(ResolveTarget(workbookFolder, rel->target), &missing, error,
                         [&](QXmlStreamReader& reader) { return ReadWorksheet(reader, shared, sheet, budget, error); }))
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
            for (const auto& [c, cell] : sheet.rows[r].Cells())
            {
                widths[static_cast<size_t>(c)] = std::max(widths[static_cast<size_t>(c)], DisplayWidth(cell));
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
