// What the pane tests share: the messages a host hears most, the files they write and read
// through Windows paths on the test's drive, and the notifications a user's button press or
// combo pick sends a pane.
#pragma once

#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "testsupport/RecordingOwner.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using Messages = std::vector<POSTED_MESSAGE>;
using Strings = std::vector<std::string>;
inline const POSTED_MESSAGE kRedraw{"UM_REDRAW_CHART", 0, 0};
inline const POSTED_MESSAGE kRedrawVector{"UM_REDRAW_VECTOR_DISPLAY", 0, 0};
inline const POSTED_MESSAGE kRecompute{"UM_RECOMPUTE_ZUDUZURO_DATA", 0, 0};

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadBytes(const CString& windowsPath)
{
    QFile file(LinuxPathFromWindows(windowsPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "C:\Data\<name>" holding `text`; its Windows path.
inline CString WriteDataFile(const char* name, const QByteArray& text)
{
    QDir().mkpath(LinuxPathFromWindows("C:\\Data"));
    const CString path = CString("C:\\Data\\") + name;
    QFile file(LinuxPathFromWindows(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

// The settings file of that name in the program's settings folder.
inline CString SettingsFile(const char* name, const char* extension = nullptr)
{
    CConfigFile file;
    return file.GetSettingsFileName(name, extension);
}

// The pane told that its button was pressed; what the host heard of it.
inline Messages PressButton(CWnd& pane, CRecordingOwner& owner, UINT nID, CWnd* button)
{
    owner.Clear();
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(button->GetSafeHwnd()));
    return owner.Messages();
}

// What a click on a dialog's push button or check box tells the dialog.
inline void Press(CDialog* dlg, int id)
{
    CWnd* button = dlg->GetDlgItem(id);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button ? button->GetSafeHwnd() : nullptr));
}

// The combo box's entry chosen and the pane told, as a user's pick does.
inline void ChooseComboEntry(CWnd& pane, CComboBox* combo, UINT nID, int index)
{
    combo->SetCurSel(index);
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
}
