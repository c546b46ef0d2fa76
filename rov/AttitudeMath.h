// The trigonometry of the attitude indicator: a sine and cosine looked up to a tenth of a
// degree, and the rotation of a point by three angles given as their sines and cosines.
#pragma once

// The sine and cosine of `degrees` (any finite angle) from a table of 901 sines at every tenth
// of a degree over the first quadrant, scaled by 32767 and truncated: the angle is truncated
// towards zero to a tenth of a degree, so a result is off by at most sin(0.1°) + 1/32767.
// A non-finite angle has no sine: both results are NaN. Either output may be null.
void LookupSinCos(double degrees, double* sine, double* cosine);

// Rotates (x, y, z) by three angles, each given as its sine and cosine (s1, c1 about the
// z axis, s2, c2 about the x axis, s3, c3 about the y axis, each turned the negative way and
// applied in that order) and adds the offset (ox, oy, oz). Any output may be null.
void RotatePoint3D(double ox, double oy, double oz, double x, double y, double z, double s1, double c1,
                   double s2, double c2, double s3, double c3, double* X, double* Y, double* Z);
