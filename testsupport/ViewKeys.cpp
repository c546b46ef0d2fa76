#include "testsupport/ViewKeys.h"

#include "platform/ui/Wnd.h"
#include "testsupport/EventPump.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

namespace
{
bool HasFocusIn(CWnd* view)
{
    CWnd* focus = CWnd::GetFocus();
    return focus && (focus == view || view->IsChild(focus));
}
} // namespace

void ExpectViewKeys(CWnd* view, POINT at, const std::function<void()>& elsewhere,
                    const std::vector<VIEW_KEY_CASE>& cases)
{
    ASSERT_NE(view, nullptr);
    for (const VIEW_KEY_CASE& c : cases)
    {
        SCOPED_TRACE(c.what);
        if (elsewhere)
        {
            elsewhere();
            EXPECT_FALSE(HasFocusIn(view)) << "the focus did not leave the view";
        }
        UserInput::ClickClient(view, at.x, at.y);
        ASSERT_TRUE(HasFocusIn(view)) << "the click did not give the view the keys";
        if (c.before)
            c.before();
        UserInput::Key(c.key, c.modifiers);
        PumpFor(20);
        EXPECT_TRUE(c.effect()) << "the key did nothing";
    }
}
