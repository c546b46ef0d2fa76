// The solar program's pictures (the IDB_ORBISOL_ ids of OrbisolResources.h), registered as the
// program's bitmaps by the first page that shows them.
#pragma once

void RegisterOrbisolPictures();
