// The sheet name list: unique names regardless of letter case, numbered new sheets, renames,
// deletions and cleaning of typed names.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUSheetNameList.h"

using namespace xlstest;

TEST(SheetNameList, NumbersNewSheetsAfterTheirRoot) {
  TSheetNameList fresh;
  EXPECT_EQ(fresh.AddUniqueName(u"Sheet"), u"Sheet");
  EXPECT_EQ(fresh.AddUniqueName(u"Sheet"), u"Sheet1");
  EXPECT_EQ(fresh.AddUniqueName(u"Sheet"), u"Sheet2");
  EXPECT_EQ(MessageOf([&] { fresh.Add(u"Sheet1"); }), "Sheet name already exists: Sheet1");

  // The template's sheet is added by name; numbering steps over it.
  TSheetNameList fromTemplate;
  fromTemplate.Add(u"Sheet1");
  EXPECT_EQ(fromTemplate.AddUniqueName(u"Sheet"), u"Sheet");
  EXPECT_EQ(fromTemplate.AddUniqueName(u"Sheet"), u"Sheet2");

  // A bare name that another root's numbered name already spells is not handed out twice.
  EXPECT_EQ(fresh.AddUniqueName(u"Sheet1"), u"Sheet11");
  EXPECT_EQ(fresh.AddUniqueName(u"sheet"), u"sheet3");
  EXPECT_EQ(fresh.Count(), 5);

  // The lowest free number comes back after a deletion.
  TSheetNameList gaps;
  for (int i = 0; i < 3; ++i) gaps.AddUniqueName(u"Sheet");
  gaps.DeleteSheet(u"Sheet1");
  EXPECT_EQ(gaps.AddUniqueName(u"Sheet"), u"Sheet1");
  EXPECT_EQ(gaps.AddUniqueName(u"Sheet"), u"Sheet3");
  gaps.DeleteSheet(u"Sheet");
  EXPECT_EQ(gaps.AddUniqueName(u"Sheet"), u"Sheet");
}

TEST(SheetNameList, NamesDifferingOnlyInCaseAreTheSameName) {
  TSheetNameList list;
  list.Add(u"Data");
  EXPECT_EQ(MessageOf([&] { list.Add(u"DATA"); }), "Sheet name already exists: DATA");
  list.Add(u"\u00C4rger");
  EXPECT_EQ(MessageOf([&] { list.Add(u"\u00E4RGER"); }), "Sheet name already exists: \u00E4RGER");
  list.Add(u"\u0394elta");
  EXPECT_EQ(MessageOf([&] { list.Add(u"\u03B4ELTA"); }), "Sheet name already exists: \u03B4ELTA");
  EXPECT_EQ(list.AddUniqueName(u"data"), u"data1");
}

TEST(SheetNameList, RenameAndDelete) {
  TSheetNameList list;
  for (auto name : {u"Zeta", u"Alpha1", u"Species", u"Sites"}) list.Add(name);
  // Shorter names come first; equal lengths compare by character.
  EXPECT_EQ(list[0], u"Zeta");
  EXPECT_EQ(list[1], u"Sites");

  list.Rename(u"Sites", u"Sites");
  EXPECT_EQ(MessageOf([&] { list.Rename(u"Sites", u"ZETA"); }), "Sheet name already exists: ZETA");
  EXPECT_EQ(MessageOf([&] { list.Rename(u"Nothing", u"Other"); }), "Sheet name already exists: Nothing");
  list.Rename(u"Sites", u"SITES");  // a change of case only
  list.Rename(u"Zeta", u"Omega");
  EXPECT_EQ(MessageOf([&] { list.Add(u"zeta"); list.Add(u"omega"); }), "Sheet name already exists: omega");
  list.DeleteSheet(u"Alpha1");
  EXPECT_EQ(MessageOf([&] { list.DeleteSheet(u"Alpha1"); }), "Sheet name already exists: Alpha1");
  std::vector<WideString> names;
  for (Integer i = 0; i < list.Count(); ++i) names.push_back(list[i]);
  EXPECT_EQ(names, (std::vector<WideString>{u"zeta", u"Omega", u"SITES", u"Species"}));
}

TEST(SheetNameList, MakeValidSheetName) {
  EXPECT_EQ(TSheetNameList::MakeValidSheetName(u"Q1/Q2: [plan]"), u"Q1_Q2. _plan_");
  EXPECT_EQ(TSheetNameList::MakeValidSheetName(u"a\\b?c*d"), u"a_b_c_d");
  EXPECT_EQ(TSheetNameList::MakeValidSheetName(WideString(40, u'x')).size(), 31u);
}
