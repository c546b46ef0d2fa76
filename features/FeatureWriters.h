// The writers of the feature files that the chart and the panes change in place: waypoints,
// sail lines, routes, design routes, boundaries and structures, each with the companions its
// reader looks for. Lines are built field by field with CCsvParser (", " between fields, three
// decimals, line ends and commas in names escaped) and end in CR LF.
//
// Every file is written whole or not at all: to a temporary file renamed into place, so a
// failure (a folder that cannot be written, a full disk) leaves the old file as it was. Each
// writer returns false when the feature file itself was not written; the data in memory keeps
// the change either way.
#pragma once

class CBoundary;
class CDesignRoute;
class CGridWaypoint;
class CRoute;
class CSailLine;
class CStructure;

// One line per waypoint in the columns of the file's data order, then the "_GRID_WAYPOINT"
// settings companion. A data order without a column layout writes nothing: its lines would be
// empty and the file emptied.
bool SaveWaypointFile(const CGridWaypoint* waypoints);

// The "_DATA_ORDER" companion, then one line per sail line (SOL E, SOL N, EOL E, EOL N), then
// the status companion. Only data order 0 has a layout; another writes nothing.
bool SaveSailLineFile(CSailLine* sailLines);

// The "_DATA_ORDER" companion, then one line per point in the route's data order (E, N;
// name, E, N; E, N, name), then the status companion.
bool SaveRouteFile(CRoute* route);

// One line per intersection point: E, N and the radius when it is above 0. A design route with
// no point left has its file deleted (true when no file is left).
bool SaveDesignRouteFile(const CDesignRoute* route);

// One line per vertex: E, N. A boundary with no vertex left is written as an empty file, so
// that the deleted vertex does not come back at the next load.
bool SaveBoundaryFile(const CBoundary* boundary);

// The structure blocks, an empty line between two blocks and none after the last.
bool SaveStructureFile(const CStructure* structures);
