// The dispatch of the projection types outside the Transverse Mercator family (5..11, 12
// methods 1..3, 13, 14) to their formulas in geodesy/projections/, and the types that wrap the
// Transverse Mercator itself: the 1927 State Plane Transverse Mercator zones (in US survey
// feet), the regional polynomials on UTM (type 13) and System 34 on UTM zone 32 (type 14).
#include "geodesy/Projection.h"

#include "geodesy/Spheroid.h"
#include "geodesy/projections/Formulas.h"
#include "geodesy/projections/Polynomials.h"

#include <cmath>

using namespace projections;

void CProjection::ComputeTypeConstants()
{
    switch (m_DataType)
    {
    case 5:
        MercatorConstants(*this);
        break;
    case 6:
        ComputeConicConstants();
        break;
    case 9:
        StereographicConstants(*this);
        break;
    case 11:
        ObliqueMercatorConstants(*this);
        break;
    case 12:
        if (m_Method == 1)
            ComputeConicConstants();
        else if (m_Method == 3)
            ObliqueMercatorConstants(*this);
        break;
    case 14:
        m_M0 = 0.0;
        break;
    default:
        break;
    }
}

bool CProjection::GeographicToGridByType(double latitude, double longitude, const PointTerms& terms,
                                         double& easting, double& northing, double& convergence,
                                         double& scale)
{
    GridPoint g{0.0, 0.0, 0.0, m_ScaleFactor};
    bool ok = false;
    switch (m_DataType)
    {
    case 5:
        ok = MercatorForward(*this, latitude, longitude, terms, g);
        break;
    case 6:
        ok = LambertForward(*this, latitude, longitude, terms, g);
        break;
    case 7:
        ok = CassiniForward(*this, latitude, longitude, terms, g);
        break;
    case 8:
        ok = GuamForward(*this, latitude, longitude, terms, g);
        break;
    case 9:
        ok = StereographicForward(*this, latitude, longitude, terms, g);
        break;
    case 10:
        ok = PolyconicForward(*this, latitude, longitude, terms, g);
        break;
    case 11:
        ok = ObliqueMercatorForward(*this, latitude, longitude, terms, g);
        break;
    case 12:
        if (m_Method == 1)
            ok = LambertForward(*this, latitude, longitude, terms, g);
        else if (m_Method == 3)
            ok = ObliqueMercatorForward(*this, latitude, longitude, terms, g);
        else if (m_Method == 2)
        {
            // The false easting and northing are in feet, the series in metres.
            ok = TransverseMercatorForward(latitude, longitude, terms, g.easting, g.northing, g.convergence,
                                           g.scale);
            const double feet = GridUnitsPerMetre(*this);
            g.easting = m_FalseEasting + (g.easting - m_FalseEasting) * feet;
            g.northing = m_FalseNorthing + (g.northing - m_FalseNorthing) * feet;
        }
        break;
    case 13: {
        const RegionalTable* table = RegionalCoefficients();
        double utmEasting, utmNorthing;
        if (!table || !TransverseMercatorForward(latitude, longitude, terms, utmEasting, utmNorthing,
                                                 g.convergence, g.scale))
            break;
        int group = GetConstantWord(0);
        ok = RegionalForward(*table, GetConstantWord(1), utmEasting, utmNorthing, group, g.easting,
                             g.northing);
        if (ok && group >= 0 && group <= 3)
        {
            SetConstantWord(0, group);
            m_Country = table->groups[group].name;
        }
        break;
    }
    case 14: {
        const System34Set* set = System34Coefficients(GetConstantWord(0));
        double utmEasting, utmNorthing, utmConvergence, utmScale;
        if (!set || !TransverseMercatorForward(latitude, longitude, terms, utmEasting, utmNorthing,
                                               utmConvergence, utmScale))
            break;
        ComplexTerm slope;
        EvaluateComplexPolynomial(set->forward, 3, utmNorthing - set->northingOrigin,
                                  utmEasting - set->eastingOrigin, g.northing, g.easting, &slope);
        // The polynomial turns every bearing clockwise by arg P' and scales by |P'|.
        g.convergence = utmConvergence - std::atan2(slope.e, slope.n);
        g.scale = utmScale * std::hypot(slope.n, slope.e);
        ok = true;
        break;
    }
    default:
        break;
    }
    easting = g.easting;
    northing = g.northing;
    convergence = g.convergence;
    scale = g.scale;
    return ok;
}

bool CProjection::GridToGeographicByType(double easting, double northing, double& latitude, double& longitude,
                                         double& convergence, double& scale)
{
    GeoPoint g{0.0, 0.0, 0.0, m_ScaleFactor};
    bool ok = false;
    switch (m_DataType)
    {
    case 5:
        ok = MercatorInverse(*this, easting, northing, g);
        break;
    case 6:
        ok = LambertInverse(*this, easting, northing, g);
        break;
    case 7:
        ok = CassiniInverse(*this, easting, northing, g);
        break;
    case 8:
        ok = GuamInverse(*this, easting, northing, g);
        break;
    case 9:
        ok = StereographicInverse(*this, easting, northing, g);
        break;
    case 10:
        ok = PolyconicInverse(*this, easting, northing, g);
        break;
    case 11:
        ok = ObliqueMercatorInverse(*this, easting, northing, g);
        break;
    case 12:
        if (m_Method == 1)
            ok = LambertInverse(*this, easting, northing, g);
        else if (m_Method == 3)
            ok = ObliqueMercatorInverse(*this, easting, northing, g);
        else if (m_Method == 2)
        {
            const double metres = 1.0 / GridUnitsPerMetre(*this);
            ok = TransverseMercatorInverse(m_FalseEasting + (easting - m_FalseEasting) * metres,
                                           m_FalseNorthing + (northing - m_FalseNorthing) * metres,
                                           g.latitude, g.longitude, g.convergence, g.scale);
        }
        break;
    case 13: {
        const RegionalTable* table = RegionalCoefficients();
        double utmEasting, utmNorthing;
        ok = table &&
             RegionalInverse(*table, GetConstantWord(0), easting, northing, utmEasting, utmNorthing) &&
             TransverseMercatorInverse(utmEasting, utmNorthing, g.latitude, g.longitude, g.convergence,
                                       g.scale);
        break;
    }
    case 14: {
        const System34Set* set = System34Coefficients(GetConstantWord(0));
        if (!set)
            break;
        double utmEasting, utmNorthing;
        ComplexTerm slope;
        EvaluateComplexPolynomial(set->inverse, 3, northing + kSystem34InverseNorthingOffset,
                                  easting + kSystem34InverseEastingOffset, utmNorthing, utmEasting, &slope);
        ok = TransverseMercatorInverse(utmEasting, utmNorthing, g.latitude, g.longitude, g.convergence,
                                       g.scale);
        g.convergence += std::atan2(slope.e, slope.n);
        g.scale /= std::hypot(slope.n, slope.e);
        break;
    }
    default:
        break;
    }
    latitude = g.latitude;
    longitude = g.longitude;
    convergence = g.convergence;
    scale = g.scale;
    return ok;
}
