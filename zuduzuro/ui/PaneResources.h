// The pictures of the anchor-cable program's panes, drawn by our own code: the four 16 x 16
// anchor-status pictures (Racked, Live, On Bottom, Planned) side by side on white, the colour
// their image list masks out.
#pragma once

#include <QImage>

#define IDB_ANCHOR_STATUS 330

constexpr int kStatusImageSize = 16;
constexpr int kStatusImageCount = 4;

// The strip of the four status pictures.
QImage AnchorStatusStrip();
// Joins the panes' pictures to the resource chain; safe to call more than once.
void RegisterPaneResources();
