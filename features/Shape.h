// CShape: one ESRI shapefile in memory, as the chart draws it: every entity of the ".shp" file
// in file order (shapelib SHPObject records, kept as read), the file's shape type and bounding
// box, the grid described by its ".prj" text, the column names of its ".dbf" table and the
// display settings it is drawn with, kept in an "INI" file beside the shapefile.
//
// A shape is filled by CLoadShapeThread; while that thread runs nothing else may touch it.
#pragma once

#include "features/Dbase.h"
#include "features/Ellipsoid.h"
#include "features/GeodeticConverter.h"
#include "geodesy/Projection.h"
#include "platform/core/List.h"
#include "platform/core/String.h"

#include <shapefil.h>

#include <atomic>
#include <cstdint>

class CShape : public CPtrList
{
public:
    // Shapefile shape types (SHPT_*).
    enum
    {
        TYPE_NULL = 0,
        TYPE_POINT = 1,
        TYPE_ARC = 3,
        TYPE_POLYGON = 5,
        TYPE_MULTIPOINT = 8
    };

    // No entities; WGS84 (table row 26) with the projection bound to it and the converter
    // linked to both; geographic; display settings shown, style 0, size 1, colour 0x808080,
    // fill 0, label mode and position 0, icons off, label column 0.
    CShape();
    // Frees every entity.
    ~CShape() override;
    CShape(const CShape&) = delete;
    CShape& operator=(const CShape&) = delete;

    // Frees every entity and empties the list.
    void RemoveAllEntities();
    // The entity at `pos` (advanced to the next), as the list holds it: null where shapelib
    // could not read the record.
    SHPObject* GetNextEntity(POSITION& pos) const;

    // Opens the shapefile (m_FilePath) and copies its record count, shape type and bounds;
    // false when the ".shp" or ".shx" does not open.
    bool ReadInfo();

    // Reads the first line of the ".prj" beside the shapefile `path` and scans it
    // (ParseProjectionText). True when a line was read; a missing file leaves the shape as it
    // was (geographic, WGS84).
    bool ReadProjectionFile(const char* path);
    // Scans a projection text in well-known-text form (ESRI's ".prj" dialect): the datum name
    // goes to the converter, the projection's name, method and parameters to the projection
    // (angles in radians), the spheroid's name and axes to the spheroid (an inverse flattening
    // outside 290..310 becomes 297). The geographic flag is set, then cleared by a PROJECTION
    // item. Parameter names are compared without regard to letter case, as both the ESRI
    // ("Latitude_Of_Origin") and the OGC ("latitude_of_origin") spellings occur.
    void ParseProjectionText(const char* text);

    // "<folder><title>.INI" of the shapefile path.
    CString GetDisplaySettingsFileName() const;
    // Reads the display settings, positionally; every setting missing from the file takes its
    // default, and a file that does not open clears m_bSettingsFound.
    void LoadDisplaySettings();
    // Writes them whole (or not at all); false when the file cannot be written.
    bool SaveDisplaySettings() const;

    // Members in this order.
    CGeodeticConverter m_Converter; // linked to m_Spheroid and m_Projection
    CEllipsoid m_Spheroid;          // the ".prj" spheroid; WGS84 without one
    // The ".prj" grid: name (m_Name), type (m_DataType: 1 Transverse Mercator, 5 Mercator),
    // standard-parallel flag (m_Method, 0 clear), false easting and northing, latitude of
    // origin, central meridian (m_OriginLongitude), scale factor and standard parallel
    // (m_Parallel1); on m_Spheroid.
    CProjection m_Projection;
    bool m_Geographic;                  // entities are longitude and latitude
    CString m_FilePath;                 // full path of the ".shp" file
    CString m_Title;                    // file title shown to the user
    CString m_strProblem;               // what was wrong at the last load; empty when nothing
    std::atomic<int32_t> m_EntityCount; // records of the ".shx" index; read by the progress dialog
    int32_t m_ShapeType;                // SHPT_* of the file
    double m_BoundsMin[4];              // x, y, z, m
    double m_BoundsMax[4];
    CDbase m_Dbase;        // column names of the ".dbf"
    bool m_bSettingsFound; // false after a load found no display settings file

    // Display settings.
    bool m_Status;     // shown
    int16_t m_Style;   // symbol style
    int16_t m_Size;    // symbol size
    uint32_t m_Colour; // COLORREF
    int16_t m_Fill;
    int32_t m_LabelMode;
    int32_t m_LabelPosition;
    bool m_IconMode;
    int16_t m_LabelColumn; // index into m_Dbase.m_FieldNames
};
