// CMyToolTip: the tooltip control that the suite's edit controls own (CBaseEdit) to name the
// kind of value they hold.
#pragma once

#include "platform/ui/ToolTipCtrl.h"

class CMyToolTip : public CToolTipCtrl
{
    DECLARE_DYNAMIC(CMyToolTip)
public:
    CMyToolTip() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
