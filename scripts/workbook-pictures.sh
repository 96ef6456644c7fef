#!/usr/bin/env bash
# Remakes the pictures of docs/workbooks.md: the generated workbooks of a cell
# report and of a series-2 diagram on the demo network, printed by LibreOffice
# (PDF) and turned into PNG by pdftoppm, each cut to its sheet's content:
#   docs/images/workbook-cell-report.png    the cell report's Report sheet
#   docs/images/workbook-series2-frame.png  frame 0 of a series-2 cell site
# Installs LibreOffice (libreoffice-calc-nogui) and poppler-utils when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
resolution=80

TARNEL_TEST_PACKAGES="libreoffice-calc-nogui poppler-utils" scripts/setup.sh >/dev/null
tool=$root/build/tarnel-report
work=$(mktemp -d /tmp/tarnel-pictures-XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"  # the title blocks name the database as given: demo.db
export SOURCE_DATE_EPOCH=1700000000 TZ=UTC
"$tool" demo-db demo.db --cells 60 --seed 7 >/dev/null
run() {  # configuration class instance
  "$tool" run --db demo.db --config "$root/examples/reports/$1" --queries "$root/examples/queries/common.xml" \
    --class "$2" --instance "$3" --out . --workbook
}
run cell/cell.xml TarnelCellReport 1000007
run series2/s2_cell_diagram.xml TarnelS2CellDiagramReport 1000004
soffice --headless -env:UserInstallation="file://$work/profile" --convert-to pdf --outdir . \
  cell_1000007.xlsx s2_cell_diagram_1000004.xlsx >/dev/null 2>&1

# picture PDF TEXT PNG: the first page of PDF that shows TEXT, cut below and
# right of its last word.
picture() {
  local pdf=$1 text=$2 png=$3 pages page size
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  for ((page = 1; page <= pages; page++)); do
    pdftotext -f "$page" -l "$page" "$pdf" - | grep -qF "$text" && break
  done
  [ "$page" -le "$pages" ] || { echo "workbook-pictures: no page of $pdf shows $text" >&2; exit 1; }
  size=$(pdftotext -f "$page" -l "$page" -bbox "$pdf" - |
         awk -v r="$resolution" -F'"' '/<word/ { if ($6 > x) x = $6; if ($8 > y) y = $8 }
                                       END { printf "%d %d", (x + 30) * r / 72, (y + 30) * r / 72 }')
  pdftoppm -f "$page" -l "$page" -r "$resolution" -png -singlefile -x 0 -y 0 \
    -W "${size% *}" -H "${size#* }" "$pdf" "${png%.png}"
  echo "wrote ${png#$root/}"
}
mkdir -p "$root/docs/images"
picture cell_1000007.pdf "cell: CELL00007" "$root/docs/images/workbook-cell-report.png"
picture s2_cell_diagram_1000004.pdf "Frame 0 of CELL00004" "$root/docs/images/workbook-series2-frame.png"
