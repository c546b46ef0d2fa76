// What the geodesy pane tests share: an owner window for the panes and typing into an item as
// the user does.
#pragma once

#include "outside/terralin/TerralinPane.h"

#include <QCoreApplication>

class COwnerWindow : public CWnd
{
public:
    bool Make()
    {
        return CreateEx(0, nullptr, "Geodetic", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500),
                        nullptr, 0) != FALSE;
    }
};

// Types `text` into the pane's item and ends the edit; false when the item refused it.
inline bool Type(CTerralinPane& pane, DWORD_PTR item, const char* text)
{
    CMFCPropertyGridProperty* prop = pane.FindItem(item);
    return prop != nullptr && pane.GetPropertyGrid().EditProperty(prop, text) != FALSE;
}

inline void ProcessEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

constexpr double kDegree = 0.017453292519943;
