#include "orbisol/ui/tests/ProgramDriver.h"

#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "outside/kadenta/OrbisolSplashDlg.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/UserInput.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace ProgramDriver
{
bool RunProgram(int splash, const SheetCheck& check, const AppStep& started)
{
    COrbisolApp app;
    if (started)
        started(app);
    ModalHook::AnswerDialog(IDD_KADENTA_ORBISOL_SPLASH, [splash](CDialog*) -> INT_PTR { return splash; });
    bool shown = false;
    ModalHook::AnswerDialogOf<CColourPropertySheet>([&](CColourPropertySheet* sheet) -> INT_PTR {
        shown = true;
        EXPECT_EQ(app.GetSheet(), sheet);
        check(app, sheet);
        return MODALHOOK_RUN_LOOP;
    });
    EXPECT_FALSE(app.InitInstance());
    return shown;
}

void ClickTab(CColourPropertySheet* sheet, int index)
{
    CRect tab;
    ASSERT_TRUE(sheet->GetTabControl()->GetTabRect(index, tab));
    UserInput::ClickClient(sheet->GetTabControl(), tab.CenterPoint().x, tab.CenterPoint().y);
}

void ClickButton(CWnd* button)
{
    ASSERT_NE(button, nullptr);
    CRect r;
    button->GetClientRect(&r);
    UserInput::ClickClient(button, r.CenterPoint().x, r.CenterPoint().y);
}

std::string TextOf(CWnd* page, UINT id)
{
    CString text;
    page->GetDlgItem(id)->GetWindowText(text);
    return std::string(text);
}

QString PickerText(CWnd* page, UINT id)
{
    return qobject_cast<QDateTimeEdit*>(page->GetDlgItem(id)->GetWidget())->text();
}

void SetRecord(DateTimeDef& record, int year, int month, int day, int hour, int minute, int second)
{
    record.nYear = year;
    record.nMonth = month;
    record.nDay = day;
    record.nHour = hour;
    record.nMinute = minute;
    record.nSecond = second;
    record.nMillisecond = 0;
    CompleteDateTime(record);
}

QString SettingsFile(const char* name)
{
    CConfigFile file;
    return LinuxPathFromWindows(file.GetSettingsFileName(name));
}

void WriteLinuxFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadLinuxFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace ProgramDriver
