// Print settings: the values a new object holds and what Assign copies.
#include <gtest/gtest.h>

#include "classlib/Exceptions.h"
#include "grid/print/PrintSettings.h"

namespace {

TEST(PrintSettings, NewObjectHoldsTheStoredDefaults) {
  TPrintSettings s(nullptr);
  EXPECT_EQ(s.DateFormat, "dd/mm/yyyy");
  EXPECT_EQ(s.PageNumSep, "/");
  EXPECT_EQ(s.Borders, TPrintBorders::pbSingle);
  EXPECT_TRUE(s.Centered);
  EXPECT_TRUE(s.UseDisplayFont);
  EXPECT_EQ(s.FitToPage, fpNever);
  EXPECT_EQ(s.Title, ppNone);
  EXPECT_EQ(s.BorderColor, clBlack);
  EXPECT_FALSE(s.FFixedCellsAlways);
}

TEST(PrintSettings, AssignCopiesFontsAndTitleLinesByValue) {
  TPrintSettings source(nullptr), target(nullptr);
  source.Font()->SetName("Courier New");
  source.HeaderFont()->SetSize(14);
  source.TitleLines()->Add("Line one");
  source.PageNr = ppBottomRight;
  source.PagePrefix = "Page";
  source.BorderColor = clRed;
  source.FFixedCellsAlways = true;
  target.Assign(&source);
  source.Font()->SetName("Arial");
  source.TitleLines()->Add("Line two");

  EXPECT_EQ(target.Font()->Name(), "Courier New");
  EXPECT_EQ(target.HeaderFont()->Size(), 14);
  EXPECT_EQ(target.TitleLines()->Count(), 1);
  EXPECT_EQ(target.PageNr, ppBottomRight);
  EXPECT_EQ(target.PagePrefix, "Page");
  EXPECT_EQ(target.BorderColor, clRed);
  EXPECT_FALSE(target.FFixedCellsAlways);  // not a published setting
}

TEST(PrintSettings, AssignFromAnotherClassIsAnInvalidCast) {
  TPrintSettings target(nullptr);
  TFont font;
  EXPECT_THROW(target.Assign(&font), EInvalidCast);
}

}  // namespace
