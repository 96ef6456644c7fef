#!/usr/bin/env bash
# Measures every example report over a 10,000-cell demo network against the
# database floor: the same SQL replayed by the sqlite3 program.
#
# For each row of examples/reports/catalogue.tsv (configuration, class, instances):
#   1. a batch with --trace-sql captures every SQL text the report runs, after
#      the connection's set-up;
#   2. the floor: that SQL replayed by sqlite3 (read-only, tab output to /dev/null);
#   3. timed batches with -j 1 (peak memory from /usr/bin/time -v) and -j 2,
#      and a -j 1 batch over a 1,000-cell network for the scaling figures;
#      each of these and the floor is the fastest of BENCH_REPEATS runs
#      (default 5; the peak memory is the largest), each into an empty folder;
#   4. where a PostgreSQL server is installed: the same -j 1 batch against a
#      throwaway server (scripts/postgres.sh) holding the same network, run as
#      the report role over the server's socket, run once ("-" when there is
#      no server), with the round trips per instance its --stats counts;
#   5. for the LAF and cell batches (LATENCY_CLASSES), the same batch at -j 1
#      and -j 8 through bench/latency_relay.cpp, which holds every packet for
#      1 ms each way between the tool and the server (a server at a distance);
#   6. the cell report's batch again with --workbook: the generated workbooks,
#      and workbooks filled from the templates folder BENCH_TEMPLATES (default
#      examples/templates) when it holds the cell report's template; in these
#      rows the floor is the same batch without workbooks, and what a workbook
#      adds per instance at -j 1 is printed below the table;
#   7. the cell report's batch into a folder on disk, where the batch
#      journal's flushes reach the disk; its floor is the same batch by the
#      tool BENCH_BASELINE (a build without the journal) when given, else the
#      same batch into memory.
# Prints one row per report class and writes the table to bench/results.md.
#
# Usage: bench/run.sh [CELLS]   (default 10000; the small network has CELLS/10)
# BENCH_ONLY=REGEX measures only the classes it matches (bench/results.md is
# then left as it is; "workbook" selects the workbook rows, "disk" the on-disk
# row); BENCH_PG=0 leaves
# PostgreSQL out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
cells=${1:-10000}
small=$((cells / 10))

command -v /usr/bin/time >/dev/null || { apt-get update -qq && apt-get install -y -qq time >/dev/null; }
command -v sqlite3 >/dev/null || { apt-get update -qq && apt-get install -y -qq sqlite3 >/dev/null; }
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTARNEL_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target tarnel-report tarnel_latency_relay >/dev/null
tool=$root/build-release/tarnel-report
relay=$root/build-release/tarnel_latency_relay
latency_classes=${LATENCY_CLASSES:-^(TarnelLAFReport|TarnelCellReport)$}
latency_ms=1

work=$(mktemp -d /tmp/tarnel-bench-XXXXXX)
# Report files go to memory (/dev/shm when present), so that the figures are
# the tool's and not the disk's cost of creating 20,000 files.
outroot=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo /tmp )/tarnel-bench-out-XXXXXX")
pgdir=""
relaypid=""
cleanup() {
  [ -n "$relaypid" ] && kill "$relaypid" 2>/dev/null
  [ -n "$pgdir" ] && scripts/postgres.sh stop "$pgdir"
  rm -rf "$work" "$outroot"
}
trap cleanup EXIT
"$tool" demo-db "$work/big.db" --cells "$cells" --seed 1 >/dev/null
"$tool" demo-db "$work/small.db" --cells "$small" --seed 1 >/dev/null
pguri=""
if [ "${BENCH_PG:-1}" != 0 ] && ls -d /usr/lib/postgresql/*/bin >/dev/null 2>&1; then
  pgdir=$(mktemp -d /tmp/tarnel-bench-pg-XXXXXX)
  pgenv=$(scripts/postgres.sh start "$pgdir")
  eval "$pgenv"
  "$tool" demo-db "$TARNEL_PG_OWNER_URI" --cells "$cells" --seed 1 >/dev/null
  pguri=$TARNEL_PG_URI
  # The relay listens on a loopback port and passes each connection on to
  # the server's socket; it ends by itself after two hours at the latest.
  "$relay" --to "$pgdir/.s.PGSQL.5432" --delay-ms "$latency_ms" --seconds 7200 >"$work/relay.port" &
  relaypid=$!
  for ((i = 0; i < 50; i++)); do [ -s "$work/relay.port" ] && break; sleep 0.1; done
  credentials=${pguri#postgresql://}
  credentials=${credentials%%@*}
  faruri="postgresql://$credentials@127.0.0.1:$(cat "$work/relay.port")/tarnel?sslmode=disable"
fi

repeats=${BENCH_REPEATS:-5}

# seconds (from the shell's clock) and peak resident KiB (from /usr/bin/time
# -v) of one run of a command; its output goes to $work/stdout
once() {
  local start end
  start=$EPOCHREALTIME
  /usr/bin/time -v "$@" >"$work/stdout" 2>"$work/time" || true
  end=$EPOCHREALTIME
  awk -F': ' -v a="$start" -v b="$end" '/Maximum resident set size/ { printf "%.4f %d\n", b - a, $2 }' "$work/time"
}

# the fastest time and the largest peak of $repeats runs of a command; with
# --fresh DIR first, DIR is emptied before each run (outside the timing)
measure() {
  local fresh="" best="" peak=0 secs rss
  if [ "$1" = --fresh ]; then fresh=$2; shift 2; fi
  for ((r = 0; r < repeats; r++)); do
    [ -n "$fresh" ] && rm -rf "$fresh" && mkdir -p "$fresh"
    read -r secs rss < <(once "$@")
    best=$(awk -v a="$best" -v b="$secs" 'BEGIN { print (a == "" || b < a) ? b : a }')
    peak=$((rss > peak ? rss : peak))
  done
  echo "$best $peak"
}

batch() {  # db config class instances jobs out [extra...]: prints the tool's command
  local db=$1 config=$2 class=$3 instances=$4 jobs=$5 out=$6
  shift 6
  printf '%s\0' "$tool" batch --db "$db" --config "examples/reports/$config" \
    --queries examples/queries/common.xml --class "$class" --instances "$instances" -j "$jobs" \
    --out "$out" "$@"
}
timed() {  # measure the batch command built from the arguments, each run into an empty folder
  local -a cmd
  mapfile -d '' cmd < <(batch "$@")
  measure --fresh "$6" "${cmd[@]}"
}

machine="$(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB, $(lscpu | awk -F': *' '/Model name/ {print $2; exit}')"
header="| class | instances | seconds | instances/s | floor s | run/floor | peak RSS MiB | RSS 10x/1x | time 10x/1x | -j 2 speed-up | PostgreSQL s | PostgreSQL/SQLite | round trips per instance | ${latency_ms} ms -j 1 s | ${latency_ms} ms -j 8 s |"
rule="|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
rows=()
printf '%s\n%s\n' "$header" "$rule"
while IFS=$'\t' read -r config class instances _title; do
  [[ -z "$config" || "$config" == \#* ]] && continue
  [[ -n "${BENCH_ONLY:-}" && ! "$class" =~ $BENCH_ONLY ]] && continue
  trace="$work/trace.sql"
  rm -f "$trace"
  (repeats=1; timed "$work/big.db" "$config" "$class" "$instances" 1 "$outroot/out" --trace-sql "$trace" >/dev/null)
  # The trace starts with the connection's set-up (TEMP tables in memory, the
  # page cache, the user_Tab_columns view the reports probe), so the floor
  # runs with the same set-up as the tool.
  read -r floor _ < <(measure sqlite3 -readonly -batch -bail -cmd ".mode tabs" -cmd ".output /dev/null" "$work/big.db" ".read $trace")
  read -r secs rss < <(timed "$work/big.db" "$config" "$class" "$instances" 1 "$outroot/out")
  count=$(awk '{print $1 + $3 + $5 + $7}' "$work/stdout")
  read -r secs2 _ < <(timed "$work/big.db" "$config" "$class" "$instances" 2 "$outroot/out")
  read -r ssecs srss < <(timed "$work/small.db" "$config" "$class" "$instances" 1 "$outroot/out")
  pgsecs=- trips=- far1=- far8=-
  if [ -n "$pguri" ]; then
    read -r pgsecs _ < <(repeats=1; timed "$pguri" "$config" "$class" "$instances" 1 "$outroot/out" --stats)
    trips=$(awk '/^per instance:/ {print $5}' "$work/stdout")
    if [[ "$class" =~ $latency_classes ]]; then
      read -r far1 _ < <(repeats=1; timed "$faruri" "$config" "$class" "$instances" 1 "$outroot/out")
      read -r far8 _ < <(repeats=1; timed "$faruri" "$config" "$class" "$instances" 8 "$outroot/out")
    fi
  fi
  row=$(awk -v c="$class" -v n="$count" -v s="$secs" -v f="$floor" -v r="$rss" -v s2="$secs2" \
            -v ss="$ssecs" -v sr="$srss" -v pg="$pgsecs" -v rt="$trips" -v f1="$far1" -v f8="$far8" 'BEGIN {
    printf "| %s | %d | %.3f | %.0f | %.3f | %.2f | %.1f | %.2f | %.1f | %.2f |", c, n, s,
           (s > 0 ? n / s : 0), f, (f > 0 ? s / f : 0), r / 1024, (sr > 0 ? r / sr : 0),
           (ss > 0 ? s / ss : 0), (s2 > 0 ? s / s2 : 0)
    if (pg == "-") printf " - | - |"; else printf " %.2f | %.1f |", pg, (s > 0 ? pg / s : 0)
    printf " %s |", rt
    if (f1 == "-") printf " - | - |"; else printf " %.2f | %.2f |", f1, f8 }')
  echo "$row"
  rows+=("$row")
done < examples/reports/catalogue.tsv

# The cell report with its workbooks: the batch without them is the floor.
templates=${BENCH_TEMPLATES:-examples/templates}
notes=()
workbook_row() {  # label, then the workbook options
  local label=$1 base secs rss secs2 ssecs srss count row
  shift
  read -r base _ < <(timed "$work/big.db" cell/cell.xml TarnelCellReport all 1 "$outroot/out")
  read -r secs rss < <(timed "$work/big.db" cell/cell.xml TarnelCellReport all 1 "$outroot/out" "$@")
  count=$(awk '{print $1 + $3 + $5 + $7}' "$work/stdout")
  read -r secs2 _ < <(timed "$work/big.db" cell/cell.xml TarnelCellReport all 2 "$outroot/out" "$@")
  read -r ssecs srss < <(timed "$work/small.db" cell/cell.xml TarnelCellReport all 1 "$outroot/out" "$@")
  row=$(awk -v c="$label" -v n="$count" -v s="$secs" -v f="$base" -v r="$rss" -v s2="$secs2" \
            -v ss="$ssecs" -v sr="$srss" 'BEGIN {
    printf "| %s | %d | %.3f | %.0f | %.3f | %.2f | %.1f | %.2f | %.1f | %.2f | - | - | - | - | - |", c, n, s,
           (s > 0 ? n / s : 0), f, (f > 0 ? s / f : 0), r / 1024, (sr > 0 ? r / sr : 0),
           (ss > 0 ? s / ss : 0), (s2 > 0 ? s / s2 : 0) }')
  echo "$row"
  rows+=("$row")
  notes+=("$(awk -v c="$label" -v n="$count" -v s="$secs" -v f="$base" \
                'BEGIN { printf "%s: a workbook adds %.2f ms per instance at -j 1.", c, (n > 0 ? (s - f) * 1000 / n : 0) }')")
}
if [[ -z "${BENCH_ONLY:-}" || "workbook" =~ $BENCH_ONLY ]]; then
  workbook_row "TarnelCellReport --workbook" --workbook
  if ls "$templates"/CellParameters.* >/dev/null 2>&1; then
    workbook_row "TarnelCellReport --workbook --templates" --workbook --templates "$(cd "$templates" && pwd)"
  else
    notes+=("No workbook row with templates: $templates holds no CellParameters template.")
  fi
  printf '%s\n' "${notes[@]}"
fi

# The cell report's batch with its out folder on disk, where the journal's
# flushes (syncfs about once a second, and at the end) reach a disk. Its
# floor: the same batch by BENCH_BASELINE, a tool built without the journal,
# when given (the two alternate, so that neither gets the disk's quieter
# moments); otherwise the same batch into memory. Each run starts into an
# empty folder after a sync and a second's pause, so that no run pays for the
# write-back of the one before. A disk's times scatter more than memory's:
# the row shows the medians.
disk_row() {
  local disk=$work/disk-out label="TarnelCellReport, out folder on disk" r count row
  local -a cmd ours=() theirs=()
  mapfile -d '' cmd < <(batch "$work/big.db" cell/cell.xml TarnelCellReport all 1 "$disk")
  ondisk() {
    rm -rf "$disk" && mkdir -p "$disk" && sync && sleep 1
    once "$@" | cut -d' ' -f1
  }
  for ((r = 0; r < repeats; r++)); do
    [ -n "${BENCH_BASELINE:-}" ] && theirs+=("$(ondisk "$BENCH_BASELINE" "${cmd[@]:1}")")
    ours+=("$(ondisk "${cmd[@]}")")
  done
  count=$(awk '{print $1 + $3 + $5 + $7}' "$work/stdout")
  if [ -n "${BENCH_BASELINE:-}" ]; then
    notes+=("The on-disk row's floor is the same batch by $BENCH_BASELINE, a build without the batch journal; fastest of $repeats runs: $(fastest_median "${ours[@]}" | cut -d' ' -f1) s with the journal, $(fastest_median "${theirs[@]}" | cut -d' ' -f1) s without.")
  else
    read -r secs _ < <(timed "$work/big.db" cell/cell.xml TarnelCellReport all 1 "$outroot/out")
    theirs=("$secs")
    notes+=("The on-disk row's floor is the same batch into memory.")
  fi
  row=$(awk -v c="$label" -v n="$count" -v s="$(fastest_median "${ours[@]}" | cut -d' ' -f2)" \
            -v f="$(fastest_median "${theirs[@]}" | cut -d' ' -f2)" 'BEGIN {
    printf "| %s | %d | %.3f | %.0f | %.3f | %.2f | - | - | - | - | - | - | - | - | - |", c, n, s,
           (s > 0 ? n / s : 0), f, (f > 0 ? s / f : 0) }')
  echo "$row"
  rows+=("$row")
  rm -rf "$disk"
}
# "fastest median" of the times given
fastest_median() {
  printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f %.3f\n", t[1], (NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2) }'
}
if [[ -z "${BENCH_ONLY:-}" || "disk" =~ $BENCH_ONLY ]]; then
  disk_row
  echo "${notes[-1]}"
fi

if [ -n "${BENCH_ONLY:-}" ]; then
  echo "BENCH_ONLY is set: bench/results.md left as it was"
  exit 0
fi
{
  echo "# Benchmark results"
  echo
  echo "Made by \`bench/run.sh $cells\` on $(date -u +%Y-%m-%d): $machine."
  echo "Each row: a batch over every instance of the report's entity in a $cells-cell demo network"
  echo "(Release build, -j 1, report files written to memory, the fastest of $repeats runs); the floor is the same SQL replayed by"
  echo "sqlite3 (procedure calls as their statements); RSS and time 10x/1x compare with the same"
  echo "batch over a $small-cell network; the speed-up is -j 1 time over -j 2 time. PostgreSQL: the"
  echo "same -j 1 batch against a local PostgreSQL server (socket, report role) holding the same"
  echo "network, its time over SQLite's, and the round trips per instance its \`--stats\` counts."
  echo "The last two columns: the LAF and cell batches against that server through"
  echo "\`bench/latency_relay.cpp\`, ${latency_ms} ms each way (a server at a distance), at -j 1 and -j 8."
  echo
  echo "$header"
  echo "$rule"
  printf '%s\n' "${rows[@]}"
  echo
  echo "The --workbook rows run the cell report's batch again with its workbooks (templates from"
  echo "$templates where given); their floor is the same batch without workbooks. The on-disk row"
  echo "writes the cell report's files to a folder on disk, where the batch journal's flushes reach"
  echo "the disk, each run after a sync and a second's pause; its times are the medians of $repeats runs."
  echo
  printf '%s\n' "${notes[@]}"
} > bench/results.md
echo "wrote bench/results.md"
