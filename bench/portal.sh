#!/usr/bin/env bash
# Measures the report portal (tarnel-report serve) on a demo network of CELLS
# cells (default 10,000), from outside, with curl over loopback:
#   1. search: each query of a fixed list, with and without an entity, asked
#      SEARCH_REPEATS times (default 20) on one kept-alive connection; the
#      slowest and the median response (curl's time_total) and the server's
#      own search time (its Server-Timing header);
#   2. report pages: for every report of examples/reports/catalogue.tsv, the
#      first instance of its entity that the report writes, asked
#      PAGE_REPEATS times (default 5); the report's own run time and the
#      page's rendering (Server-Timing run and render), and what the request
#      took beyond the run, in the server (Server-Timing total) and at the
#      client (curl's time_total), median and slowest;
#   3. load: CLIENTS concurrent clients (default 50), each asking for
#      LOAD_REQUESTS report pages (default 40) in LOAD_ROUNDS rounds
#      (default 5); the answers by status (000: no answer) and the server's
#      resident memory after each round.
# Prints the figures; writes no file of the project.
#
# Usage: bench/portal.sh [CELLS]   (-j 2 workers and a queue of 16, the defaults)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
cells=${1:-10000}
search_repeats=${SEARCH_REPEATS:-20}
page_repeats=${PAGE_REPEATS:-5}
clients=${CLIENTS:-50}
load_requests=${LOAD_REQUESTS:-40}
load_rounds=${LOAD_ROUNDS:-5}

command -v curl >/dev/null || { apt-get update -qq && apt-get install -y -qq curl >/dev/null; }
command -v sqlite3 >/dev/null || { apt-get update -qq && apt-get install -y -qq sqlite3 >/dev/null; }
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTARNEL_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target tarnel-report >/dev/null
tool=$root/build-release/tarnel-report

work=$(mktemp -d /tmp/tarnel-portal-bench-XXXXXX)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
db=$work/network.db
"$tool" demo-db "$db" --cells "$cells" --seed 1 >/dev/null

"$tool" serve --db "$db" --reports examples/reports --queries examples/queries/common.xml \
  --listen 127.0.0.1:0 >"$work/serve.out" 2>"$work/serve.err" &
server=$!
for _ in $(seq 300); do grep -q "serving" "$work/serve.out" 2>/dev/null && break; sleep 0.1; done
url=$(sed -n 's/^tarnel-report: serving \([^ ]*\) .*/\1/p' "$work/serve.out")
[ -n "$url" ] || { cat "$work/serve.err"; exit 1; }
echo "portal: $(cat "$work/serve.out")"
echo "machine: $(nproc) cores, $(lscpu | awk -F': *' '/Model name/ {print $2; exit}')"
rss() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$server/status"; }
echo "resident memory after start: $(rss) MiB"

# milliseconds: median and maximum of a column of seconds
stats() { sort -g | awk '{ v[NR] = $1 * 1000 } END { printf "%.2f %.2f\n", v[int((NR + 1) / 2)], v[NR] }'; }

echo
echo "## Search ($search_repeats answers per query)"
echo "| query | entity | matches | median ms | slowest ms | server median ms | server slowest ms |"
echo "|---|---|---|---|---|---|---|"
for query in CELL0 cell04711 1004711 map-cell099 -V2 ecp 7 zzz; do
  for entity in "" Cell Antenna; do
    target="${url}search?q=$query&entity=$entity"
    args=()
    for _ in $(seq "$search_repeats"); do args+=(-o /dev/null -D - -w 'time %{time_total}\n' "$target"); done
    curl -s "${args[@]}" >"$work/search"
    total=$(curl -s "$target" | sed -n 's/.*"total":\([0-9]*\).*/\1/p')
    read -r med max < <(awk '/^time / {print $2}' "$work/search" | stats)
    read -r smed smax < <(sed -n 's/^Server-Timing: search;dur=\([0-9.]*\).*/\1/p' "$work/search" | awk '{print $1 / 1000}' | stats)
    echo "| $query | ${entity:-any} | $total | $med | $max | $smed | $smax |"
  done
done

echo
echo "## Report pages ($page_repeats runs each; run: the report's own run; server: the request's time in the"
echo "## server (Server-Timing total); client: curl's time_total; over run = minus the run)"
echo "| report | instance | run median ms | render median ms | server over run median ms | slowest | client over run median ms | slowest |"
echo "|---|---|---|---|---|---|---|---|"
while IFS=$'\t' read -r config class _instances _title; do
  [[ -z "$config" || "$config" == \#* ]] && continue
  name=$(basename "$config" .xml)
  entity=$(sed -n 's/.*<REPORT[^>]*Entity="\([^"]*\)".*/\1/p' "examples/reports/$config" | head -1)
  instance=""
  for id in $(sqlite3 "$db" "select instance_id from tnl_instance where entity = '$entity' order by instance_id limit 40"); do
    if curl -s "${url}report/$name/$id" | grep -q '>Workbook</a>'; then instance=$id; break; fi
  done
  [ -n "$instance" ] || { echo "| $name | none written in the first 40 | | | | | | |"; continue; }
  args=()
  for _ in $(seq "$page_repeats"); do args+=(-o /dev/null -D - -w 'time %{time_total}\n' "${url}report/$name/$instance"); done
  curl -s "${args[@]}" >"$work/page"
  # one line per response: run, render and total (ms, from Server-Timing), client (s)
  sed -n 's/^Server-Timing: run;dur=\([0-9.]*\), render;dur=\([0-9.]*\), total;dur=\([0-9.]*\).*/\1 \2 \3/p' "$work/page" |
    paste -d ' ' - <(awk '/^time / {print $2}' "$work/page") >"$work/pairs"
  read -r run _ < <(awk '{print $1 / 1000}' "$work/pairs" | stats)
  read -r render _ < <(awk '{print $2 / 1000}' "$work/pairs" | stats)
  read -r inserver inservermax < <(awk '{print ($3 - $1) / 1000}' "$work/pairs" | stats)
  read -r client clientmax < <(awk '{print $4 - $1 / 1000}' "$work/pairs" | stats)
  echo "| $name | $instance | $run | $render | $inserver | $inservermax | $client | $clientmax |"
done < examples/reports/catalogue.tsv

echo
echo "## Load: $clients clients at once, $load_requests report pages each, $load_rounds rounds"
echo "| round | answers | 200 | 503 | other | no answer | seconds | resident MiB after |"
echo "|---|---|---|---|---|---|---|---|"
ids=($(sqlite3 "$db" "select instance_id from tnl_instance where entity = 'Cell' order by instance_id limit 500"))
for round in $(seq "$load_rounds"); do
  start=$EPOCHREALTIME
  pids=()
  for c in $(seq "$clients"); do
    args=()
    for r in $(seq "$load_requests"); do
      args+=(-o /dev/null -w '%{http_code}\n' "${url}report/cell/${ids[$(((c * load_requests + r) % ${#ids[@]}))]}")
    done
    curl -s --max-time 120 "${args[@]}" >"$work/client.$c" 2>/dev/null &
    pids+=($!)
  done
  wait "${pids[@]}" || true
  end=$EPOCHREALTIME
  cat "$work"/client.* | awk -v round="$round" -v secs="$(awk -v a="$start" -v b="$end" 'BEGIN {print b - a}')" \
      -v mem="$(rss)" -v expected=$((clients * load_requests)) '
    { n++; s[$1]++ }
    END { printf "| %d | %d of %d | %d | %d | %d | %d | %.1f | %s |\n", round, n - s["000"], expected, s["200"],
          s["503"], n - s["200"] - s["503"] - s["000"], s["000"] + expected - n, secs, mem }'
  rm -f "$work"/client.*
done
echo
echo "peak resident memory: $(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$server/status") MiB"
