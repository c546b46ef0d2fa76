// Arrays of pointers whose objects the array's owner frees itself (the GPX and wind-farm records).
#pragma once

#include "platform/core/Array.h"

// Deletes every object the array points to and empties it.
template <class T> void DeleteAll(CArray<T*, T*>& array)
{
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        delete array[i];
    array.RemoveAll();
}
