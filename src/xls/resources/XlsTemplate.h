// The empty-workbook template built into the program (empty_workbook.xls beside this header).
#pragma once

#include <string>

// The bytes of the compound file: one empty worksheet "Sheet1".
const std::string& XlsEmptyWorkbookTemplate();
