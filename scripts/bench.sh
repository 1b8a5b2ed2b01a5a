#!/usr/bin/env bash
# Builds the programs optimised (no sanitizers), generates the large 30-year portfolio and
# prints each figure of the speed and memory goals against its goal: the command-line tool
# as whole processes (the best of three runs, peak resident memory of all), the desktop
# program through the offscreen platform (bench/DesktopBench.cpp).
#   scripts/bench.sh            the summary
#   scripts/bench.sh --micro …  the Google Benchmark suites (bench/PortfolioBench.cpp, CliDumpBench.cpp)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=build-bench
cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAPIBUCH_BENCH=ON -DKAPIBUCH_TESTS=OFF >/dev/null
if [ "${1:-}" = "--micro" ]; then
  shift
  cmake --build $build -j2 --target portfolio_bench cli_dump_bench
  ./$build/bench/portfolio_bench "$@"
  exec ./$build/bench/cli_dump_bench
fi
cmake --build $build -j2 --target kapibuch-cli desktop_bench make_portfolio import_bench undo_bench >/dev/null

file=$build/large.kpz
[ -f "$file" ] || ./$build/bench/make_portfolio "$file"
cli=./$build/src/kapibuch-cli
export KAPIBUCH_TODAY=31.12.2024 QT_QPA_PLATFORM=offscreen LC_ALL=C
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0

# verdict VALUE GOAL: "ok" when VALUE <= GOAL
verdict() { awk -v v="$1" -v g="$2" 'BEGIN { print (v <= g) ? "ok" : "MISSED" }'; }

line() {  # what, value, unit, goal
  local v
  v=$(verdict "$2" "$4")
  [ "$v" = ok ] || failed=1
  printf '%-52s %9s %-3s  goal <= %-6s %s\n' "$1" "$2" "$3" "$4" "$v"
}

# process NAME TIME_GOAL_S MEM_GOAL_MB COMMAND...: the best wall time of three runs.
process() {
  local name=$1 tgoal=$2 mgoal=$3 best="" peak=0 t m
  shift 3
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$scratch/time" "$@" >/dev/null 2>"$scratch/err" || {
      echo "$name: failed"; cat "$scratch/err"; exit 1; }
    read -r t m <"$scratch/time"
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    [ "$m" -gt "$peak" ] && peak=$m
  done
  line "$name" "$best" s "$tgoal"
  [ "$mgoal" = - ] || line "  peak memory" "$((peak / 1024))" MB "$mgoal"
}

echo "kapibuch-cli on $(du -h "$file" | cut -f1) ($file):"
all=(--from 01.01.1995 --to 31.12.2024)
process "show --mode 1 (open + holdings)" 0.15 - $cli show "$file" --mode 1
process "show --mode 2, 30 years, CSV" 1.5 150 $cli show "$file" --mode 2 "${all[@]}" --format csv
process "show --mode 2, 30 years, JSON" 3 150 $cli show "$file" --mode 2 "${all[@]}" --format json
process "show --mode 5, 30 years" 0.25 - $cli show "$file" --mode 5 "${all[@]}"
process "show --mode 6, 30 years" 0.25 - $cli show "$file" --mode 6 "${all[@]}"
process "show --mode 7" 0.25 - $cli show "$file" --mode 7
process "show --mode 8 (returns), 30 years" 0.3 - $cli show "$file" --mode 8 "${all[@]}"
process "show --mode 9 (yearly overview), 30 years" 0.3 - $cli show "$file" --mode 9 "${all[@]}"
process "render --mode 7 (PDF)" 2 - $cli render "$file" --mode 7 --output "$scratch/7.pdf"
process "render --mode 2, one year (PDF)" 2 - \
  $cli render "$file" --mode 2 --from 01.01.2024 --to 31.12.2024 --output "$scratch/2.pdf"

echo "price import:"
./$build/bench/import_bench --write-daily "$scratch/daily.csv" 30
$cli new "$scratch/empty.kpz" --start 01.01.1995 --balance 0 --currency EUR >/dev/null
$cli buy "$scratch/empty.kpz" --date 02.01.1995 --name Aktie --wkn A1 --qty 1 --price 1 --commission 0 >/dev/null
# Every run imports into a fresh copy: loading, lock, backup and save each time.
process "import --auto, 30 years daily ($(du -h "$scratch/daily.csv" | cut -f1))" 0.15 - bash -c \
  "cp '$scratch/empty.kpz' '$scratch/import.kpz' && exec $cli import '$scratch/import.kpz' --name Aktie --input '$scratch/daily.csv' --auto"
./$build/bench/import_bench >"$scratch/import"
line "assistant preview, $(awk '$1 == "assistant_preview_bytes" { printf "%.1f MB", $2 / 1e6 }' "$scratch/import") file" \
  "$(awk '$1 == "assistant_preview_ms" { printf "%.0f", $2 }' "$scratch/import")" ms 200

echo "prices from the internet (a server on 127.0.0.1):"
upd=$scratch/update
mkdir -p "$upd/www"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$upd/www" >"$upd/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$scratch"' EXIT
port=""
for _ in $(seq 50); do
  port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$upd/server.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
export KAPIBUCH_SETTINGS=$upd/settings.ini
$cli new "$upd/depot.kpz" --start 01.01.2024 --balance 0 --currency EUR >/dev/null
for i in $(seq 50); do
  $cli buy "$upd/depot.kpz" --date 02.01.2024 --name "Aktie $i" --wkn "W$i" --qty 1 --price 10 --commission 0 >/dev/null
  $cli price "$upd/depot.kpz" --date 01.12.2024 --wkn "W$i" --price 10 >/dev/null
  $cli source set --wkn "W$i" --url "http://127.0.0.1:$port/{WKN}.csv?von={VON:JJJJ-MM-TT}"
  # 30 new days each, as a Yahoo-style download.
  { echo "Date,Open,High,Low,Close,Adj Close,Volume"
    for d in $(seq 2 31); do printf '2024-12-%02d,1,1,1,%d.%02d,1,100\n' "$d" "$((10 + i))" "$d"; done
  } >"$upd/www/W$i.csv"
done
process "update-prices, 50 securities x 30 new days" 3 - bash -c \
  "cp '$upd/depot.kpz' '$upd/run.kpz' && exec $cli update-prices '$upd/run.kpz'"
cp "$upd/depot.kpz" "$upd/check.kpz"
[ "$($cli update-prices "$upd/check.kpz" | grep -c ': 30 Kurse$')" = 50 ] || {
  echo "update-prices: not every security got its 30 prices"; failed=1; }
kill $server
unset KAPIBUCH_SETTINGS

echo "undo and redo (100 movements booked through their form):"
./$build/bench/undo_bench "$file" >"$scratch/undo"
undo() { awk -v k="$1" '$1 == k { print $2 }' "$scratch/undo"; }
line "slowest undo" "$(undo undo_slowest_ms)" ms 100
line "slowest redo" "$(undo redo_slowest_ms)" ms 100
line "memory of the 100 steps (resident set growth)" "$(undo rss_growth_100_steps_mb)" MB 300

echo "desktop (offscreen):"
./$build/bench/desktop_bench "$file" >"$scratch/desktop"
value() { awk -v k="$1" '$1 == k { print $2 }' "$scratch/desktop"; }
ms_to_s() { awk -v v="$1" 'BEGIN { printf "%.2f", v / 1000 }'; }
line "start until the holdings window shows" "$(ms_to_s "$(value start_until_holdings_ms)")" s 0.3
line "switch to Kontobewegungen" "$(value switch_to_account_ms)" ms 100
line "open the sell dialog" "$(value open_sell_dialog_ms)" ms 100
line "development preview ($(value development_preview_pages) pages): first page" \
  "$(ms_to_s "$(value development_preview_first_page_ms)")" s 1
line "  memory while the preview shows" "$(value preview_open_rss_mb)" MB 300
line "  memory after it closed (every view shown once)" "$(value rss_after_preview_closed_mb)" MB 300
line "peak memory of the desktop program" "$(value peak_rss_mb)" MB 300
line "window held up by a recovery copy (slowest of 10)" "$(value recovery_copy_window_wait_ms)" ms 100
echo "other views (no goal of their own):"
grep '^switch_to' "$scratch/desktop" | grep -v account | sed 's/^/  /'
exit $failed
