// CSatelliteBarPane: one bar per satellite in view, in PRN order, its height a value of the
// satellite against a fixed scale; the PRN under the bar and the value above it; green when
// used in the fix.
#pragma once

#include "outside/gps/SatelliteListPane.h"

class CSatelliteBarPane : public CSatelliteListPane
{
public:
    // `title` names the value axis; `scale` is the value of a full bar (larger values are cut).
    CSatelliteBarPane(const char* title, int scale);

    // The bar of satellite i in a client rectangle of the surface (empty for a value of 0).
    CRect BarRect(const CRect& rcClient, int i) const;
    int GetScale() const { return m_nScale; }
    void Draw(CDC* pDC, const CRect& rcClient) override;

    // The value a bar shows.
    virtual int BarValue(const SatelliteDef& sat) const = 0;

private:
    CRect PlotRect(const CRect& rcClient) const;

    const char* m_pszTitle;
    int m_nScale;
};
