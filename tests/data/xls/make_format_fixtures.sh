#!/bin/sh
# Makes cell_formats.xls from its source beside this script with LibreOffice Calc headless. Run
# by hand when a source changes; the workbooks are committed and no build runs this.
#   cell_formats.fods: centred, right-aligned and top-aligned cells; thin, medium, dashed and
#     double borders; a cell with the downward diagonal, one with both diagonals; a solid fill.
set -e
cd "$(dirname "$0")"
profile="file:///tmp/lo_profile_fixtures_$$"
soffice -env:UserInstallation="$profile" --headless --convert-to xls:"MS Excel 97" cell_formats.fods
rm -rf "/tmp/lo_profile_fixtures_$$"
