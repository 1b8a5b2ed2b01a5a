#!/usr/bin/env bash
# Builds examples/Musterdepot.kpz with kapibuch-cli: a DM account from 1998, purchases, a
# partial sale, dividends assigned to positions, fees and taxes, the switch to euro in
# 2002, a stock split and prices imported from the text files in examples/kurse/.
#   examples/make-musterdepot.sh [PATH-TO-kapibuch-cli]
# Without a path it takes the one built in build/ or build-release/, else the one on the PATH.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -gt 0 ]; then
  CLI=$(realpath "$1")
else
  CLI=""
  for candidate in "$here"/../build/src/kapibuch-cli "$here"/../build-release/src/kapibuch-cli; do
    [ -x "$candidate" ] && { CLI=$candidate; break; }
  done
  [ -n "$CLI" ] || CLI=$(command -v kapibuch-cli) || { echo "kapibuch-cli not found: build it first (./run.sh)" >&2; exit 1; }
fi
cd "$here"
OUT=Musterdepot.kpz
export KAPIBUCH_TODAY=31.12.2004
export KAPIBUCH_SETTINGS=$(mktemp -d)/settings.ini
rm -f "$OUT"

"$CLI" new "$OUT" --holder "Erika Mustermann" --address $'Musterweg 12\n70173 Stuttgart' \
  --depot "4711-0815" --account "1234567" --blz "60010070" --start 02.01.1998 --balance "25.000 DM"

"$CLI" buy "$OUT" --date 15.12.1997 --name "Siemens AG" --wkn 723610 --qty 50 --price "90 DM" --commission "25 DM" \
  --text "Altbestand"
"$CLI" buy "$OUT" --date 12.03.1998 --name "Bayer AG" --wkn 575200 --qty 100 --price "72,50 DM" --commission "35 DM"
"$CLI" buy "$OUT" --date 20.07.1998 --name "Deutsche Telekom" --wkn 555750 --qty 200 --price "38,10 DM" --commission "40 DM"
"$CLI" buy "$OUT" --date 04.05.1999 --name "SAP Software" --wkn 716460 --qty 20 --price "185 DM" --commission "30 DM"
"$CLI" move "$OUT" --date 30.04.1998 --kind Dividenden-Gutschrift --amount "125 DM" --text "Dividende Bayer" \
  --security "Bayer AG" --wkn 575200
"$CLI" move "$OUT" --date 28.02.1999 --kind Kapitaleinlage --amount "5.000 DM" --text "Sparrate"
"$CLI" move "$OUT" --date 31.12.1999 --kind Depotgebühren --amount "48 DM" --text "Depotgebühr 1999"
"$CLI" sell "$OUT" --date 10.03.2000 --name "Deutsche Telekom" --wkn 555750 --qty 120 --price "98 DM" --commission "45 DM" \
  --text "Teilverkauf"
"$CLI" move "$OUT" --date 10.03.2000 --kind Steuern --amount "310 DM" --text "Steuer auf den Verkauf"
"$CLI" move "$OUT" --date 15.05.2000 --kind Dividenden-Gutschrift --amount "90 DM" --text "Dividende Siemens" \
  --security "Siemens AG" --wkn 723610
"$CLI" switch-eur "$OUT" --date 01.01.2002
"$CLI" buy "$OUT" --date 18.03.2002 --name "Öko Welt Fonds" --wkn A0B1C2 --qty "35,5" --price "28,40" --commission "15"
"$CLI" move "$OUT" --date 02.05.2002 --kind Dividenden-Gutschrift --amount "120" --text "Dividende Bayer" \
  --security "Bayer AG" --wkn 575200
"$CLI" move "$OUT" --date 31.12.2002 --kind Depotgebühren --amount "25" --text "Depotgebühr 2002"
"$CLI" split "$OUT" --date 14.05.2003 --name "SAP Software" --wkn 716460 --new 4 --old 1
"$CLI" move "$OUT" --date 12.05.2004 --kind Dividenden-Gutschrift --amount "80" --text "Dividende SAP" \
  --security "SAP Software" --wkn 716460
"$CLI" sell "$OUT" --date 01.10.2004 --name "Bayer AG" --wkn 575200 --qty 100 --price "23,80" --commission "12"

for f in kurse/*.txt; do
  name=$(head -n 1 "$f.name")
  "$CLI" import "$OUT" --name "$name" --input "$f" --format 2 >/dev/null
done
echo "$OUT geschrieben."
