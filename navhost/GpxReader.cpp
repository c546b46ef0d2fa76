#include "navhost/GpxReader.h"

#include "features/Gpx.h"
#include "geodesy/ExactGeodesic.h"
#include "navhost/OwnedPointers.h"
#include "platform/core/Path.h"

#include <QDateTime>
#include <QFile>
#include <QXmlStreamReader>

#include <cmath>

namespace
{
constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 1.0 / 298.257223563;
// 1 January 2000 00:00 UTC on the Unix clock.
constexpr qint64 kEpoch2000 = 946684800;

double SecondsSince2000(const QString& text)
{
    const QDateTime time = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
    if (!time.isValid())
        return 0.0;
    return static_cast<double>(time.toMSecsSinceEpoch()) / 1000.0 - static_cast<double>(kEpoch2000);
}

// Legs, totals and average speeds of a track whose positions and times are read.
void ComputeTrack(GpxTrackDef& track)
{
    double total = 0.0;
    const INT_PTR count = track.Points.GetSize();
    const double start = count > 0 ? track.Points[0].Time : 0.0;
    for (INT_PTR i = 0; i < count; ++i)
    {
        GpxPointDef& p = track.Points[i];
        p.TotalDistance = total;
        p.TotalTime = (p.Time > 0.0 && start > 0.0) ? p.Time - start : 0.0;
        p.AverageSpeed = p.TotalTime > 0.0 ? total / p.TotalTime : 0.0;
        if (i + 1 == count)
            continue;
        const GpxPointDef& next = track.Points[i + 1];
        double distance = 0.0, azimuth = 0.0;
        if (ExactGeodesicInverse(kWgs84A, kWgs84F, p.Latitude, p.Longitude, next.Latitude, next.Longitude,
                                 &distance, &azimuth, nullptr))
        {
            p.LegDistance = distance;
            p.LegBearing = azimuth * 180.0 / M_PI;
        }
        const double dt = (p.Time > 0.0 && next.Time > 0.0) ? next.Time - p.Time : 0.0;
        p.LegSpeed = dt > 0.0 ? p.LegDistance / dt : 0.0;
        total += p.LegDistance;
    }
}
void Clear(CGPX& gpx)
{
    DeleteAll(gpx.m_Waypoints);
    DeleteAll(gpx.m_Tracks);
}
} // namespace

bool ReadGpx(const char* path, CGPX& gpx)
{
    Clear(gpx);
    gpx.m_FilePath = path;

    QFile file(LinuxPathFromWindows(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    bool isGpx = false;
    GpxTrackDef* track = nullptr;
    GpxPointDef point{};
    bool inPoint = false, inWaypoint = false;
    while (!xml.atEnd())
    {
        xml.readNext();
        const QStringView name = xml.name();
        if (xml.isStartElement())
        {
            if (name == u"gpx")
                isGpx = true;
            else if (name == u"trk")
                track = gpx.AddTrack("", true);
            else if (name == u"trkpt" && track != nullptr)
            {
                point = GpxPointDef{};
                point.Latitude = xml.attributes().value("lat").toDouble() * M_PI / 180.0;
                point.Longitude = xml.attributes().value("lon").toDouble() * M_PI / 180.0;
                inPoint = true;
            }
            else if (name == u"wpt")
                inWaypoint = true;
            else if (name == u"time" && inPoint)
                point.Time = SecondsSince2000(xml.readElementText());
            else if (name == u"name" && inWaypoint)
                gpx.AddWaypoint(xml.readElementText().toLocal8Bit().constData(), true);
            else if (name == u"name" && track != nullptr && !inPoint)
                track->Name = xml.readElementText().toLocal8Bit().constData();
        }
        else if (xml.isEndElement())
        {
            if (name == u"trkpt" && inPoint)
            {
                track->Points.Add(point);
                inPoint = false;
            }
            else if (name == u"wpt")
                inWaypoint = false;
            else if (name == u"trk" && track != nullptr)
            {
                ComputeTrack(*track);
                track = nullptr;
            }
        }
    }
    if (xml.hasError() || !isGpx)
    {
        Clear(gpx);
        return false;
    }
    return true;
}
