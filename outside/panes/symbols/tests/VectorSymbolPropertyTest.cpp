// The vector-symbol item: its options hand back the symbols' numbers, and its sample is drawn
// in the item's colour, following a colour change at once.
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/symbols/VectorSymbolProperty.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace
{
// The item's sample as the grid draws it, on a white image of w x h.
QImage Sample(CMFCPropertyGridVectorSymbolProperty& item, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CDC dc;
    dc.Attach(&painter);
    item.OnDrawValue(&dc, CRect(0, 0, w, h));
    dc.Detach();
    painter.end();
    return image;
}
} // namespace

TEST(VectorSymbolProperty, OptionsHandBackTheSymbolNumbers)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 300), nullptr, 0));
    CMyMFCPropertyGridCtrl grid;
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 280), &top, 1));
    auto* group = new CMFCPropertyGridProperty("Waypoint");
    auto* symbol = new CMFCPropertyGridVectorSymbolProperty("Symbol", 5, 13, "Select Symbol for Obstruction", 3);
    group->AddSubItem(symbol);
    grid.AddProperty(group);

    EXPECT_EQ(symbol->GetOptionCount(), 26);
    EXPECT_STREQ(grid.GetShownValue(symbol), "Filled Square");
    const struct
    {
        const char* text;
        short value;
    } cases[] = {{"Block", 1}, {"Filled Circle", 7}, {"Anchor", 20}, {"Gate", 25}, {"None", 0}};
    for (const auto& c : cases)
    {
        EXPECT_TRUE(grid.EditProperty(symbol, c.text)) << c.text;
        EXPECT_EQ(symbol->GetSymbol(), c.value) << c.text;
    }
    EXPECT_FALSE(grid.EditProperty(symbol, "Hexagon"));
    EXPECT_EQ(symbol->GetSymbol(), 0);
}

TEST(VectorSymbolProperty, TheSampleIsDrawnInTheItemsColour)
{
    CMFCPropertyGridVectorSymbolProperty symbol("Symbol", 7, 13, nullptr, 3, 0x0000FF); // filled circle, red
    QImage image = Sample(symbol, 40, 20);
    EXPECT_EQ(image.pixelColor(20, 10), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white)); // outside the symbol

    symbol.SetColour(0x00FF00);
    image = Sample(symbol, 40, 20);
    EXPECT_EQ(image.pixelColor(20, 10), QColor(0, 255, 0));

    // No symbol: nothing but the background.
    symbol.SetSymbol(0);
    image = Sample(symbol, 40, 20);
    EXPECT_EQ(image.pixelColor(20, 10), QColor(Qt::white));
}
