// How the Acoustic frame makes its own docking panes: 200 x 200 with a gripper, docked on the
// right (border on the left), several may float together, regular tabs, and the default
// float, close, resize and auto-hide behaviour.
#pragma once

#include "platform/ui/DockablePane.h"

class CImageList;

// Creates `pane` as a child of `pFrame` with its title and control id; FALSE when the window
// cannot be made.
BOOL CreateFramePane(CDockablePane& pane, CWnd* pFrame, const char* title, UINT nID);

// The six 16 x 16 station icons of the network lists, white transparent. The list is left
// empty when the picture cannot be had.
void LoadStationIcons(CImageList& images);
