// SURVEY_API marks what the Survey pane library offers a host. Inside the library's own build it
// gives default visibility.
#pragma once

#if defined(SURVEY_BUILD)
#define SURVEY_API __attribute__((visibility("default")))
#else
#define SURVEY_API
#endif
