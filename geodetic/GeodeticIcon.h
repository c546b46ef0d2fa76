// The Geodetic program's icon: the constellation pane's sky with a few satellites in it.
#pragma once

#include <QIcon>

QIcon GeodeticIcon();
