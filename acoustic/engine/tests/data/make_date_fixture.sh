#!/bin/sh
# Regenerates split_time_since_2000.txt: 5000 random whole-second times between 1990 and 2100,
# each as seconds since 2000-01-01 00:00 UTC, with the year, day of year and seconds of the day
# that GNU date gives for it.
#     sh make_date_fixture.sh > split_time_since_2000.txt
set -e
echo "# seconds_since_2000 year day_of_year seconds_of_day  (sh make_date_fixture.sh, GNU date -u)"
python3 -c '
import random
random.seed(2000)
lo, hi = 631152000, 4102444800   # 1990-01-01, 2100-01-01 (Unix time)
for _ in range(5000):
    print(random.randint(lo, hi))
' > /tmp/split_time_unix.$$
sed 's/^/@/' /tmp/split_time_unix.$$ | date -u -f - +"%s %Y %j %H %M %S" |
    awk '{ printf "%.0f %d %d %d\n", $1 - 946684800, $2, $3 + 0, $4 * 3600 + $5 * 60 + $6 }'
rm -f /tmp/split_time_unix.$$
