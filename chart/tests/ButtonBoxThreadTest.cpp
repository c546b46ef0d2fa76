// The button-box thread: posts on each change of the button mask, keeps quiet while the device
// is missing, and reads its joystick id from "Button Box".
#include "chart/ButtonBoxThread.h"
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/core/Sync.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
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
void WriteButtonBox(const QByteArray& bytes)
{
    QFile file(LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Button Box")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A device that answers each poll from a script, then keeps its last answer.
struct ScriptedJoystick
{
    std::vector<int> answers; // -1 a failed poll, else the button mask
    std::atomic<size_t> polls{0};
    std::vector<UINT> ids;
    std::mutex mutex;

    MMRESULT Poll(UINT id, JOYINFOEX* state)
    {
        {
            std::lock_guard<std::mutex> guard(mutex);
            ids.push_back(id);
        }
        const size_t n = polls++;
        const int answer = answers[std::min(n, answers.size() - 1)];
        if (answer < 0)
            return JOYERR_UNPLUGGED;
        state->dwButtons = static_cast<DWORD>(answer);
        return JOYERR_NOERROR;
    }
};

// Runs a thread against the script until it has polled `polls` times, then stops and joins it.
std::vector<POSTED_MESSAGE> RunThread(CRecordingOwner& owner, ScriptedJoystick& joystick, size_t polls,
                                      int16_t* id = nullptr)
{
    SetJoystickProvider([&joystick](UINT i, JOYINFOEX* state) { return joystick.Poll(i, state); });
    auto* thread = static_cast<CButtonBoxThread*>(RUNTIME_CLASS(CButtonBoxThread)->CreateObject());
    thread->m_bAutoDelete = FALSE;
    EXPECT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    thread->m_pOwner = &owner;
    if (id != nullptr)
        *id = thread->m_JoystickId;
    thread->ResumeThread();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (joystick.polls < polls && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    thread->m_Stop = 1;
    WaitForSingleObject(thread->m_hThread, INFINITE);
    delete thread;
    SetJoystickProvider(nullptr);
    return owner.Messages();
}
} // namespace

TEST(ButtonBoxThread, PostsEachChangeOnceAndNothingWhileTheDeviceIsMissing)
{
    CWinApp app{"ButtonBoxTest"};
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner());
    ScriptedJoystick joystick;
    joystick.answers = {-1, 0, 0, 4, 4, -1, 4, 0};
    const std::vector<POSTED_MESSAGE> posted = RunThread(owner, joystick, 9);
    const std::vector<POSTED_MESSAGE> expected = {
        {"UM_BUTTON_BOX", 0, 0}, {"UM_BUTTON_BOX", 4, 0}, {"UM_BUTTON_BOX", 0, 0}};
    EXPECT_EQ(posted, expected);

    // Always failing: polled on, nothing posted.
    owner.Clear();
    ScriptedJoystick missing;
    missing.answers = {-1};
    EXPECT_TRUE(RunThread(owner, missing, 3).empty());
}

TEST(ButtonBoxThread, JoystickIdFromTheSettingsFile)
{
    CWinApp app{"ButtonBoxTest"};
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner());
    const struct
    {
        const char* file;
        int16_t id;
    } cases[] = {{"Joystick = 1\r\n", 1}, {"Joystick = 2\r\n", 0}, {"Joystick = -1\r\n", 0}, {nullptr, 0}};
    for (const auto& c : cases)
    {
        QFile::remove(LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Button Box")));
        if (c.file != nullptr)
            WriteButtonBox(c.file);
        ScriptedJoystick joystick;
        joystick.answers = {2};
        int16_t id = -5;
        const std::vector<POSTED_MESSAGE> posted = RunThread(owner, joystick, 1, &id);
        EXPECT_EQ(id, c.id) << (c.file ? c.file : "no file");
        ASSERT_FALSE(joystick.ids.empty());
        EXPECT_EQ(joystick.ids.front(), static_cast<UINT>(c.id));
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].lParam, c.id);
        owner.Clear();
    }
}
