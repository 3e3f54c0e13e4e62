#!/bin/sh
# Makes cell_formats.xls and formatted_empty_rows.xls from the sources beside this script with
# LibreOffice Calc headless. Run by hand when a source changes; the workbooks are committed and
# no build runs this.
#   cell_formats.fods: centred, right-aligned and top-aligned cells; thin, medium, dashed and
#     double borders; a cell with the downward diagonal, one with both diagonals; a solid fill.
#   formatted_empty_rows.fods: numbers in A1:D17, then rows 18 to 1500 with a height and a cell
#     style but no values.
set -e
cd "$(dirname "$0")"
profile="file:///tmp/lo_profile_fixtures_$$"
soffice -env:UserInstallation="$profile" --headless --convert-to xls:"MS Excel 97" \
  cell_formats.fods formatted_empty_rows.fods
rm -rf "/tmp/lo_profile_fixtures_$$"
