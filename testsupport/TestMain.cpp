#include "testsupport/QtPoolThreads.h"
#include "testsupport/TempDrives.h"

#include "platform/ui/ModalHook.h"
#include "platform/ui/PrintDialog.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <clocale>
#include <memory>

namespace
{
// A program that ended in a test asked the application to quit, and Qt keeps that asked: every
// event loop started after it (a modal dialog's in the next test's program) returns at once.
// One pass of the application's own loop clears it, as a new process would start clear.
void ForgetProgramEnd()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, [] { QCoreApplication::exit(0); });
    end.start(0);
    QCoreApplication::exec();
}

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
        ForgetProgramEnd();
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
