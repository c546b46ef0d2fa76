// What the solar program's tests do to the program as a user: start it as its process does,
// click the sheet's tabs and buttons, and read or write its files.
#pragma once

#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/OrbisolApp.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>

struct DateTimeDef;

namespace ProgramDriver
{
using SheetCheck = std::function<void(COrbisolApp& app, CColourPropertySheet* sheet)>;
using AppStep = std::function<void(COrbisolApp& app)>;

// Starts the program as its process does: construction, then InitInstance with the opening
// window answered `splash` and the sheet handed to `check`, which leaves it running its loop.
// `started` (when given) runs between the two, as the clock and the user's other pages might
// leave the observation's record. True when the sheet was shown.
bool RunProgram(int splash, const SheetCheck& check, const AppStep& started = {});

void ClickTab(CColourPropertySheet* sheet, int index);
// A click in the middle of a window (a button, a radio).
void ClickButton(CWnd* button);

// A page's control's text, and a date or time picker's text as it shows.
std::string TextOf(CWnd* page, UINT id);
QString PickerText(CWnd* page, UINT id);
// A record of that date and whole-second time, completed.
void SetRecord(DateTimeDef& record, int year, int month, int day, int hour, int minute, int second);

// The Linux path of a settings file of the program.
QString SettingsFile(const char* name);
void WriteLinuxFile(const QString& path, const QByteArray& bytes);
// The bytes of a file; empty when it does not exist.
QByteArray ReadLinuxFile(const QString& path);
} // namespace ProgramDriver
