// The run-time class of a device group: its class record, GetRuntimeClass and GetThisClass.
// The grid's item classes carry no class record of their own, so a group's record names
// CObject as its base (IMPLEMENT_DEVICE_GROUP).
#pragma once

#include "platform/core/Object.h"

#define DECLARE_DEVICE_GROUP(class_name)                                                                       \
    DECLARE_DYNAMIC(class_name)                                                                                \
    static CRuntimeClass* GetThisClass() { return RUNTIME_CLASS(class_name); }                                 \
                                                                                                               \
private:

#define IMPLEMENT_DEVICE_GROUP(class_name) IMPLEMENT_DYNAMIC(class_name, CObject)
