// The observer's theodolite readings: on face left and on face right, the horizontal circle
// reading to the reference object (R.O.) and two pointings to the sun, each with its UT; their
// means, which become the angle from the sun to the R.O. and the time of the observation; and
// the file "Orbisol Observations" that keeps them between runs.
#pragma once

#include "foundation/DateTime.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

// The mean of the two faces' R.O. readings (radians): the face right reading is half a turn
// from the face left one, so half a turn is taken off (or added when the circle passed zero).
double MeanROReading(double faceLeft, double faceRight);
// The mean of the four sun readings (radians): the two face right readings are half a turn
// from the face left ones, so a turn is taken off their sum (or added when the face right
// reading passed zero).
double MeanSunReading(double faceLeftSunLeft, double faceLeftSunRight, double faceRightSunLeft,
                      double faceRightSunRight);
// The mean of four times of day (seconds), in [0, 86 400). The pointings of one observation lie
// within minutes of each other, so each is taken within half a day of the first before
// averaging: pointings either side of midnight average near midnight, not near noon.
double MeanTimeOfDay(const double seconds[4]);
// The angle clockwise from the sun to the R.O. (radians, [0, 2π)) from the two means.
double ROAngleFromMeans(double meanRO, double meanSun);

class CObservationReadings
{
public:
    // The four sun pointings, in the order of their times in m_Times.
    enum Pointing
    {
        FaceLeftSunLeft,
        FaceLeftSunRight,
        FaceRightSunLeft,
        FaceRightSunRight,
        PointingCount
    };

    // Face left readings 0, face right readings half a turn (π), every time the UTC time of
    // day now.
    CObservationReadings();

    double MeanTime() const;
    double MeanRO() const { return MeanROReading(m_dFaceLeftRO, m_dFaceRightRO); }
    double MeanSun() const
    {
        return MeanSunReading(m_dFaceLeftSunLeft, m_dFaceLeftSunRight, m_dFaceRightSunLeft,
                              m_dFaceRightSunRight);
    }

    // Sets a pointing's time from the computer's UTC clock, to the millisecond.
    void SetTimeNow(Pointing pointing);

    // Writes the file whole, or leaves the old one; false when it cannot be written.
    bool Save() const;
    // Reads the file. Missing: false, the values as they are. Otherwise every value the file
    // gives well is taken; a line that is missing, has no '=', holds no finite number or a
    // time outside the day keeps the value as it is and is named in `damaged` ("line 3 (FACE
    // LEFT Right Horizontal)").
    bool Load(CStringArray* damaged = nullptr);
    // The file's path in the settings folder.
    static CString GetFileName();

    static constexpr const char* kFileName = "Orbisol Observations";

    // Horizontal circle readings, radians.
    double m_dFaceLeftSunLeft = 0.0;
    double m_dFaceLeftSunRight = 0.0;
    double m_dFaceLeftRO = 0.0;
    double m_dFaceRightSunLeft;
    double m_dFaceRightSunRight;
    double m_dFaceRightRO;
    // The pointings' UT: the seconds of the day of each record.
    DateTimeDef m_Times[PointingCount];
};
