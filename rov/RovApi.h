// ROV_API marks what the ROV pane library exports; everything else in it stays hidden. Inside
// the library's own build it gives default visibility.
#pragma once

#if defined(ROV_BUILD)
#define ROV_API __attribute__((visibility("default")))
#else
#define ROV_API
#endif
