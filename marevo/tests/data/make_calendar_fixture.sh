#!/bin/sh
# Writes tide_calendar.txt with GNU date, an independent civil day count:
#     sh marevo/tests/data/make_calendar_fixture.sh > marevo/tests/data/tide_calendar.txt
# "Y year start end": 00:00 UT of 1 January of the year and of the next, in seconds after
# 00:00 UT of 2 January 2000. "T zone year day-of-year seconds instant": the local time of that
# day and second in the zone, as seconds since 1970.
set -e
echo "# sh marevo/tests/data/make_calendar_fixture.sh > marevo/tests/data/tide_calendar.txt"
origin=$(date -u -d "2000-01-02 00:00:00" +%s)
year=1999
while [ $year -le 2101 ]; do
  start=$(date -u -d "$year-01-01 00:00:00" +%s)
  end=$(date -u -d "$((year + 1))-01-01 00:00:00" +%s)
  echo "Y $year $((start - origin)) $((end - origin))"
  year=$((year + 1))
done
for zone in UTC Europe/Berlin; do
  for day in 2024-03-30 2024-03-31 2024-10-27 2024-10-28 2024-12-31 2023-02-28; do
    for clock in 00:00 00:59 01:00 01:30 03:00 03:01 12:00 23:59; do
      doy=$(date -u -d "$day" +%j | sed 's/^0*//')
      seconds=$(( $(echo $clock | cut -c1-2 | sed 's/^0//') * 3600 + $(echo $clock | cut -c4-5 | sed 's/^0//') * 60 ))
      instant=$(TZ=$zone date -d "$day $clock:00" +%s)
      echo "T $zone $(echo $day | cut -c1-4) $doy $seconds $instant"
    done
  done
done
