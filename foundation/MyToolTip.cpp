#include "foundation/MyToolTip.h"

IMPLEMENT_DYNAMIC(CMyToolTip, CToolTipCtrl)

BEGIN_MESSAGE_MAP(CMyToolTip, CToolTipCtrl)
END_MESSAGE_MAP()
