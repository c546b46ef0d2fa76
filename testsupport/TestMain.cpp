#include "testsupport/QtPoolThreads.h"
#include "testsupport/TempDrives.h"

#include "platform/ui/ModalHook.h"
#include "platform/ui/PrintDialog.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <memory>

namespace
{
// Every test starts on fresh, empty drives.
class DriveListener : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo&) override
    {
        m_drives = std::make_unique<TempDrives>();
        ModalHook::Reset();
        AfxResetInstalledPrinters();
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        ModalHook::Reset();
        AfxResetInstalledPrinters();
        m_drives.reset();
    }
    std::unique_ptr<TempDrives> m_drives;
};
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Tests are headless, also when the runner lists them without ctest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Windows go through DestroyWindow only; Qt must not end event loops when one closes.
    QApplication::setQuitOnLastWindowClosed(false);
    const CQtPoolThreadsUnobserved qtPool;
    // A modal dialog, file dialog, message box or menu with no prepared answer fails the
    // test that showed it, at once, instead of waiting for a person.
    ModalHook::Enable([](const CString& message) { ADD_FAILURE() << message.GetString(); });
    // Qt takes the locale from the environment; numbers in files must keep a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    testing::UnitTest::GetInstance()->listeners().Append(new DriveListener);
    return RUN_ALL_TESTS();
}
