#!/usr/bin/env python3
"""Makes the formula fixtures with LibreOffice Calc headless.

formulas.fods is written by hand. functions.fods holds one formula per worksheet function of
the workbook engine's table (the names and smallest argument counts are read from
src/xls/vavXlsFormulaMessages.cpp), written in Excel's own formula syntax (the "msoxl:"
namespace), so LibreOffice stores each with the function number it knows for that name.
Both are converted to Excel 97-2003 workbooks beside this script:

    python3 make_formula_fixtures.py
"""
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TABLE = os.path.join(HERE, "..", "..", "..", "src", "xls", "vavXlsFormulaMessages.cpp")

HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" \
xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" \
xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" \
xmlns:msoxl="http://schemas.microsoft.com/office/excel/formula" office:version="1.2" \
office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:body>
  <office:spreadsheet>
   <table:table table:name="Functions">
"""
TAIL = """   </table:table>
  </office:spreadsheet>
 </office:body>
</office:document>
"""


def functions():
    entry = re.compile(r'\{(\d+), "([A-Z0-9.]+)", (\d+), (\d+), (?:true|false), TFmReturnType::\w+, "([^"]*)"\}')
    with open(TABLE, encoding="utf-8") as f:
        for m in entry.finditer(f.read()):
            yield m.group(2), int(m.group(3)), int(m.group(4)), m.group(5)


def argument(letter):
    # A reference where the function wants one, else a number.
    return "A1:A2" if letter == "R" else "{1,2}" if letter == "A" else "1"


def write_functions(path):
    rows = []
    for name, low, high, params in functions():
        count = low if low > 0 or high == 0 else 1
        letters = [params[min(i, len(params) - 1)] if params not in ("", "-") else "V" for i in range(count)]
        formula = "=%s(%s)" % (name, ",".join(argument(l) for l in letters))
        rows.append(
            '    <table:table-row><table:table-cell office:value-type="string"><text:p>%s</text:p>'
            '</table:table-cell><table:table-cell table:formula="msoxl:%s"><text:p/></table:table-cell>'
            "</table:table-row>\n" % (name, formula.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;")))
    with open(path, "w", encoding="utf-8") as f:
        f.write(HEAD + "".join(rows) + TAIL)


def main():
    write_functions(os.path.join(HERE, "functions.fods"))
    profile = "file:///tmp/lo_profile_formula_fixtures"
    subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless", "--convert-to",
                    "xls:MS Excel 97", "--outdir", HERE,
                    os.path.join(HERE, "formulas.fods"), os.path.join(HERE, "functions.fods")], check=True)


if __name__ == "__main__":
    sys.exit(main())
