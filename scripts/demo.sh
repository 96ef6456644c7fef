#!/usr/bin/env bash
# Builds the tool, writes a demo network database and runs one report on it,
# then shows the report text and its steering data, and says where the
# finished workbook is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p out
build/tarnel-report demo-db out/demo.db --cells 60 --seed 7
build/tarnel-report run --db out/demo.db \
  --config examples/reports/instance/cch_reselection.xml \
  --queries examples/queries/common.xml \
  --class TarnelCCHReselectionReport --instance 1000004 --out out --workbook
echo "--- out/cch_reselection_1000004.txt"
cat out/cch_reselection_1000004.txt
echo "--- out/cch_reselection_1000004.steering.json"
cat out/cch_reselection_1000004.steering.json
echo "--- out/cch_reselection_1000004.xlsx"
echo "The finished report as a workbook: open $(pwd)/out/cch_reselection_1000004.xlsx"
echo "with a spreadsheet application (docs/workbooks.md says what it holds)."
