// The date and time picker driven offscreen: the Windows formats it takes, English month
// names under any locale, its range, and the change notification that only a user's change
// sends.
#include "platform/ui/DateTimeCtrl.h"
#include "testsupport/EventPump.h"
#include "testsupport/UserInput.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLocale>
#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr UINT IDC_PICKER = 1401;

// The picker's parent, writing down every change notification.
class CPickerHost : public CWnd
{
public:
    std::vector<NMDATETIMECHANGE> changes;

    CPickerHost()
    {
        CreateEx(0, nullptr, "Picker", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 360, 200), nullptr, 0);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == DTN_DATETIMECHANGE && header->idFrom == IDC_PICKER)
            changes.push_back(*reinterpret_cast<const NMDATETIMECHANGE*>(lParam));
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

SYSTEMTIME Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    return st;
}

QString Shown(CDateTimeCtrl& picker)
{
    auto* edit = qobject_cast<QDateTimeEdit*>(picker.GetWidget());
    return edit ? edit->text() : QString();
}

// A locale whose month names are not English, so that a picker reading it would show.
struct GermanLocale
{
    QLocale before = QLocale();
    GermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~GermanLocale() { QLocale::setDefault(before); }
};
} // namespace

TEST(DateTimeCtrl, WindowsFormatsBecomeQtFormats)
{
    const struct
    {
        const char* windows;
        const char* qt;
    } cases[] = {
        {"HH:mm", "HH':'mm"},
        {"HH:mm:ss", "HH':'mm':'ss"},
        {"dd/MM/yyy", "dd'/'MM'/'yyyy"},
        {"dd MMM yyy", "dd' 'MMM' 'yyyy"},
        {"dd MMMM yyyy", "dd' 'MMMM' 'yyyy"},
        {"MM\\dd\\yy", "MM'\\'dd'\\'yy"},
        {"hh':'mm tt", "hh':'mm' 'AP"},
        {"'Day' d", "'Day 'd"},
        {"HH 'o''clock'", "HH' o''clock'"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(CDateTimeCtrl::QtFormatOf(c.windows), c.qt) << c.windows;
}

TEST(DateTimeCtrl, ShowsTheFormatsWithEnglishMonthNamesWhateverTheLocale)
{
    GermanLocale german;
    CPickerHost host;
    CDateTimeCtrl date;
    ASSERT_TRUE(date.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 34), &host, IDC_PICKER));
    const SYSTEMTIME march = Make(2026, 3, 5, 14, 7, 9);
    ASSERT_TRUE(date.SetTime(&march));
    const struct
    {
        const char* format;
        const char* shown;
    } dates[] = {
        {"dd/MM/yyy", "05/03/2026"},
        {"dd MMM yyy", "05 Mar 2026"},
        {"dd MMMM yyy", "05 March 2026"},
        {"MM\\dd\\yyy", "03\\05\\2026"},
    };
    for (const auto& c : dates)
    {
        ASSERT_TRUE(date.SetFormat(c.format));
        EXPECT_EQ(Shown(date), QString(c.shown)) << c.format;
    }

    CDateTimeCtrl time;
    ASSERT_TRUE(time.Create(WS_CHILD | WS_VISIBLE | DTS_TIMEFORMAT, CRect(10, 40, 200, 64), &host, IDC_PICKER + 1));
    time.SetTime(&march);
    EXPECT_EQ(Shown(time), QString("14:07:09"));
    time.SetFormat("HH:mm");
    EXPECT_EQ(Shown(time), QString("14:07"));

    // A month name the user types is read in English too.
    date.SetFormat("dd MMM yyy");
    date.SetFocus();
    auto* edit = qobject_cast<QDateTimeEdit*>(date.GetWidget());
    edit->setSelectedSection(QDateTimeEdit::MonthSection);
    UserInput::Type("Jul", false);
    SYSTEMTIME got{};
    EXPECT_EQ(date.GetTime(got), static_cast<DWORD>(GDT_VALID));
    EXPECT_EQ(got.wMonth, 7);
    EXPECT_EQ(got.wDay, 5);
    EXPECT_EQ(got.wYear, 2026);
    EXPECT_EQ(got.wDayOfWeek, 0); // 5 July 2026 is a Sunday
}

TEST(DateTimeCtrl, OnlyTheUsersChangesNotifyTheParent)
{
    CPickerHost host;
    CDateTimeCtrl date;
    ASSERT_TRUE(date.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 34), &host, IDC_PICKER));
    const SYSTEMTIME first = Make(2024, 2, 28, 10, 0, 0);
    date.SetFormat("dd/MM/yyy");
    date.SetTime(&first);
    const SYSTEMTIME low = Make(2024, 1, 1);
    const SYSTEMTIME high = Make(2024, 12, 31, 23, 59, 59);
    date.SetRange(&low, &high);
    SYSTEMTIME ends[2] = {};
    EXPECT_EQ(date.GetRange(&ends[0], &ends[1]), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(ends[1].wDay, 31);
    Pump();
    EXPECT_TRUE(host.changes.empty()) << "a change by the program was reported as the user's";

    // A day that does not exist leaves the picker as it was; a date past the range stops at it.
    const SYSTEMTIME impossible = Make(2024, 2, 30);
    EXPECT_FALSE(date.SetTime(&impossible));
    const SYSTEMTIME later = Make(2025, 6, 1);
    EXPECT_TRUE(date.SetTime(&later));
    SYSTEMTIME got{};
    date.GetTime(got);
    EXPECT_EQ(got.wYear, 2024);
    EXPECT_EQ(got.wMonth, 12);
    date.SetTime(&first);
    EXPECT_TRUE(host.changes.empty());

    // The user steps the day up: one notification, with the new date.
    date.SetFocus();
    qobject_cast<QDateTimeEdit*>(date.GetWidget())->setSelectedSection(QDateTimeEdit::DaySection);
    UserInput::Key(Qt::Key_Up);
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].dwFlags, static_cast<DWORD>(GDT_VALID));
    EXPECT_EQ(host.changes[0].st.wDay, 29);
    EXPECT_EQ(host.changes[0].st.wMonth, 2);
    EXPECT_EQ(host.changes[0].nmhdr.hwndFrom, date.GetSafeHwnd());
}
