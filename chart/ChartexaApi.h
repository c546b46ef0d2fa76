// CHARTEXA_API marks what the chart display's shared library exports; everything else in it
// stays hidden. Inside the library's own build it gives default visibility.
#pragma once

#if defined(CHARTEXA_BUILD)
#define CHARTEXA_API __attribute__((visibility("default")))
#else
#define CHARTEXA_API
#endif
