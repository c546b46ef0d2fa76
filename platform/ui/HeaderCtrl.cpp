#include "platform/ui/HeaderCtrl.h"

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
