#include "platform/ui/DateTimeCtrl.h"

#include <QDateTimeEdit>
#include <QLocale>

#include <algorithm>
#include <cctype>

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

namespace
{
class DateTimeWidget : public QDateTimeEdit
{
public:
    DateTimeWidget(HWND hWnd, DWORD style, QWidget* parent) : QDateTimeEdit(parent), m_hWnd(hWnd), m_style(style)
    {
        // The C locale's month names are the fixed English ones; the user's locale never
        // changes what a date reads.
        setLocale(QLocale::c());
        setCalendarPopup(false);
        Quietly([this] {
            setDisplayFormat(DefaultFormat());
            setDateTime(QDateTime::currentDateTime());
        });
        QObject::connect(this, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
            if (!m_quiet)
                Notify(value);
        });
    }

    QString DefaultFormat() const
    {
        if ((m_style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
            return "HH:mm:ss";
        return (m_style & DTS_LONGDATEFORMAT) ? "dd MMMM yyyy" : "dd/MM/yyyy";
    }

    // Runs a change of the program's own, which the parent is not told of.
    template <typename F> void Quietly(F change)
    {
        const bool before = m_quiet;
        m_quiet = true;
        change();
        m_quiet = before;
    }

    void Notify(const QDateTime& value)
    {
        NMDATETIMECHANGE change{};
        change.dwFlags = GDT_VALID;
        change.st = ToSystemTime(value);
        AfxNotifyParent(m_hWnd, DTN_DATETIMECHANGE, &change.nmhdr);
    }

    static SYSTEMTIME ToSystemTime(const QDateTime& value)
    {
        SYSTEMTIME st{};
        const QDate d = value.date();
        const QTime t = value.time();
        st.wYear = static_cast<WORD>(d.year());
        st.wMonth = static_cast<WORD>(d.month());
        st.wDay = static_cast<WORD>(d.day());
        st.wDayOfWeek = static_cast<WORD>(d.dayOfWeek() % 7);
        st.wHour = static_cast<WORD>(t.hour());
        st.wMinute = static_cast<WORD>(t.minute());
        st.wSecond = static_cast<WORD>(t.second());
        return st;
    }

    // Invalid for a date or time that does not exist.
    static QDateTime FromSystemTime(const SYSTEMTIME& st)
    {
        const QDate d(st.wYear, st.wMonth, st.wDay);
        const QTime t(st.wHour, st.wMinute, st.wSecond);
        if (!d.isValid() || !t.isValid())
            return QDateTime();
        return QDateTime(d, t);
    }

    HWND m_hWnd;
    DWORD m_style;
    bool m_quiet = false;
    bool m_hasMinimum = false;
    bool m_hasMaximum = false;
};

QWidget* MakeDateTime(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    return new DateTimeWidget(hWnd, static_cast<DWORD>(cs.style), parent);
}

BOOL DateTimeProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* w = dynamic_cast<DateTimeWidget*>(pWnd->GetWidget());
    if (!w)
        return FALSE;
    LRESULT& result = *pResult;
    result = 0;
    switch (message)
    {
    case DTM_SETFORMATA: {
        const auto* format = reinterpret_cast<LPCTSTR>(lParam);
        const QString qtFormat = format && *format ? CDateTimeCtrl::QtFormatOf(format).ToQString() : w->DefaultFormat();
        w->Quietly([&] {
            const QDateTime keep = w->dateTime();
            w->setDisplayFormat(qtFormat);
            w->setDateTime(keep);
        });
        result = TRUE;
        return TRUE;
    }
    case DTM_SETSYSTEMTIME: {
        const auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (static_cast<int>(wParam) != GDT_VALID || !st)
            return TRUE;
        const QDateTime value = DateTimeWidget::FromSystemTime(*st);
        if (!value.isValid())
            return TRUE;
        w->Quietly([&] { w->setDateTime(value); });
        result = TRUE;
        return TRUE;
    }
    case DTM_GETSYSTEMTIME: {
        auto* st = reinterpret_cast<SYSTEMTIME*>(lParam);
        if (!st)
        {
            result = GDT_ERROR;
            return TRUE;
        }
        *st = DateTimeWidget::ToSystemTime(w->dateTime());
        result = GDT_VALID;
        return TRUE;
    }
    case DTM_SETRANGE: {
        const auto* ends = reinterpret_cast<const SYSTEMTIME*>(lParam);
        const bool setMinimum = (wParam & GDTR_MIN) && ends;
        const bool setMaximum = (wParam & GDTR_MAX) && ends;
        const QDateTime minimum = setMinimum ? DateTimeWidget::FromSystemTime(ends[0]) : QDateTime();
        const QDateTime maximum = setMaximum ? DateTimeWidget::FromSystemTime(ends[1]) : QDateTime();
        if ((setMinimum && !minimum.isValid()) || (setMaximum && !maximum.isValid()))
            return TRUE;
        w->Quietly([&] {
            if (setMinimum)
                w->setMinimumDateTime(minimum);
            else
                w->clearMinimumDateTime();
            if (setMaximum)
                w->setMaximumDateTime(maximum);
            else
                w->clearMaximumDateTime();
        });
        w->m_hasMinimum = setMinimum;
        w->m_hasMaximum = setMaximum;
        result = TRUE;
        return TRUE;
    }
    case DTM_GETRANGE: {
        auto* ends = reinterpret_cast<SYSTEMTIME*>(lParam);
        DWORD flags = 0;
        if (w->m_hasMinimum)
        {
            flags |= GDTR_MIN;
            if (ends)
                ends[0] = DateTimeWidget::ToSystemTime(w->minimumDateTime());
        }
        if (w->m_hasMaximum)
        {
            flags |= GDTR_MAX;
            if (ends)
                ends[1] = DateTimeWidget::ToSystemTime(w->maximumDateTime());
        }
        result = static_cast<LRESULT>(flags);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

const struct DateTimeClassRegistrar
{
    DateTimeClassRegistrar() { AfxRegisterControlClass(DATETIMEPICK_CLASS, &MakeDateTime, &DateTimeProc); }
} dateTimeClassRegistrar;

LRESULT Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CWnd*>(wnd)->SendMessage(message, wParam, lParam);
}

SYSTEMTIME SystemTimeOf(const CTime& time)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(time.GetYear());
    st.wMonth = static_cast<WORD>(time.GetMonth());
    st.wDay = static_cast<WORD>(time.GetDay());
    st.wHour = static_cast<WORD>(time.GetHour());
    st.wMinute = static_cast<WORD>(time.GetMinute());
    st.wSecond = static_cast<WORD>(time.GetSecond());
    return st;
}

// A run of one letter in a Windows format, as Qt writes it.
QString QtRun(char letter, int count)
{
    switch (letter)
    {
    case 'y':
        return count <= 2 ? QString("yy") : QString("yyyy");
    case 'M':
        return QString(std::min(count, 4), 'M');
    case 'd':
        // Windows' ddd and dddd are day names, as Qt's.
        return QString(std::min(count, 4), 'd');
    case 'h':
    case 'H':
    case 'm':
    case 's':
        return QString(std::min(count, 2), QChar(letter));
    case 't':
        return "AP";
    default:
        return QString();
    }
}

bool IsFormatLetter(char c)
{
    return c == 'y' || c == 'M' || c == 'd' || c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't';
}
} // namespace

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(DATETIMEPICK_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

CString CDateTimeCtrl::QtFormatOf(LPCTSTR pstrFormat)
{
    const CString format = pstrFormat ? pstrFormat : "";
    QString qt;
    QString literal;
    const auto flushLiteral = [&] {
        if (literal.isEmpty())
            return;
        QString quoted = literal;
        quoted.replace("'", "''");
        qt += "'" + quoted + "'";
        literal.clear();
    };
    const int n = format.GetLength();
    for (int i = 0; i < n;)
    {
        const char c = format[i];
        if (c == '\'')
        {
            // Quoted text; '' inside it is one quote.
            int j = i + 1;
            for (; j < n; ++j)
            {
                if (format[j] == '\'' && j + 1 < n && format[j + 1] == '\'')
                {
                    literal += '\'';
                    ++j;
                }
                else if (format[j] == '\'')
                    break;
                else
                    literal += QChar(static_cast<uchar>(format[j]));
            }
            i = j + 1;
            continue;
        }
        if (IsFormatLetter(c))
        {
            int j = i;
            while (j < n && format[j] == c)
                ++j;
            flushLiteral();
            qt += QtRun(c, j - i);
            i = j;
            continue;
        }
        literal += QChar(static_cast<uchar>(c));
        ++i;
    }
    flushLiteral();
    return CString::FromQString(qt);
}

BOOL CDateTimeCtrl::SetFormat(LPCTSTR pstrFormat)
{
    return static_cast<BOOL>(Send(this, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(pstrFormat)));
}

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* pTimeNew)
{
    return static_cast<BOOL>(Send(this, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(pTimeNew)));
}

BOOL CDateTimeCtrl::SetTime(const CTime& timeNew)
{
    const SYSTEMTIME st = SystemTimeOf(timeNew);
    return SetTime(&st);
}

DWORD CDateTimeCtrl::GetTime(SYSTEMTIME& timeDest) const
{
    return static_cast<DWORD>(Send(this, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&timeDest)));
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st{};
    const DWORD result = GetTime(st);
    if (result == static_cast<DWORD>(GDT_VALID))
        timeDest = CTime(st);
    return result;
}

BOOL CDateTimeCtrl::SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange)
{
    SYSTEMTIME ends[2] = {};
    WPARAM flags = 0;
    if (pMinRange)
    {
        ends[0] = *pMinRange;
        flags |= GDTR_MIN;
    }
    if (pMaxRange)
    {
        ends[1] = *pMaxRange;
        flags |= GDTR_MAX;
    }
    return static_cast<BOOL>(Send(this, DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(ends)));
}

DWORD CDateTimeCtrl::GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const
{
    SYSTEMTIME ends[2] = {};
    const auto flags = static_cast<DWORD>(Send(this, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(ends)));
    if (pMinRange && (flags & GDTR_MIN))
        *pMinRange = ends[0];
    if (pMaxRange && (flags & GDTR_MAX))
        *pMaxRange = ends[1];
    return flags;
}
