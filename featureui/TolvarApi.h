// What the Tolvar library exports: its panes, dialogs and free functions carry TOLVAR_API.
#pragma once

#define TOLVAR_API __attribute__((visibility("default")))
