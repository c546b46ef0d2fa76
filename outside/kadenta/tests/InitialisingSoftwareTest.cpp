// The start-up splash as a user sees it: the program and version over the picture, the message
// line following each step, every message kept in order.
#include "outside/kadenta/InitialisingSoftware.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(InitialisingSoftware, ShowsVersionPictureAndEachStepsMessage)
{
    CWinApp app("Zuduzuro");
    CInitialisingSoftware::ClearHistory();
    CInitialisingSoftware splash;
    ASSERT_TRUE(splash.Create(nullptr, "1.26.12.11"));
    QImage picture(120, 60, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    splash.SetImage(picture);
    splash.SetMessage("Please wait loading software");
    splash.SetMessage("Loading DTM");
    PumpFor(30);

    CString program, version, message;
    splash.GetDlgItemText(IDC_KADENTA_INIT_PROGRAM, program);
    splash.GetDlgItemText(IDC_KADENTA_INIT_VERSION, version);
    splash.GetDlgItemText(IDC_KADENTA_INIT_MESSAGE, message);
    EXPECT_STREQ(program, "Zuduzuro");
    EXPECT_STREQ(version, "Version 1.26.12.11");
    EXPECT_STREQ(message, "Loading DTM");
    ASSERT_EQ(CInitialisingSoftware::History().size(), 2u);
    EXPECT_STREQ(CInitialisingSoftware::History()[0], "Please wait loading software");

    // The picture shows whole between the texts.
    const QImage shown = FrameProbe::GrabWindow(&splash);
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            red += shown.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    EXPECT_GE(red, 120 * 60 * 9 / 10);
    // Only the splash shows.
    EXPECT_TRUE(FrameProbe::StrayTopLevels(&splash).empty());

    splash.DestroyWindow();
    EXPECT_FALSE(splash.GetSafeHwnd());
}
