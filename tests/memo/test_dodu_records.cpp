// The memo's paragraph records and store: plain and extra paragraph data, the line view,
// shared start attributes, style codes, and the store's blocks, offsets and pending range.
#include <gtest/gtest.h>

#include <string>

#include "classlib/Exceptions.h"
#include "memo/DoduSupport.h"
#include "memo/ParagraphStore.h"

namespace {

void Fill(TParagraphStore& Store, std::initializer_list<std::u16string> Texts) {
  for (const std::u16string& t : Texts) Store.Append(t.data(), static_cast<int>(t.size()));
}

void ExpectRangeError(const std::function<void()>& Action) {
  try {
    Action();
    ADD_FAILURE() << "no error raised";
  } catch (const ERangeError& e) {
    EXPECT_EQ(e.Message, "List index out of bounds");
  }
}

}  // namespace

TEST(DoduRecords, APlainParagraphIsOneLineWithoutExtraData) {
  TParagraphStore store;
  Fill(store, {u"hello"});
  ParInfo& par = store.ParInfoAt(0);
  par.LineWidth = 40;
  EXPECT_FALSE(par.ParState.Contains(ddpHasExtra));
  EXPECT_EQ(GetLineCount(par), 1);
  EXPECT_EQ(GetDynCount(par), 0);
  EXPECT_EQ(GetStartAttrib(par), DefaultAttrib());
  TLinesList lines(&par);
  EXPECT_EQ(lines.Get(0).Stop, 5);
  EXPECT_EQ(lines.Get(0).LineWidth, 40);
  ExpectRangeError([&] { lines.Get(1); });
  ExpectRangeError([&] { lines.Get(-1); });

  // Three lines: the extra data starts from the 16-bit length and width.
  lines.SetCount(3);
  ASSERT_TRUE(par.ParState.Contains(ddpHasExtra));
  LineInfo first = lines.Get(0);
  EXPECT_EQ(first.Start, 0);
  EXPECT_EQ(first.Stop, 5);
  EXPECT_EQ(first.LineWidth, 40);
  EXPECT_EQ(first.TotalWidth, 40);
  EXPECT_EQ(first.JustifyStart, 5);
  EXPECT_EQ(par.ParExtra->ParLength, 5);
  EXPECT_EQ(par.ParExtra->Foregnd, -1);
  EXPECT_EQ(lines.Count(), 3);
  LineInfo added;
  added.Start = 3;
  EXPECT_EQ(lines.Add(added), 3);
  EXPECT_EQ(lines.Get(3).Start, 3);
  lines.SetCount(0);  // below 1 counts as 1
  EXPECT_EQ(lines.Count(), 1);
}

TEST(DoduRecords, SharedStartAttributesLiveUntilTheLastParagraphReleasesThem) {
  TParagraphStore store;
  Fill(store, {u"a", u"b", u"c"});
  DynInfoRec scope;
  scope.DynStyle = kDynScope;
  scope.Level = 0;
  scope.Foregnd = 0x0000FF;
  ParInfo& a = store.ParInfoAt(0);
  ParInfo& b = store.ParInfoAt(1);
  SetStartAttrib(a, &scope, true);
  pDynInfoRec shared = GetStartAttrib(a);
  ASSERT_NE(shared, &scope);
  EXPECT_EQ(shared->DynOffset, 1);  // the copy's reference count
  SetStartAttrib(b, shared, false);
  EXPECT_EQ(shared->DynOffset, 2);
  SetStartAttrib(a, nullptr, false);  // back to the default
  EXPECT_EQ(GetStartAttrib(a), DefaultAttrib());
  EXPECT_EQ(shared->DynOffset, 1);
  EXPECT_EQ(GetStartAttrib(b)->Foregnd, 0x0000FF);
  SetStartAttrib(b, shared, false);  // the same copy again keeps it alive
  EXPECT_EQ(GetStartAttrib(b)->Foregnd, 0x0000FF);
  // A non-highlight gives the default; releasing the default frees nothing.
  DynInfoRec plain;
  SetStartAttrib(b, &plain, true);
  EXPECT_EQ(GetStartAttrib(b), DefaultAttrib());
  ReleaseAttrib(DefaultAttrib());
  ReleaseAttrib(nullptr);
  EXPECT_EQ(DefaultAttrib()->Foregnd, -1);
  EXPECT_EQ(DefaultAttrib()->Backgnd, -1);
  // A plain paragraph given a highlight gets extra data.
  EXPECT_FALSE(store.ParInfoAt(2).ParState.Contains(ddpHasExtra));
  SetStartAttrib(store.ParInfoAt(2), &scope, true);
  EXPECT_TRUE(store.ParInfoAt(2).ParState.Contains(ddpHasExtra));
}

TEST(DoduRecords, AttributeLevelsAndStyleCodes) {
  DynInfoRec a;
  a.Level = 3;
  a.CollpsLevel = 2;
  a.DynStyle = 0x80;
  EXPECT_EQ(ScopeLevel(a), -1);
  EXPECT_EQ(CollapseLevel(a), 2);
  a.DynStyle = 0xC1;
  EXPECT_EQ(ScopeLevel(a), 3);
  a.DynStyle = 0x01;
  EXPECT_EQ(CollapseLevel(a), 0);

  struct Case {
    char16_t code;
    Byte bit;
  };
  for (Case c : {Case{2, 0x01}, Case{1, 0x02}, Case{21, 0x04}, Case{3, 0x10}, Case{4, 0x20}}) {
    Byte style = 0x40;
    EXPECT_TRUE(ApplyStyleCode(style, c.code));
    EXPECT_EQ(style, 0x40 | c.bit) << int(c.code);
    EXPECT_TRUE(ApplyStyleCode(style, c.code));  // twice: as it was
    EXPECT_EQ(style, 0x40) << int(c.code);
  }
  Byte style = 0;
  EXPECT_FALSE(ApplyStyleCode(style, u'a'));
  EXPECT_FALSE(ApplyStyleCode(style, 5));
  EXPECT_EQ(style, 0);
  const char16_t text[] = u"abc";
  EXPECT_EQ(ScanChar(text, u'c'), text + 2);
  EXPECT_EQ(ScanChar(text, u'x'), nullptr);
  EXPECT_EQ(Clamp255(0x263A), 255);
  EXPECT_EQ(Clamp255(u'z'), 'z');
}

TEST(DoduRecords, ShiftStartLinesWalksEveryBlock) {
  TParagraphStore store;
  for (int i = 0; i < 2 * TParagraphStore::kBlockItems + 5; ++i) store.Append(u"x", 1);
  for (int i = 0; i < store.Count(); ++i) store.ParInfoAt(i).StartLine = i;
  store.ShiftStartLines(1819, 10);
  EXPECT_EQ(store.ParInfoAt(1818).StartLine, 1818);
  EXPECT_EQ(store.ParInfoAt(1819).StartLine, 1829);
  EXPECT_EQ(store.ParInfoAt(1820).StartLine, 1830);
  EXPECT_EQ(store.ParInfoAt(store.Count() - 1).StartLine, store.Count() - 1 + 10);
  store.ShiftStartLines(store.Count(), 5);  // past the end: nothing
  EXPECT_EQ(store.ParInfoAt(store.Count() - 1).StartLine, store.Count() - 1 + 10);
  ExpectRangeError([&] { store.ParInfoAt(store.Count()); });
  ExpectRangeError([&] { store.ParInfoAt(-1); });
}

TEST(DoduRecords, OffsetsCountTwoPositionsPerBreak) {
  TParagraphStore store;
  Fill(store, {u"abc", u"", u"defg"});
  EXPECT_EQ(store.ParInfoAt(1).StartOffset, 5);
  EXPECT_EQ(store.ParInfoAt(2).StartOffset, 7);
  EXPECT_EQ(store.TextLength, 11);
  store.Insert(1, u"XY", 2);
  EXPECT_EQ(store.ParInfoAt(1).StartOffset, 5);
  EXPECT_EQ(store.ParInfoAt(2).StartOffset, 9);
  EXPECT_EQ(store.ParInfoAt(3).StartOffset, 11);
  EXPECT_EQ(std::u16string(store.ParInfoAt(3).ParText), u"defg");
  store.SetParText(0, u"a", 1);
  EXPECT_EQ(store.ParInfoAt(1).StartOffset, 3);
  store.Delete(1);
  EXPECT_EQ(store.ParInfoAt(2).StartOffset, 5);
  EXPECT_EQ(store.TextLength, 9);
  // A paragraph longer than the 16-bit field keeps its length in extra data.
  std::u16string big(70000, u'w');
  store.Append(big.data(), static_cast<int>(big.size()));
  EXPECT_EQ(GetParLength(store.ParInfoAt(3)), 70000);
  EXPECT_EQ(store.TextLength, 11 + 70000);
}

TEST(DoduRecords, MarkParsDirtyWidensThePendingRange) {
  TParagraphStore store;
  Fill(store, {u"a", u"b", u"c", u"d", u"e"});
  for (int i = 0; i < 5; ++i) store.ParInfoAt(i).StartLine = 2 * i;  // two lines each
  store.TotalLines = 10;
  store.ClearDirtyRange();
  store.LastParsedPar = 4;
  store.QuickReformat = true;
  store.MarkParsDirty(3, 1, 3);
  EXPECT_EQ(store.DirtyFirstPar, 3);
  EXPECT_EQ(store.DirtyFirstLine, 7);
  EXPECT_EQ(store.DirtyLastPar, 3);
  EXPECT_EQ(store.LastParsedPar, 2);
  EXPECT_FALSE(store.QuickReformat);
  store.MarkParsDirty(1, 0, 2);  // an earlier first widens both ends that need it
  EXPECT_EQ(store.DirtyFirstPar, 1);
  EXPECT_EQ(store.DirtyFirstLine, 2);
  EXPECT_EQ(store.DirtyLastPar, 3);
  EXPECT_EQ(store.LastParsedPar, 0);
  store.MarkParsDirty(4, 0, 4);  // a later first only moves the last
  EXPECT_EQ(store.DirtyFirstPar, 1);
  EXPECT_EQ(store.DirtyLastPar, 4);
  store.ClearDirtyRange();
  EXPECT_FALSE(store.HasDirtyRange());
  store.ClearFormatted();
  EXPECT_EQ(store.FormatFrom, 0);
  EXPECT_EQ(store.FormatTo, 4);
}
