#!/bin/sh
# Regenerates the shapefile fixtures of the shape tests. Needs Debian's shapelib (shpcreate,
# shpadd, dbfcreate, dbfadd, shpdump) and gdal-bin (ogr2ogr, ogrinfo), which
# `SUITE_FIXTURE_TOOLS=1 scripts/setup.sh` installs; the tests need neither. Run from this
# folder:
#
#     sh shp_generate_fixtures.sh
#
# shp_cables_utm31.*          three cables (polylines, one of two parts) drawn with shapelib's
#                             tools in WGS84 longitude and latitude, then projected by GDAL to
#                             UTM zone 31 north, which writes the ".prj":
#                             ogr2ogr -s_srs EPSG:4326 -t_srs EPSG:32631 shp_cables_utm31.shp cables.shp
#                             Columns NAME, DEPTH, KP, TEXTSTRING (the label column is the 4th).
# shp_cables_utm31_ogrinfo.txt  ogrinfo -so -al shp_cables_utm31.shp
# shp_cables_utm31_shpdump.txt  shpdump shp_cables_utm31.shp
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shpcreate "$work/cables" arc
shpadd "$work/cables" 2.50 51.20 2.62 51.24 2.78 51.31 2.95 51.33
shpadd "$work/cables" 3.10 51.40 3.15 51.47 + 3.20 51.50 3.26 51.58 3.31 51.62
shpadd "$work/cables" 2.05 51.05 2.40 51.12
dbfcreate "$work/cables" -s NAME 20 -n DEPTH 10 2 -n KP 10 3 -s TEXTSTRING 40
dbfadd "$work/cables" "Export A" 28.50 12.250 "Export cable A"
dbfadd "$work/cables" "Interlink" 31.25 3.500 "Interlink 1-2"
dbfadd "$work/cables" "Spur" 19.00 0.750 "Spur to WTG 7"

rm -f shp_cables_utm31.*
ogr2ogr -s_srs EPSG:4326 -t_srs EPSG:32631 shp_cables_utm31.shp "$work/cables.shp"
# GDAL's code page marker is not part of what the program reads.
rm -f shp_cables_utm31.cpg
ogrinfo -so -al shp_cables_utm31.shp > shp_cables_utm31_ogrinfo.txt
shpdump shp_cables_utm31.shp > shp_cables_utm31_shpdump.txt
