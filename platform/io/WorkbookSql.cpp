#include "platform/io/WorkbookSql.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace
{
class SqlScanner
{
public:
    explicit SqlScanner(const char* text) : m_text(text ? text : ""), m_pos(0) {}

    void SkipBlanks()
    {
        while (m_pos < m_text.GetLength() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
    }

    bool AtEnd()
    {
        SkipBlanks();
        return m_pos >= m_text.GetLength();
    }

    char Peek()
    {
        SkipBlanks();
        return m_pos < m_text.GetLength() ? m_text[m_pos] : '\0';
    }

    bool TakeChar(char c)
    {
        if (Peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    // A keyword, whole (not the start of a longer word), in any case.
    bool TakeKeyword(const char* word)
    {
        SkipBlanks();
        const int n = static_cast<int>(std::strlen(word));
        if (m_pos + n > m_text.GetLength())
            return false;
        for (int i = 0; i < n; ++i)
            if (std::toupper(static_cast<unsigned char>(m_text[m_pos + i])) != word[i])
                return false;
        if (m_pos + n < m_text.GetLength() && IsWordChar(m_text[m_pos + n]))
            return false;
        m_pos += n;
        return true;
    }

    // A name: "quoted" ("" inside), [bracketed] or a bare word. `dollar` is set when a
    // bracketed or bare name ended in '$' (a worksheet selection), which is left out.
    bool TakeName(CString& name, bool* dollar = nullptr)
    {
        name.Empty();
        if (dollar)
            *dollar = false;
        const char c = Peek();
        if (c == '"')
            return TakeQuoted('"', name);
        if (c == '[')
        {
            ++m_pos;
            const int close = m_text.Find(']', m_pos);
            if (close < 0)
                return false;
            name = m_text.Mid(m_pos, close - m_pos);
            m_pos = close + 1;
            StripDollar(name, dollar);
            return !name.IsEmpty();
        }
        const int start = m_pos;
        while (m_pos < m_text.GetLength() && (IsWordChar(m_text[m_pos]) || m_text[m_pos] == '$'))
            ++m_pos;
        name = m_text.Mid(start, m_pos - start);
        StripDollar(name, dollar);
        return !name.IsEmpty();
    }

    // 'text' with '' for an apostrophe.
    bool TakeString(CString& text)
    {
        text.Empty();
        if (Peek() != '\'')
            return false;
        return TakeQuoted('\'', text);
    }

    // A plain number such as -12.5 or 1e3.
    bool TakeNumber(CString& text)
    {
        SkipBlanks();
        const char* start = m_text.GetString() + m_pos;
        if (!*start || !(std::isdigit(static_cast<unsigned char>(*start)) || *start == '-' || *start == '+' ||
                         *start == '.'))
            return false;
        char* end = nullptr;
        std::strtod(start, &end);
        if (end == start || (*end && (IsWordChar(*end) || *end == '.')))
            return false;
        const int n = static_cast<int>(end - start);
        text = m_text.Mid(m_pos, n);
        m_pos += n;
        return true;
    }

    // What comes next, for a message.
    CString Rest()
    {
        SkipBlanks();
        CString rest = m_text.Mid(m_pos);
        if (rest.GetLength() > 30)
            rest = rest.Left(30) + "...";
        return rest.IsEmpty() ? CString("the end of the statement") : "\"" + rest + "\"";
    }

private:
    // From the opening quote at the position to its closing one; a doubled quote stands for
    // one. False when the text ends first.
    bool TakeQuoted(char quote, CString& text)
    {
        ++m_pos;
        for (;;)
        {
            if (m_pos >= m_text.GetLength())
                return false;
            const char ch = m_text[m_pos++];
            if (ch == quote)
            {
                if (m_pos < m_text.GetLength() && m_text[m_pos] == quote)
                {
                    text += quote;
                    ++m_pos;
                    continue;
                }
                return true;
            }
            text += ch;
        }
    }

    static bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    static void StripDollar(CString& name, bool* dollar)
    {
        if (!name.IsEmpty() && name[name.GetLength() - 1] == '$')
        {
            name.Truncate(name.GetLength() - 1);
            if (dollar)
                *dollar = true;
        }
    }

    CString m_text;
    int m_pos;
};

bool Expected(SqlScanner& scanner, const char* what, CString& error)
{
    error.Format("Syntax error: %s expected before %s", what, scanner.Rest().GetString());
    return false;
}

bool Finish(SqlScanner& scanner, CString& error)
{
    scanner.TakeChar(';');
    if (!scanner.AtEnd())
        return Expected(scanner, "the end of the statement", error);
    return true;
}

// "(item, item, ...)" and the end of the statement; `takeItem` reads one item, or sets the
// message and returns false.
template <class TAKE_ITEM> bool ParseItemList(SqlScanner& s, CString& error, TAKE_ITEM takeItem)
{
    if (!s.TakeChar('('))
        return Expected(s, "'('", error);
    for (;;)
    {
        if (!takeItem())
            return false;
        if (s.TakeChar(','))
            continue;
        if (s.TakeChar(')'))
            break;
        return Expected(s, "',' or ')'", error);
    }
    return Finish(s, error);
}

bool ParseCreate(SqlScanner& s, WorkbookSqlStatement& st, CString& error)
{
    st.kind = WorkbookSqlStatement::CreateTable;
    if (!s.TakeKeyword("TABLE"))
        return Expected(s, "TABLE", error);
    if (!s.TakeName(st.table))
        return Expected(s, "a table name", error);
    return ParseItemList(s, error, [&] {
        WorkbookSqlColumn column;
        if (!s.TakeName(column.name))
            return Expected(s, "a column name", error);
        if (s.TakeKeyword("NUMBER"))
            column.numeric = true;
        else if (s.TakeKeyword("TEXT"))
            column.numeric = false;
        else
            return Expected(s, "the column type NUMBER or TEXT", error);
        st.columns.push_back(column);
        return true;
    });
}

bool ParseInsert(SqlScanner& s, WorkbookSqlStatement& st, CString& error)
{
    st.kind = WorkbookSqlStatement::Insert;
    if (!s.TakeKeyword("INTO"))
        return Expected(s, "INTO", error);
    if (!s.TakeName(st.table))
        return Expected(s, "a table name", error);
    if (!s.TakeKeyword("VALUES"))
        return Expected(s, "VALUES", error);
    return ParseItemList(s, error, [&] {
        WorkbookSqlValue value;
        if (s.Peek() == '\'')
        {
            if (!s.TakeString(value.text))
            {
                error = "Syntax error: a text value has no closing quote";
                return false;
            }
        }
        else if (s.TakeKeyword("NULL"))
            value.null = true;
        else if (!s.TakeNumber(value.text))
            return Expected(s, "a value", error);
        st.values.push_back(value);
        return true;
    });
}

bool ParseSelect(SqlScanner& s, WorkbookSqlStatement& st, CString& error)
{
    st.kind = WorkbookSqlStatement::Select;
    if (!s.TakeChar('*'))
    {
        error = "Only \"SELECT * FROM [sheet$]\" selections are supported";
        return false;
    }
    if (!s.TakeKeyword("FROM"))
        return Expected(s, "FROM", error);
    if (!s.TakeName(st.table))
        return Expected(s, "a sheet name such as [Sheet1$]", error);
    if (!s.AtEnd() && s.Peek() != ';')
    {
        error = "Only \"SELECT * FROM [sheet$]\" selections are supported";
        return false;
    }
    return Finish(s, error);
}
} // namespace

bool ParseWorkbookSql(const char* sql, WorkbookSqlStatement& statement, CString& error)
{
    statement = WorkbookSqlStatement();
    error.Empty();
    SqlScanner scanner(sql);
    if (scanner.TakeKeyword("CREATE"))
        return ParseCreate(scanner, statement, error);
    if (scanner.TakeKeyword("INSERT"))
        return ParseInsert(scanner, statement, error);
    if (scanner.TakeKeyword("SELECT"))
        return ParseSelect(scanner, statement, error);
    error.Format("Unsupported statement %s: the workbook driver understands CREATE TABLE, INSERT INTO and "
                 "SELECT * FROM [sheet$]",
                 scanner.Rest().GetString());
    return false;
}
