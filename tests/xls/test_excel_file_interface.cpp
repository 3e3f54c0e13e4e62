// The format-neutral workbook interface: a file class answers only what it implements; any
// other operation fails loudly with the abstract-call error instead of doing nothing.
#include <gtest/gtest.h>

#include "xls/vavUExcelAdapter.h"

namespace {

class TOneSheetFile : public TExcelFile {
 public:
  Integer SheetCount() override { return 1; }
};

TEST(ExcelFileInterface, UnimplementedOperationsRaiseTheAbstractCallError) {
  TOneSheetFile file;
  TExcelFile& f = file;
  EXPECT_EQ(f.SheetCount(), 1);
  EXPECT_THROW(f.Connect(), EAbstractError);
  EXPECT_THROW(f.GetCellValue(1, 1), EAbstractError);
  EXPECT_THROW(f.SetCellString(1, 1, u"x", "", ""), EAbstractError);
  try {
    f.OpenFile("book.xls");
    FAIL() << "OpenFile did not raise";
  } catch (const EAbstractError& e) {
    EXPECT_STREQ(e.what(), "Abstract Error");
  }
  TExcelAdapter adapter(nullptr);
  EXPECT_THROW(adapter.GetWorkbook(), EAbstractError);
}

}  // namespace
