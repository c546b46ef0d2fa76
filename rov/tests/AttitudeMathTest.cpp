// The attitude indicator's trigonometry against independent references: the looked-up sines and
// cosines against the standard library's, the three-angle rotation and the horizon's ends
// against a rotation matrix composed with Eigen.
#include "rov/AttitudeMath.h"
#include "rov/PitchRollView.h"

#include <Eigen/Geometry>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
constexpr double kRadian = M_PI / 180.0;
// The angle is cut to a tenth of a degree and the table's entries to 1/32767.
const double kLookupTolerance = std::sin(0.1 * kRadian) + 1.0 / 32767.0 + 1e-12;

TEST(LookupSinCos, AgreesWithTheStandardLibraryOverTwoTurnsEachWay)
{
    double worst = 0.0;
    for (int i = -14400; i <= 14400; ++i)
    {
        const double degrees = i * 0.05;
        double s = 0.0, c = 0.0;
        LookupSinCos(degrees, &s, &c);
        worst = std::max({worst, std::fabs(s - std::sin(degrees * kRadian)), std::fabs(c - std::cos(degrees * kRadian))});
        ASSERT_NEAR(s, std::sin(degrees * kRadian), kLookupTolerance) << degrees;
        ASSERT_NEAR(c, std::cos(degrees * kRadian), kLookupTolerance) << degrees;
    }
    EXPECT_GT(worst, 0.0005) << "the angle is cut to tenths, not looked up exactly";
}

TEST(LookupSinCos, QuadrantEndsAreExactAndEitherOutputMayBeLeftOut)
{
    struct Case
    {
        double degrees, sine, cosine;
    };
    for (const Case& k : std::vector<Case>{{0, 0, 1}, {90, 1, 0}, {180, 0, -1}, {270, -1, 0}, {-90, -1, 0},
                                           {360, 0, 1}, {-180, 0, -1}, {450, 1, 0}})
    {
        double s = 7.0, c = 7.0;
        LookupSinCos(k.degrees, &s, &c);
        EXPECT_EQ(s, k.sine) << k.degrees;
        EXPECT_EQ(c, k.cosine) << k.degrees;
        LookupSinCos(k.degrees, nullptr, &c);
        LookupSinCos(k.degrees, &s, nullptr);
        EXPECT_EQ(s, k.sine) << k.degrees;
        EXPECT_EQ(c, k.cosine) << k.degrees;
    }
}

TEST(LookupSinCos, AnglesNoIntegerHoldsStayDefined)
{
    // Tenths of these are still whole doubles: the angle within the turn is known exactly.
    for (double degrees : {1e12 + 30.0, -1e12 - 45.5, 4e14 + 0.25})
    {
        double s = 0.0, c = 0.0;
        LookupSinCos(degrees, &s, &c);
        const double reduced = std::fmod(degrees, 360.0) * kRadian;
        EXPECT_NEAR(s, std::sin(reduced), kLookupTolerance) << degrees;
        EXPECT_NEAR(c, std::cos(reduced), kLookupTolerance) << degrees;
    }
    // Beyond, only that the result is a sine and cosine of some angle.
    for (double degrees : {1.0e300, -1.0e300, std::numeric_limits<double>::max()})
    {
        double s = 0.0, c = 0.0;
        LookupSinCos(degrees, &s, &c);
        EXPECT_NEAR(s * s + c * c, 1.0, 1e-3) << degrees;
    }
    for (double degrees : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
    {
        double s = 0.0, c = 0.0;
        LookupSinCos(degrees, &s, &c);
        EXPECT_TRUE(std::isnan(s) && std::isnan(c)) << degrees;
    }
}

// The rotation as a matrix: about z, then x, then y, each by the negative of its angle.
Eigen::Vector3d Rotated(double a1, double a2, double a3, const Eigen::Vector3d& p)
{
    const Eigen::Matrix3d m = (Eigen::AngleAxisd(-a3 * kRadian, Eigen::Vector3d::UnitY()) *
                               Eigen::AngleAxisd(-a2 * kRadian, Eigen::Vector3d::UnitX()) *
                               Eigen::AngleAxisd(-a1 * kRadian, Eigen::Vector3d::UnitZ()))
                                  .toRotationMatrix();
    return m * p;
}

TEST(RotatePoint3D, IsTheRotationMatrixOfItsThreeAngles)
{
    const std::vector<Eigen::Vector3d> points = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {12.5, -3.0, 40.0}, {-7, 8, -9}};
    const double angles[][3] = {{0, 0, 0}, {30, 0, 0}, {0, 45, 0}, {0, 0, 60}, {10, 20, 30}, {-120, 75, 200}, {359, -89, 181}};
    const Eigen::Vector3d offset(100.0, -50.0, 2.5);
    for (const auto& a : angles)
        for (const Eigen::Vector3d& p : points)
        {
            double X = 0, Y = 0, Z = 0;
            RotatePoint3D(offset.x(), offset.y(), offset.z(), p.x(), p.y(), p.z(), std::sin(a[0] * kRadian),
                          std::cos(a[0] * kRadian), std::sin(a[1] * kRadian), std::cos(a[1] * kRadian),
                          std::sin(a[2] * kRadian), std::cos(a[2] * kRadian), &X, &Y, &Z);
            const Eigen::Vector3d expected = Rotated(a[0], a[1], a[2], p) + offset;
            EXPECT_NEAR(X, expected.x(), 1e-9) << a[0] << " " << a[1] << " " << a[2];
            EXPECT_NEAR(Y, expected.y(), 1e-9) << a[0] << " " << a[1] << " " << a[2];
            EXPECT_NEAR(Z, expected.z(), 1e-9) << a[0] << " " << a[1] << " " << a[2];
        }
}

TEST(PitchRollHorizon, EndsAreTheRotatedIndicatorCorners)
{
    const POINT centre{150, 120};
    const double r = 100.0;
    // Pixels: the truncation of each end, and the tenth of a degree the angles are cut to.
    const double tolerance = 1.0 + 2.0 * r * kLookupTolerance;
    const double table[][2] = {{0, 0}, {10, 0}, {0, 10}, {-15, 25}, {30, -40}, {45, 45}, {89.95, 0}, {90, 0},
                               {0, 90}, {0, 180}, {90, 180}, {-90, 0}, {135, -30}, {0, -150}, {200, 370}};
    for (const auto& row : table)
    {
        const double pitch = row[0], roll = row[1];
        POINT p1{}, p2{};
        CPitchRollView::CalculateHorizon(centre, r, pitch, roll, &p1, &p2);
        const Eigen::Vector3d e1 = Rotated(0.0, pitch, roll, Eigen::Vector3d(r, r, 0.0));
        const Eigen::Vector3d e2 = Rotated(0.0, pitch, roll, Eigen::Vector3d(-r, r, 0.0));
        // The screen shows the rotated x across and z down.
        EXPECT_NEAR(p1.x, centre.x + e1.x(), tolerance) << pitch << " " << roll;
        EXPECT_NEAR(p1.y, centre.y + e1.z(), tolerance) << pitch << " " << roll;
        EXPECT_NEAR(p2.x, centre.x + e2.x(), tolerance) << pitch << " " << roll;
        EXPECT_NEAR(p2.y, centre.y + e2.z(), tolerance) << pitch << " " << roll;
    }
}

TEST(PitchRollHorizon, PitchRaisesItAndRollLowersItsRightEnd)
{
    const POINT centre{100, 100};
    POINT p1{}, p2{};
    CPitchRollView::CalculateHorizon(centre, 100.0, 0.0, 0.0, &p1, &p2);
    EXPECT_EQ(p1.x, 200);
    EXPECT_EQ(p1.y, 100);
    EXPECT_EQ(p2.x, 0);
    EXPECT_EQ(p2.y, 100);
    CPitchRollView::CalculateHorizon(centre, 100.0, 30.0, 0.0, &p1, &p2);
    EXPECT_NEAR(p1.y, 50, 1);
    EXPECT_NEAR(p2.y, 50, 1);
    CPitchRollView::CalculateHorizon(centre, 100.0, 0.0, 30.0, &p1, &p2);
    EXPECT_NEAR(p1.y, 150, 1);
    EXPECT_NEAR(p2.y, 50, 1);
}
} // namespace
