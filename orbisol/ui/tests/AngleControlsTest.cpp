// The solar program's angle, time and clock controls driven offscreen through Qt's own key
// and mouse events: what they show under the user's settings, what typing and the clipboard
// do to an angle, what they refuse, and what they post to their parent.
#include "foundation/AngleFormat.h"
#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"
#include "orbisol/ui/DispAngle.h"
#include "orbisol/ui/DispTime.h"
#include "orbisol/ui/EditAngle.h"
#include "orbisol/ui/EditClock.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QMenu>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr UINT IDC_ANGLE = 1501;
constexpr UINT IDC_CLOCK = 1502;

double Dms(double d, double m, double s)
{
    return (d + m / 60.0 + s / 3600.0) * kDeg;
}

// Degree signs as '*', for texts that read plainly in a failure.
std::string Plain(const CString& text)
{
    std::string s(text);
    for (char& c : s)
        if (c == DEGREE_SIGN)
            c = '*';
    return s;
}

std::string WindowTextOf(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return Plain(text);
}

POSTED_MESSAGE Posted(const char* name, UINT message, UINT id)
{
    return {name, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(message)), 0};
}

// The angle edit with what a user sees of its hover text.
class CProbeLat : public CEditLat
{
public:
    const CString& HoverText() const { return m_ToolTipText; }
};

class AngleEditTest : public ::testing::Test
{
protected:
    CRecordingOwner owner;
    CProbeLat edit;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(400, 200));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 260, 34), &owner,
                                IDC_ANGLE));
        edit.SetValue(0.0);
        edit.SetFocus();
        Pump();
        owner.Clear();
    }

    std::vector<POSTED_MESSAGE> OneChange() const
    {
        return {Posted("UM_EDIT_ANGLE", UM_EDIT_ANGLE, IDC_ANGLE), Posted("UM_EDIT_UPDATE", UM_EDIT_UPDATE, IDC_ANGLE)};
    }

    std::vector<POSTED_MESSAGE> Changes(int n) const
    {
        std::vector<POSTED_MESSAGE> all;
        for (int i = 0; i < n; ++i)
            for (const POSTED_MESSAGE& m : OneChange())
                all.push_back(m);
        return all;
    }
};
} // namespace

TEST_F(AngleEditTest, ShowsTheValueInTheSavedNotationWithinTheWidestText)
{
    edit.SetValue(Dms(51, 30, 15));
    EXPECT_EQ(WindowTextOf(edit), "51* 30'.2500000N");
    EXPECT_EQ(edit.GetLimitText(), static_cast<UINT>(CString("89\xB0 59'.9999999N").GetLength()));
    EXPECT_NEAR(edit.GetDegrees(), 51.5041666667, 1e-9);
    EXPECT_STREQ(edit.HoverText(), "Angle");
    EXPECT_FALSE(edit.GetModified());

    edit.SetEnabled(FALSE);
    EXPECT_EQ(WindowTextOf(edit), "n/a");
    EXPECT_FALSE(edit.IsWindowEnabled());
    edit.SetEnabled(TRUE);
    EXPECT_EQ(WindowTextOf(edit), "51* 30'.2500000N");

    // The settings as they are when the value is set; decimals beyond what the notation
    // offers show as its most.
    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DMS, 12, 'S', 'W'));
    edit.SetValue(0.0);
    EXPECT_EQ(WindowTextOf(edit), "00* 00' 00\".00000S");
    EXPECT_EQ(edit.GetLimitText(), static_cast<UINT>(CString("89\xB0 59' 59\".99999N").GetLength()));
    EXPECT_TRUE(owner.Messages().empty()) << "a value set by the program was posted as the user's";

    // A value set before the window is made shows when it is.
    CProbeLat early;
    early.SetValue(-Dms(10, 0, 0));
    ASSERT_TRUE(early.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 260, 64), &owner, IDC_ANGLE + 10));
    EXPECT_EQ(WindowTextOf(early), "10* 00' 00\".00000S");
    EXPECT_EQ(early.GetLimitText(), edit.GetLimitText());
    EXPECT_STREQ(early.HoverText(), "Angle");
}

TEST_F(AngleEditTest, TypingInPlaceTakesEachCharacterThatChangesTheValue)
{
    const struct
    {
        const char* keys;   // typed with the whole text selected, as the focus leaves it
        int home;           // then, when >= 0: Home, this many Right arrows, and `more`
        const char* more;
        const char* text;
        double radians;
        int changes; // characters that changed the value, each posted once
    } cases[] = {
        {"513025S", -1, "", "51* 30'.2500000S", -Dms(51, 30.25, 0), 6},
        {"9", -1, "", "90* 00'.0000000N", 90.0 * kDeg, 1},
        // Past the limit the caret stands on the letter: the 5 is no letter.
        {"95", -1, "", "90* 00'.0000000N", 90.0 * kDeg, 1},
        // Digits beyond the template's (minutes of 6x) and a sign a latitude has no place for.
        {"12", 0, "", "12* 00'.0000000N", 12.0 * kDeg, 2},
        {"12", 4, "7-x", "12* 00'.0000000N", 12.0 * kDeg, 2},
        // A blank moves on past the degree sign, a point past the next point; the same digit
        // typed over itself changes nothing.
        {"4", 0, "4 5.7", "40* 50'.7000000N", Dms(40, 50.7, 0), 3},
        {"4", 0, "n", "40* 00'.0000000N", 40.0 * kDeg, 1},
    };
    for (const auto& c : cases)
    {
        edit.SetValue(0.0);
        edit.SetFocus();
        edit.SetSel(0, -1);
        owner.Clear();
        UserInput::Type(c.keys, false);
        if (c.home >= 0)
        {
            UserInput::Key(Qt::Key_Home);
            for (int i = 0; i < c.home; ++i)
                UserInput::Key(Qt::Key_Right);
            UserInput::Type(c.more, false);
        }
        EXPECT_EQ(WindowTextOf(edit), c.text) << c.keys << c.more;
        EXPECT_NEAR(edit.GetAngle(), c.radians, 1e-12) << c.keys << c.more;
        EXPECT_EQ(edit.GetModified() != FALSE, c.changes > 0) << c.keys << c.more;
        EXPECT_EQ(owner.Messages(), Changes(c.changes)) << c.keys << c.more;
    }

    // Backspace zeroes the digit before the caret.
    edit.SetValue(Dms(51, 30, 0));
    edit.SetFocus();
    owner.Clear();
    UserInput::Key(Qt::Key_Home);
    UserInput::Key(Qt::Key_Right);
    UserInput::Key(Qt::Key_Right);
    UserInput::Key(Qt::Key_Backspace);
    EXPECT_EQ(WindowTextOf(edit), "50* 30'.0000000N");
    EXPECT_EQ(owner.Messages(), OneChange());
}

TEST_F(AngleEditTest, ReadOnlyAndNotEditableTakeNoTyping)
{
    edit.SetValue(Dms(10, 0, 0));
    edit.SetEditable(FALSE);
    edit.SetFocus();
    UserInput::Type("5S", false);
    edit.SetEditable(TRUE);
    edit.SetReadOnly(TRUE);
    UserInput::Type("5S", false);
    EXPECT_EQ(WindowTextOf(edit), "10* 00'.0000000N");
    EXPECT_FALSE(edit.GetModified());
    EXPECT_TRUE(owner.Messages().empty());
}

TEST_F(AngleEditTest, TheMenuCutsCopiesAndPastesAngles)
{
    edit.SetValue(Dms(51, 30, 0));
    QClipboard* clipboard = QApplication::clipboard();

    // Copy, and Ctrl+C, copy the selection and change nothing.
    edit.SetSel(0, 2);
    ModalHook::AnswerMenu(CEditAngle::ID_ANGLE_COPY);
    UserInput::RightClickClient(&edit, 5, 5);
    EXPECT_EQ(clipboard->text(), QString("51"));
    edit.SetFocus();
    edit.SetSel(4, 6);
    UserInput::Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString("30"));
    EXPECT_TRUE(owner.Messages().empty());

    // Cut takes the selection to the clipboard and leaves zeros in its place.
    edit.SetSel(0, 2);
    ModalHook::AnswerMenu(CEditAngle::ID_ANGLE_CUT);
    UserInput::RightClickClient(&edit, 5, 5);
    EXPECT_EQ(clipboard->text(), QString("51"));
    EXPECT_EQ(WindowTextOf(edit), "00* 30'.0000000N");
    EXPECT_NEAR(edit.GetAngle(), Dms(0, 30, 0), 1e-12);
    EXPECT_EQ(owner.Messages(), OneChange());

    // Paste reads the clipboard's angle and shows it in the notation.
    owner.Clear();
    clipboard->setText("51 30 15 S");
    edit.SetSel(0, -1);
    ModalHook::AnswerMenu(CEditAngle::ID_ANGLE_PASTE);
    UserInput::RightClickClient(&edit, 5, 5);
    EXPECT_EQ(WindowTextOf(edit), "51* 30'.2500000S");
    EXPECT_NEAR(edit.GetAngle(), -Dms(51, 30, 15), 1e-12);
    EXPECT_TRUE(edit.GetModified());
    EXPECT_EQ(owner.Messages(), OneChange());

    // Read-only: Cut and Paste greyed, Copy offered.
    edit.SetReadOnly(TRUE);
    std::vector<std::pair<std::string, bool>> items;
    ModalHook::AnswerMenuShown([&items](QWidget* shown) -> UINT {
        for (QAction* action : shown->actions())
            if (!action->isSeparator())
                items.emplace_back(action->text().toStdString(), action->isEnabled());
        return 0;
    });
    UserInput::RightClickClient(&edit, 5, 5);
    const std::vector<std::pair<std::string, bool>> expected = {{"Cut", false}, {"Copy", true}, {"Paste", false}};
    EXPECT_EQ(items, expected);
}

TEST_F(AngleEditTest, TextsThatAreNoAngleAreRefusedAndTheValueKept)
{
    const double before = Dms(51, 30, 0);
    edit.SetValue(before);
    QClipboard* clipboard = QApplication::clipboard();
    const std::string shown = WindowTextOf(edit);
    for (const QString& pasted : {QString("95"), QString("hello"), QString("N 51 S"), QString(1 << 20, QChar('7'))})
    {
        clipboard->setText(pasted);
        edit.SetFocus();
        edit.SetSel(0, -1);
        UserInput::Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(WindowTextOf(edit), shown) << pasted.left(20).toStdString();
        EXPECT_EQ(edit.GetAngle(), before);
        EXPECT_TRUE(edit.IsRefused());
        EXPECT_LE(edit.GetWindowTextLength(), static_cast<int>(edit.GetLimitText()));
    }
    EXPECT_FALSE(edit.GetModified());
    EXPECT_TRUE(owner.Messages().empty());

    // A latitude of 95 left in the edit is read back as refused, never as the equator, and
    // the edit shows itself marked until a good text is read.
    edit.SetWindowText("95");
    EXPECT_FALSE(edit.ReadText());
    EXPECT_EQ(edit.GetAngle(), before);
    EXPECT_TRUE(edit.IsRefused());
    EXPECT_STREQ(edit.HoverText(), "The angle is beyond 90\xB0.");
    Pump();
    QImage picture = FrameProbe::GrabWindow(&owner);
    const QRect area = FrameProbe::PaneRect(&edit).adjusted(3, 3, -3, -3);
    EXPECT_EQ(FrameProbe::BackgroundColour(picture, area), QColor(0xFF, 0xC0, 0xC0));

    edit.SetWindowText("45 N");
    EXPECT_TRUE(edit.ReadText());
    EXPECT_NEAR(edit.GetAngle(), 45.0 * kDeg, 1e-12);
    EXPECT_FALSE(edit.IsRefused());
    Pump();
    picture = FrameProbe::GrabWindow(&owner);
    EXPECT_NE(FrameProbe::BackgroundColour(picture, area), QColor(0xFF, 0xC0, 0xC0));
}

TEST(AngleDisplays, FollowTheSettingsOfTheirType)
{
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(400, 200));
    CDispLat lat;
    CDispLon lon;
    CDispAngle bearing(ANGLE_FULL_CIRCLE);
    CDispAngle fixed(ANGLE_FULL_CIRCLE_2DP);
    int y = 10;
    for (CDispAngle* d : std::initializer_list<CDispAngle*>{&lat, &lon, &bearing, &fixed})
    {
        ASSERT_TRUE(d->Create("", WS_CHILD | WS_VISIBLE, CRect(10, y, 300, y + 20), &owner));
        y += 24;
    }
    // No value: nothing shown.
    EXPECT_EQ(WindowTextOf(lat), "");

    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DMS, 2, 'S', 'W'));
    ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_GRADIANS, 3));
    lat.SetValue(0.0);
    lon.SetValue(0.0);
    bearing.SetValue(kPi / 2.0);
    fixed.SetValue(Dms(12, 30, 0));
    EXPECT_EQ(WindowTextOf(lat), "00* 00' 00\".00S");
    EXPECT_EQ(WindowTextOf(lon), "000* 00' 00\".00W");
    EXPECT_EQ(WindowTextOf(bearing), "100g.000");
    EXPECT_EQ(WindowTextOf(fixed), "012*.50");

    lat.SetValue(-Dms(33, 52, 4.5));
    EXPECT_EQ(WindowTextOf(lat), "33* 52' 04\".50S");
    lat.ClearValue();
    EXPECT_EQ(WindowTextOf(lat), "");
}

TEST(TimeDisplay, ShowsTheTimeOfDayInTheSavedForm)
{
    const struct
    {
        double seconds;
        int mode;
        const char* text;
    } cases[] = {
        {-30.0, 1, "-00:00:30"},     {90000.0, 1, "01:00:00"},        {45296.789, 0, "12:34"},
        {45296.789, 1, "12:34:56"},  {45296.789, 2, "12:34:56.789"},  {59.9996, 2, "00:01:00.000"},
        {-86430.5, 2, "-00:00:30.500"}, {45296.0, 7, "12:34:56"},     {86400.0, 0, "00:00"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(CDispTime::FormatTime(c.seconds, c.mode), c.text) << c.seconds << " mode " << c.mode;

    // "Time Mode": missing, junk or out of range is form 1.
    EXPECT_EQ(CDispTime::ReadTimeMode(), 1);
    for (const auto& saved : {std::make_pair("2", 2), std::make_pair("0", 0), std::make_pair("junk", 1),
                              std::make_pair("", 1), std::make_pair("9", 1), std::make_pair("0x", 1)})
    {
        ASSERT_TRUE(CConfigFile::WriteSettingsFile("Time Mode", [&](CConfigFile& file) {
            file.WriteText("Time Mode", saved.first);
        }));
        EXPECT_EQ(CDispTime::ReadTimeMode(), saved.second) << saved.first;
    }

    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(300, 100));
    CDispTime time;
    ASSERT_TRUE(time.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &owner));
    time.SetTime(-30.0);
    EXPECT_EQ(WindowTextOf(time), "-00:00:30"); // the file says 1 now
}

namespace
{
class ClockTest : public ::testing::Test
{
protected:
    CRecordingOwner owner;
    CEditClock clock;
    DateTimeDef record;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(400, 200));
        record.nDay = 27;
        record.nMonth = 2;
        record.nYear = 2024;
        record.nHour = 10;
        record.nMinute = 15;
        record.nSecond = 30;
        CompleteDateTime(record);
    }

    void Make(DWORD style)
    {
        ASSERT_TRUE(clock.Create(WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 200, 34), &owner, IDC_CLOCK));
    }

    QString Shown() const { return qobject_cast<QDateTimeEdit*>(clock.GetWidget())->text(); }

    // The first field of the picker stepped up, as the user does with the arrow key.
    void StepFirstField()
    {
        clock.SetFocus();
        UserInput::Key(Qt::Key_Home);
        UserInput::Key(Qt::Key_Up);
    }

    std::vector<POSTED_MESSAGE> Change() const
    {
        return {Posted("UM_EDIT_CLOCK", UM_EDIT_CLOCK, IDC_CLOCK), Posted("UM_EDIT_UPDATE", UM_EDIT_UPDATE, IDC_CLOCK)};
    }
};
} // namespace

TEST_F(ClockTest, TimePickerSetsTheRecordsTimeAndItsDerivedFields)
{
    Make(DTS_TIMEFORMAT);
    clock.SetTimeFormat(0);
    clock.SetDateTime(&record);
    EXPECT_EQ(Shown(), QString("10:15"));
    clock.SetTimeFormat(1);
    clock.ShowDateTime();
    EXPECT_EQ(Shown(), QString("10:15:30"));
    EXPECT_TRUE(owner.Messages().empty()) << "a value shown by the program was posted as the user's";

    StepFirstField();
    EXPECT_EQ(record.nHour, 11);
    EXPECT_EQ(record.nMinute, 15);
    EXPECT_EQ(record.nSecond, 30);
    EXPECT_EQ(record.nMillisecond, 0);
    EXPECT_DOUBLE_EQ(record.dSecondsOfDay, 11 * 3600.0 + 15 * 60.0 + 30.0);
    EXPECT_DOUBLE_EQ(record.dSeconds, SecondsSince2000(2024, 58, record.dSecondsOfDay));
    EXPECT_EQ(record.nDay, 27);
    EXPECT_EQ(owner.Messages(), Change());
}

TEST_F(ClockTest, DatePickerSetsTheRecordsDateDayOfYearAndWeekday)
{
    Make(0);
    const struct
    {
        int format;
        const char* shown;
    } formats[] = {{0, "27/02/2024"}, {1, "27 Feb 2024"}, {2, "27 February 2024"}, {3, "02\\27\\2024"}};
    clock.SetDateTime(&record);
    for (const auto& f : formats)
    {
        clock.SetDateFormat(f.format);
        clock.ShowDateTime();
        EXPECT_EQ(Shown(), QString(f.shown)) << f.format;
    }
    clock.SetDateFormat(1);
    clock.ShowDateTime();
    EXPECT_TRUE(owner.Messages().empty());

    StepFirstField();
    EXPECT_EQ(record.nDay, 28);
    EXPECT_EQ(record.nMonth, 2);
    EXPECT_EQ(record.nDayOfYear, 59);
    EXPECT_EQ(record.nDayOfWeek, 3); // a Wednesday
    EXPECT_EQ(record.nDayOfWeek, DayOfWeek(2024, 59));
    EXPECT_DOUBLE_EQ(record.dSeconds, SecondsSince2000(2024, 59, 10 * 3600.0 + 15 * 60.0 + 30.0));
    EXPECT_EQ(record.nHour, 10);
    EXPECT_EQ(owner.Messages(), Change());
}

TEST_F(ClockTest, TheComputersClockIsNeverSetAndTheRecordIsLeftAlone)
{
    Make(DTS_TIMEFORMAT);
    clock.SetDateTime(&record);
    clock.SetSetClock(TRUE);
    const DateTimeDef before = record;
    StepFirstField();
    EXPECT_EQ(record.nHour, before.nHour);
    EXPECT_EQ(record.dSeconds, before.dSeconds);
    // The picker shows what the clock still is, and nobody is told of a change.
    EXPECT_EQ(Shown(), QString("10:15:30"));
    EXPECT_TRUE(owner.Messages().empty());
}
