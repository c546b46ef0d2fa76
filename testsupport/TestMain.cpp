#include "testsupport/TempDrives.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <memory>

namespace
{
// Every test starts on fresh, empty drives.
class DriveListener : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo&) override { m_drives = std::make_unique<TempDrives>(); }
    void OnTestEnd(const testing::TestInfo&) override { m_drives.reset(); }
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
    // Qt takes the locale from the environment; numbers in files must keep a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    testing::UnitTest::GetInstance()->listeners().Append(new DriveListener);
    return RUN_ALL_TESTS();
}
