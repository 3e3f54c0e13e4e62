// Highlighting: scopes of start-stop keys within and across paragraphs, follow-on scopes,
// keywords (overlaps, whole words, case folding, inside scopes, batches of matches), the
// nesting limit, laying a code over a range, and the colours the memo then draws.
#include <gtest/gtest.h>

#include "MemoFixture.h"

namespace {

constexpr TColor kComment = 0x008000;
constexpr TColor kKeyword = 0xFF0000;

struct Code {
  int Offset;
  int Level;  // ScopeLevel: -1 for anything that is not a scope or keyword
  TColor Fore;
  friend bool operator==(const Code&, const Code&) = default;
};

void PrintTo(const Code& C, std::ostream* Os) { *Os << "{" << C.Offset << "," << C.Level << "," << C.Fore << "}"; }

std::vector<Code> Codes(TMemoOnFake& F, int Par) {
  std::vector<Code> codes;
  ParInfo& par = F.Par(Par);
  for (int i = 0; i < GetDynCount(par); ++i) {
    const DynInfoRec& c = par.ParExtra->DynCodes[static_cast<size_t>(i)];
    codes.push_back({c.DynOffset, ScopeLevel(c), c.Foregnd});
  }
  return codes;
}

TStartStopKey StartStopKey(const std::u16string& Start, const std::u16string& Stop, TColor Fore, int Context = 0) {
  TStartStopKey key;
  key.StartKey = Start;
  key.StopKey = Stop;
  key.Foregnd = Fore;
  key.Context = Context;
  key.Options = kKeyMatchCase;
  return key;
}

TKeyword KeywordOf(const std::u16string& Text, TColor Fore, Byte Options = kKeyMatchCase) {
  TKeyword kw;
  kw.Text = Text;
  kw.Foregnd = Fore;
  kw.Options = Options;
  kw.Style = 0x01;  // bold
  return kw;
}

// A memo with C-like comments and the given keywords.
std::function<void(TVavaDodu&)> Rules(std::vector<TKeyword> Words, int CommentContext = 0) {
  return [Words, CommentContext](TVavaDodu& M) {
    M.AddStartStopKey(StartStopKey(u"/*", u"*/", kComment, CommentContext));
    for (const TKeyword& w : Words) M.AddKeyword(w);
  };
}

}  // namespace

TEST(DoduHighlighting, AScopeOpensAtItsStartKeyAndClosesAtItsStopKey) {
  TMemoOnFake f(u"/* c */ x", true, Rules({}));
  std::vector<Code> codes = Codes(f, 0);
  ASSERT_EQ(codes, (std::vector<Code>{{0, 0, kComment}, {7, -1, -1}}));
  const DynInfoRec& scope = f.Par(0).ParExtra->DynCodes[0];
  EXPECT_EQ(scope.DynStyle & kDynScope, kDynScope);
  EXPECT_EQ(scope.KeyIndex[0], -32768);  // key 0 of the start-stop keys
  EXPECT_EQ(scope.StartKlen, 2);
  EXPECT_EQ(scope.StopKLen, 2);
  EXPECT_TRUE(f.Par(0).ParState.Contains(ddpSSDone));

  // What the memo draws: the comment in its colour, the rest in the text colour.
  f.Display.Drawn.clear();
  f.M().Paint(Rect(0, 0, 400, 160));
  ASSERT_EQ(f.Display.Drawn.size(), 2u);
  EXPECT_EQ(f.Display.Drawn[0].Text, u"/* c */");
  EXPECT_EQ(f.Display.Drawn[0].Fore, kComment);
  EXPECT_EQ(f.Display.Drawn[1].Text, u" x");
  EXPECT_EQ(f.Display.Drawn[1].Fore, f.M().TextColor);
}

TEST(DoduHighlighting, AnOpenScopeCarriesOverAndClosingItClearsTheNextParagraph) {
  TMemoOnFake f(u"a /* b\r\nc\r\nd */ e\r\nf", true, Rules({}));
  EXPECT_EQ(ScopeLevel(*GetStartAttrib(f.Par(1))), 0);
  EXPECT_EQ(ScopeLevel(*GetStartAttrib(f.Par(2))), 0);
  EXPECT_EQ(Codes(f, 2), (std::vector<Code>{{4, -1, -1}}));
  EXPECT_EQ(GetStartAttrib(f.Par(3)), DefaultAttrib());

  // The scope closes in paragraph 0 now: the next one is to be parsed again.
  TVavaDodu& m = f.M();
  m.BeginUpdate();
  m.SetCaretPos(6);
  m.InsertText(u" */");
  m.Store.LastParsedPar = -1;
  EnsureScopes(&m, 0);
  EXPECT_FALSE(f.Par(1).ParState.Contains(ddpSSDone));
  EXPECT_FALSE(f.Par(1).ParState.Contains(ddpKeywDone));
  EXPECT_FALSE(f.Par(1).ParState.Contains(ddpFormatted));
  EXPECT_EQ(ScopeLevel(*GetStartAttrib(f.Par(1))), -1);
  m.EndUpdate();
  // The end of the update parses on down: "*/" in paragraph 2 closes nothing any more.
  EXPECT_EQ(Codes(f, 2), std::vector<Code>{});
  EXPECT_EQ(ScopeLevel(*GetStartAttrib(f.Par(2))), -1);
}

TEST(DoduHighlighting, FollowOnScopesAndScopesEndingWithTheParagraph) {
  TMemoOnFake f(u"x <<a>> b; y // z\r\nnext", true, [](TVavaDodu& M) {
    M.AddStartStopKey(StartStopKey(u"<<", u">>", 1));
    TStartStopKey after = StartStopKey(u"", u";", 2);
    after.FollowOn = 0;
    M.AddStartStopKey(after);
    TStartStopKey line = StartStopKey(u"//", u"", 3);
    line.EndAtParEnd = true;
    M.AddStartStopKey(line);
  });
  EXPECT_EQ(Codes(f, 0), (std::vector<Code>{{2, 0, 1}, {7, 0, 2}, {10, -1, -1}, {13, 0, 3}, {17, -1, -1}}));
  EXPECT_EQ(GetStartAttrib(f.Par(1)), DefaultAttrib());
}

TEST(DoduHighlighting, KeywordsMarkPlainTextAndLeaveScopesWithAContextAlone) {
  TMemoOnFake f(u"abcd bcd /* abc */ abc", true, Rules({KeywordOf(u"abc", kKeyword), KeywordOf(u"bcd", 0x0000FF)}, 7));
  // The first keyword in list order wins an overlap; the comment (context 7) keeps its text.
  EXPECT_EQ(Codes(f, 0), (std::vector<Code>{{0, 0, kKeyword},
                                            {3, -1, -1},
                                            {5, 0, 0x0000FF},
                                            {8, -1, -1},
                                            {9, 0, kComment},
                                            {18, -1, -1},
                                            {19, 0, kKeyword}}));
  const DynInfoRec& kw = f.Par(0).ParExtra->DynCodes[0];
  EXPECT_EQ(kw.KeyIndex[0], 0);
  EXPECT_EQ(kw.StartKlen, 3);
  EXPECT_TRUE(f.Par(0).ParState.Contains(ddpKeywDone));
  // A comment without a context lets keywords in, one level deeper.
  TMemoOnFake g(u"/* abc */", true, Rules({KeywordOf(u"abc", kKeyword)}));
  EXPECT_EQ(Codes(g, 0), (std::vector<Code>{{0, 0, kComment}, {3, 1, kKeyword}, {6, 0, kComment}, {9, -1, -1}}));
}

TEST(DoduHighlighting, WholeWordsCaseFoldingAndManyMatches) {
  TMemoOnFake f(u"ifx if, if", true, Rules({KeywordOf(u"if", kKeyword, kKeyWholeWord)}));
  EXPECT_EQ(Codes(f, 0), (std::vector<Code>{{4, 0, kKeyword}, {6, -1, -1}, {8, 0, kKeyword}}));

  TMemoOnFake g(u"Select SELECT select", true, Rules({KeywordOf(u"select", kKeyword, 0)}));
  EXPECT_EQ(Codes(g, 0).size(), 5u);
  TMemoOnFake h(u"one ONE", true, [](TVavaDodu& M) {
    M.FoldMode = 2;
    M.UserFold = [](char16_t* Text, int Length) {
      for (int i = 0; i < Length; ++i) Text[i] = Text[i] == u'O' ? u'o' : Text[i] == u'N' ? u'n' : Text[i] == u'E' ? u'e' : Text[i];
    };
    M.AddKeyword(KeywordOf(u"one", kKeyword, 0));
  });
  EXPECT_EQ(Codes(h, 0), (std::vector<Code>{{0, 0, kKeyword}, {3, -1, -1}, {4, 0, kKeyword}}));

  // 40 matches: three batches of at most 16, each match its own code and the plain text after.
  std::u16string text;
  for (int i = 0; i < 40; ++i) text += u"k ";
  TMemoOnFake many(text, true, Rules({KeywordOf(u"k", kKeyword)}));
  std::vector<Code> expected;
  for (int i = 0; i < 40; ++i) {
    expected.push_back({2 * i, 0, kKeyword});
    expected.push_back({2 * i + 1, -1, -1});
  }
  EXPECT_EQ(Codes(many, 0), expected);
}

TEST(DoduHighlighting, NestingStopsAtLevelFifteen) {
  for (int level : {13, 14, 15}) {
    SCOPED_TRACE(level);
    TMemoOnFake f(u"abc /* x */", true, [](TVavaDodu& M) { M.BackgroundFormatting = 1; });
    TVavaDodu& m = f.M();
    m.AddStartStopKey(StartStopKey(u"/*", u"*/", kComment));
    m.AddKeyword(KeywordOf(u"abc", kKeyword));
    // The paragraph starts inside a keyword code of the given level (open to both rules).
    DynInfoRec deep;
    deep.DynStyle = kDynScope;
    deep.Level = static_cast<int8_t>(level);
    deep.KeyIndex[level] = 0;
    SetStartAttrib(f.Par(0), &deep, true);
    m.FormatPars(0, 0, false, true);
    std::vector<Code> codes = Codes(f, 0);
    if (level < 15) {
      ASSERT_EQ(codes.size(), 4u);
      EXPECT_EQ(codes[0], (Code{0, level + 1, kKeyword}));
      EXPECT_EQ(codes[2], (Code{4, level + 1, kComment}));
    } else {
      EXPECT_TRUE(codes.empty());
    }
  }
}

TEST(DoduHighlighting, LayingACodeOverParagraphsHandsItToTheirStarts) {
  TMemoOnFake f(u"aaaa\r\nbbbb\r\ncccc", true);
  TVavaDodu& m = f.M();
  TDoduNavigator a(&m), b(&m);
  a.SetPos(2);
  b.SetPos(14);  // paragraph 2, offset 2
  DynInfoRec code;
  code.DynStyle = kDynHighlight;
  code.Level = -1;
  code.Backgnd = 0x00FFFF;
  m.BeginUpdate();
  SetAttribRange(m.Store, b, a, true, true, code);  // the order of A and B does not matter
  EXPECT_EQ(m.Store.DirtyFirstPar, 0);
  EXPECT_EQ(m.Store.DirtyLastPar, 2);
  EXPECT_EQ(Codes(f, 0), (std::vector<Code>{{2, -1, -1}}));
  EXPECT_EQ(GetStartAttrib(f.Par(1))->Backgnd, 0x00FFFF);
  EXPECT_EQ(GetStartAttrib(f.Par(2)), GetStartAttrib(f.Par(1)));  // one shared copy
  EXPECT_EQ(GetStartAttrib(f.Par(1))->DynOffset, 2);                // its reference count
  ASSERT_EQ(Codes(f, 2).size(), 1u);
  const DynInfoRec& after = f.Par(2).ParExtra->DynCodes[0];
  EXPECT_EQ(after.DynOffset, 2);
  EXPECT_EQ(after.Backgnd, -1);
  EXPECT_EQ(after.DynStyle, kDynHighlight);
  EXPECT_FALSE(f.Par(1).ParState.Contains(ddpFormatted));
  m.EndUpdate();
}

TEST(DoduHighlighting, AUsersHighlightSurvivesTheScopePassAroundIt) {
  TMemoOnFake f(u"aa /* bb */\r\ncc\r\ndd", true, Rules({}));
  TVavaDodu& m = f.M();
  m.MarkSection(1, 15, 1, 0x00FFFF);  // from "a /*" to paragraph 1's end
  std::vector<Code> before = Codes(f, 0);
  ASSERT_EQ(before, (std::vector<Code>{{1, -1, -1}, {3, 0, kComment}, {11, -1, -1}}));
  m.SetCaretPos(6);
  m.InsertText(u"x");  // the paragraph is parsed again
  EXPECT_EQ(Codes(f, 0), (std::vector<Code>{{1, -1, -1}, {3, 0, kComment}, {12, -1, -1}}));
  EXPECT_EQ(f.Par(0).ParExtra->DynCodes[0].Backgnd, 0x00FFFF);
  EXPECT_EQ(GetStartAttrib(f.Par(1))->Backgnd, 0x00FFFF);
  EXPECT_EQ(Codes(f, 1), (std::vector<Code>{{2, -1, -1}}));
  EXPECT_EQ(f.Par(1).ParExtra->DynCodes[0].Backgnd, -1);
}

TEST(DoduHighlighting, SameAttribComparesScopeStateNotColours) {
  DynInfoRec plain, scopeA, scopeB;
  scopeA.DynStyle = scopeB.DynStyle = kDynScope;
  scopeA.Level = scopeB.Level = 1;
  scopeA.KeyIndex[1] = scopeB.KeyIndex[1] = -32768;
  scopeB.Foregnd = 0x123456;
  EXPECT_TRUE(SameAttrib(scopeA, scopeB));
  scopeB.KeyIndex[0] = 3;
  EXPECT_FALSE(SameAttrib(scopeA, scopeB));
  EXPECT_FALSE(SameAttrib(scopeA, plain));
  DynInfoRec other;
  other.DynStyle = 0x01;  // two non-highlights are the same
  EXPECT_TRUE(SameAttrib(plain, other));
  DynInfoRec h1, h2;
  h1.DynStyle = h2.DynStyle = kDynHighlight;
  h1.Level = h2.Level = -1;
  h2.Context = 4;
  EXPECT_FALSE(SameAttrib(h1, h2));
  EXPECT_TRUE(StartKeysAllowed(plain));
  EXPECT_FALSE(StartKeysAllowed(scopeA));
}

namespace {

// A highlighter of its own: counts the hooks and opens a scope of its own at "@".
class TCountingHighlighter : public TDoduHighlighter {
 public:
  using TDoduHighlighter::TDoduHighlighter;
  void ScanKeywords(TDoduNavigator&, TDoduNavigator&, int KeywordBase) override {
    ++keywordScans;
    lastKeywordBase = KeywordBase;
  }
  bool ScanStartKeys(TDoduNavigator&, TDoduNavigator&, int SSBase) override {
    ++startScans;
    lastSSBase = SSBase;
    return false;
  }
  int keywordScans = 0, startScans = 0, lastKeywordBase = -1, lastSSBase = -1;
};

}  // namespace

TEST(DoduHighlighting, AnAttachedHighlighterIsAskedAfterTheMemosOwnRules) {
  TMemoOnFake f(u"plain text\r\nmore", true, Rules({KeywordOf(u"q", kKeyword)}));
  TVavaDodu& m = f.M();
  auto highlighter = std::make_unique<TCountingHighlighter>(nullptr);
  SetHighlighter(&m, highlighter.get());
  EXPECT_EQ(highlighter->MemoList, std::vector<TVavaDodu*>{&m});
  ReparseAll(&m);
  EXPECT_EQ(Codes(f, 0), std::vector<Code>{});
  EXPECT_GE(highlighter->keywordScans, 2);  // once per paragraph formatted
  EXPECT_EQ(highlighter->lastKeywordBase, 1);
  EXPECT_GE(highlighter->startScans, 2);
  EXPECT_EQ(highlighter->lastSSBase, 1);
  highlighter.reset();  // a highlighter going away leaves the memo without one
  EXPECT_EQ(m.Highlighter, nullptr);
}
