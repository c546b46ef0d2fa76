// The single-instance lock: one holder per name and user, a stale lock file taken over, and the
// identify request answered by the holder's window.
#include "platform/core/FileApi.h"
#include "platform/core/RegisteredMessage.h"
#include "platform/core/Sync.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/SingleInstance.h"
#include "testsupport/EventPump.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace
{
const char* const kName = "Single Instance Test";
const char* const kIdentify = "UWM_SINGLE_INSTANCE_TEST_IDENTIFY";

void OwnRuntimeFolder()
{
    const QString folder = TempDrives::Current()->Root() + "/runtime";
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
}

// A window that answers the identify message with its value, as a program's main frame does.
class CIdentifyingFrame : public CFrameWnd
{
public:
    LRESULT OnIdentify(WPARAM, LPARAM) { return RegisterWindowMessage(kIdentify); }
    DECLARE_MESSAGE_MAP()
};
const UINT kIdentifyMessage = RegisterWindowMessage(kIdentify);
BEGIN_MESSAGE_MAP(CIdentifyingFrame, CFrameWnd)
ON_REGISTERED_MESSAGE(kIdentifyMessage, &CIdentifyingFrame::OnIdentify)
END_MESSAGE_MAP()
} // namespace

TEST(SingleInstance, OneHolderAtATimeAndAStaleFileIsTakenOver)
{
    OwnRuntimeFolder();
    const QString path = QString::fromLocal8Bit((LPCSTR)GetInstanceLockPath(kName));
    // A file left by a holder that is gone holds nothing.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999\n");
    stale.close();

    HANDLE first = CreateInstanceMutex(kName);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE second = CreateInstanceMutex(kName);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(CloseHandle(second));
    // Another name is another lock.
    HANDLE other = CreateInstanceMutex("Another Program");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(CloseHandle(other));

    EXPECT_TRUE(CloseHandle(first));
    HANDLE third = CreateInstanceMutex(kName);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "released with its handle";
    EXPECT_TRUE(CloseHandle(third));
}

TEST(SingleInstance, TheHoldersWindowIsRaisedOnlyWhenItAnswers)
{
    OwnRuntimeFolder();
    // Nobody listens: no answer.
    EXPECT_FALSE(RaiseRunningInstance(kName, kIdentify, 200));

    HANDLE lock = CreateInstanceMutex(kName);
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    auto* frame = new CIdentifyingFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Holder"));
    frame->ShowWindow(SW_SHOWMINIMIZED);
    PumpFor(20);

    // The request comes from another thread, as from another process, while this one serves.
    auto ask = [](const char* message) {
        return std::async(std::launch::async, [message]() { return RaiseRunningInstance(kName, message, 2000); });
    };
    auto answered = ask(kIdentify);
    ASSERT_TRUE(PumpUntil([&]() { return answered.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; }));
    EXPECT_TRUE(answered.get());
    EXPECT_FALSE(frame->IsIconic()) << "a minimised holder is restored";

    // A window that does not know the message does not answer with its value.
    auto unknown = ask("UWM_SOME_OTHER_PROGRAM");
    ASSERT_TRUE(PumpUntil([&]() { return unknown.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; }));
    EXPECT_FALSE(unknown.get());

    frame->DestroyWindow();
    CloseHandle(lock);
}
