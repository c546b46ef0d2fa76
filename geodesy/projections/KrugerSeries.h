// CKrugerSeries: the transverse Mercator of an ellipsoid by Krüger's series in the third
// flattening n, carried to n^6 (L. Krüger, "Konforme Abbildung des Erdellipsoids in der
// Ebene", 1912; coefficients as given by C.F.F. Karney, "Transverse Mercator with an accuracy
// of a few nanometers", J. Geodesy 85, 2011, eqs. 35-36). It serves the engine where its
// Redfearn series no longer holds a millimetre, far from the central meridian.
//
// Against the exact projection the series is within 5 nm out to 3900 km from the central
// meridian and within 1 cm while the Gauss-Schreiber ordinate eta' = atanh(cos chi sin omega)
// (chi the conformal latitude) stays below 1.78, which is about 71 degrees of longitude on the
// equator and further elsewhere; beyond that both directions refuse.
#pragma once

class CSpheroid;

class CKrugerSeries
{
public:
    // Coefficients of the spheroid's third flattening n and eccentricity e.
    explicit CKrugerSeries(const CSpheroid& spheroid);

    // Latitude (radians, [-pi/2, pi/2]) and longitude from the central meridian (radians,
    // [-pi, pi]) to the normalised grid co-ordinates xi (northward) and eta (eastward): the
    // northing from the equator and the easting from the central meridian divided by k0 * A.
    // Convergence in radians (clockwise from true north to grid north), scale divided by k0.
    // False, nothing written, beyond the range of the accuracy above.
    bool Forward(double latitude, double omega, double& xi, double& eta, double& convergence,
                 double& scale) const;
    // The reverse of Forward: latitude and longitude from the central meridian in radians.
    bool Inverse(double xi, double eta, double& latitude, double& omega, double& convergence,
                 double& scale) const;

    // A: the rectifying radius, metres (a quarter meridian is A * pi / 2).
    double RectifyingRadius() const { return m_A; }

private:
    double m_A;
    double m_AOverA; // A / a
    double m_E;     // eccentricity
    double m_E2m;   // 1 - e^2
    double m_Alpha[6];
    double m_Beta[6];
};
