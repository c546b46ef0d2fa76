// The serial-port chooser row: "None" and the ports of the port table whose device is there.
#include "outside/communication/ComPortProperty.h"

#include "platform/io/ComPortTable.h"
#include "testsupport/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> Options(const CMFCPropertyGridProperty* item)
{
    std::vector<std::string> options;
    for (int i = 0; i < item->GetOptionCount(); ++i)
        options.emplace_back(item->GetOption(i));
    return options;
}

TEST(ComPortProperty, OffersNoneAndThePresentPortsAndReportsTheNumber)
{
    AfxResetComPortTable();
    AfxSetComPortDefaultMapping(false);
    PseudoTerminal line;
    line.AssignPort(3);
    CMFCPropertyComPortProperty item("Com Port", 0, false, "Select Serial Port", 2);
    EXPECT_EQ(Options(&item), (std::vector<std::string>{"None", "COM3"}));
    EXPECT_EQ(item.FormatProperty(), CString("None"));
    EXPECT_TRUE(item.TextToVar("COM3"));
    EXPECT_EQ(item.GetPort(), 3);
    EXPECT_FALSE(item.TextToVar("COM4"));
    EXPECT_EQ(item.GetPort(), 3);
    EXPECT_TRUE(item.TextToVar("None"));
    EXPECT_EQ(item.GetPort(), 0);
    AfxResetComPortTable();
}

// A port the table names but whose device is missing is offered only when any port is asked for.
TEST(ComPortProperty, MissingDevicesAreOfferedOnlyWhenAnyPortIsAsked)
{
    AfxResetComPortTable();
    AfxSetComPortDefaultMapping(false);
    AfxSetComPortDevice(5, "/dev/no-such-serial-line");
    EXPECT_EQ(Options(std::make_unique<CMFCPropertyComPortProperty>("Com Port", 5, false).get()),
              std::vector<std::string>{"None"});
    CMFCPropertyComPortProperty any("Com Port", 5, true);
    EXPECT_EQ(Options(&any), (std::vector<std::string>{"None", "COM5"}));
    EXPECT_EQ(any.FormatProperty(), CString("COM5"));
    AfxResetComPortTable();
}
} // namespace
