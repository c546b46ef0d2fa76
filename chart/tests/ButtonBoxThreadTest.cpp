// The button-box thread against a joystick that tests answer for: what it posts to its
// owner as buttons go down and up, the device it polls, and a missing device.
#include "chart/frame/ButtonBoxThread.h"
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "testsupport/RecordingOwner.h"

#include <QFile>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
constexpr MMRESULT kFail = JOYERR_UNPLUGGED;

// Answers the polls from a script of button masks (kFail for a failed poll), then repeats
// the last answer; records the devices polled.
struct ScriptedJoystick
{
    explicit ScriptedJoystick(std::vector<long long> answers) : script(std::move(answers))
    {
        AfxSetJoystickProvider([this](UINT id, JOYINFOEX* info) {
            std::lock_guard<std::mutex> guard(lock);
            ids.push_back(id);
            const long long answer = script.empty() ? kFail : script[std::min(polls, script.size() - 1)];
            ++polls;
            if (answer == kFail)
                return kFail;
            info->dwButtons = static_cast<DWORD>(answer);
            return static_cast<MMRESULT>(JOYERR_NOERROR);
        });
    }
    ~ScriptedJoystick() { AfxSetJoystickProvider(nullptr); }
    size_t Polls()
    {
        std::lock_guard<std::mutex> guard(lock);
        return polls;
    }
    bool WaitForPolls(size_t count)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (Polls() < count && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return Polls() >= count;
    }

    std::mutex lock;
    std::vector<long long> script;
    size_t polls = 0;
    std::vector<UINT> ids;
};

void WriteButtonBox(const char* bytes)
{
    QFile file(LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Button Box")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct ButtonBoxFixture : ::testing::Test
{
    CWinApp app{"ButtonBoxTest"};
    CRecordingOwner owner;
    CButtonBoxThread* thread = nullptr;

    void SetUp() override { ASSERT_TRUE(owner.CreateOwner(200, 100)); }
    void Start()
    {
        thread = static_cast<CButtonBoxThread*>(
            AfxBeginThread(RUNTIME_CLASS(CButtonBoxThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        ASSERT_NE(thread, nullptr);
        thread->m_pOwner = &owner;
        thread->ResumeThread();
    }
    void StopThread()
    {
        if (!thread)
            return;
        thread->Stop();
        EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 2000), WAIT_OBJECT_0);
        delete thread;
        thread = nullptr;
    }
    void TearDown() override { StopThread(); }
};

const POSTED_MESSAGE Buttons(WPARAM mask, LPARAM id)
{
    return POSTED_MESSAGE{"UM_BUTTON_BOX", mask, id};
}
} // namespace

TEST_F(ButtonBoxFixture, PostsEachChangeOfTheButtonsOnce)
{
    ScriptedJoystick joystick({kFail, 0, 0, 4, 4, 0});
    Start();
    EXPECT_EQ(thread->m_JoyInfo.dwSize, 52u);
    EXPECT_EQ(thread->m_JoyInfo.dwFlags, 0x80u);
    ASSERT_TRUE(joystick.WaitForPolls(8));
    StopThread();
    EXPECT_EQ(owner.Messages(), (std::vector<POSTED_MESSAGE>{Buttons(0, 0), Buttons(4, 0), Buttons(0, 0)}));
}

TEST_F(ButtonBoxFixture, TheSettingsChooseTheDevice)
{
    const struct
    {
        const char* file;
        UINT device;
    } cases[] = {{"Joystick ID = 1\r\n", 1}, {"Joystick ID = 2\r\n", 0}, {"Joystick ID = -1\r\n", 0}, {nullptr, 0}};
    for (const auto& c : cases)
    {
        QFile::remove(LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Button Box")));
        if (c.file)
            WriteButtonBox(c.file);
        ScriptedJoystick joystick({8});
        Start();
        ASSERT_TRUE(joystick.WaitForPolls(1));
        StopThread();
        EXPECT_EQ(joystick.ids.front(), c.device) << (c.file ? c.file : "no file");
        EXPECT_EQ(owner.Messages().back(), Buttons(8, static_cast<LPARAM>(c.device)));
        owner.Clear();
    }
}

TEST_F(ButtonBoxFixture, NoJoystickKeepsPollingQuietly)
{
    ScriptedJoystick joystick({kFail});
    Start();
    ASSERT_TRUE(joystick.WaitForPolls(3));
    StopThread();
    EXPECT_TRUE(owner.Messages().empty());
}
