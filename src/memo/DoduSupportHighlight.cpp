// The highlighter component, laying codes over ranges, case folding and the keyword pass.
#include "memo/DoduSupportHighlight.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"

namespace {

constexpr char16_t kClosed = 5;  // stands for text keywords may not match
constexpr size_t kKeywordBatch = 16;

struct KeywordMatch {
  int Keyword;
  int Offset;  // in the paragraph
  int Length;
};

bool IsKeywordCode(const DynInfoRec& A) {
  return A.DynStyle >= kDynScope && A.Level >= 0 && A.Level < kMaxScopeLevels && A.KeyIndex[A.Level] >= 0;
}

// Whether keywords may match in text under this attribute.
bool LetsKeywordsIn(const TVavaDodu& Memo, const DynInfoRec& A) {
  if ((A.DynStyle & kDynHighlight) == 0 || A.Context == 0) return true;
  return Memo.Keywords.Nested && IsKeywordCode(A);
}

// Lays the matches of one batch as keyword codes, in the order they were found.
void FlushKeywordMatches(TVavaDodu& Memo, int ParNb, std::vector<KeywordMatch>& Matches, TDoduNavigator& Stop) {
  if (Matches.empty()) return;
  TParagraphStore& store = Memo.Store;
  TDoduNavigator a(&Memo), b(&Memo);
  int first = INT_MAX;
  for (const KeywordMatch& match : Matches) {
    int start = store.ParInfoAt(ParNb).StartOffset + match.Offset;
    first = std::min(first, start);
    a.SetPos(start);
    a.RightOfDyn();
    pDynInfoRec enclosing = a.pDynAttr();
    int level = ScopeLevel(*enclosing);
    if (level >= kMaxNesting) continue;
    // A scope under the keyword does not draw its stop key any more.
    if (level >= 0 && !IsKeywordCode(*enclosing)) enclosing->StopKLen = 0;
    const TKeyword& kw = Memo.Keywords.Items[static_cast<size_t>(match.Keyword)];
    DynInfoRec code = *enclosing;
    code.DynStyle = static_cast<Byte>(kw.Style | kDynScope);
    code.Level = static_cast<int8_t>(level + 1);
    code.KeyIndex[code.Level] = static_cast<int16_t>(match.Keyword);
    // Inside a section the keyword keeps the section's level, not its collapsible mark.
    code.CollpsLevel = static_cast<Byte>(CollapseLevel(*enclosing));
    code.CollpsState = dInfoCollpsStates();
    code.Backgnd = kw.Backgnd;
    code.Foregnd = kw.Foregnd;
    code.Context = kw.Context;
    code.Cursor = kw.Cursor;
    code.StartKlen = code.StopKLen = static_cast<uint16_t>(match.Length);
    a.Invalidate();
    a.SetPos(start);
    b.Invalidate();
    b.SetPos(start + match.Length);
    SetAttribRange(store, a, b, false, true, code);
    if (start + match.Length > Stop.Pos()) Stop.SetPos(start + match.Length);
  }
  Matches.clear();
  InvalidateNavigators(Memo.Navigators, first, INT_MAX);
}

}  // namespace

bool Delim(const TVavaDodu& Memo, char16_t Ch) { return Memo.Delimiters.test(Clamp255(Ch)); }

// ---- The highlighter component ----

TDoduHighlighter::TDoduHighlighter(TComponent* AOwner) : TComponent(AOwner) {}

TDoduHighlighter::~TDoduHighlighter() {
  while (!MemoList.empty()) SetHighlighter(MemoList.back(), nullptr);
}

void TDoduHighlighter::ScanKeywords(TDoduNavigator&, TDoduNavigator&, int) {}
bool TDoduHighlighter::ScanStartKeys(TDoduNavigator&, TDoduNavigator&, int) { return false; }
bool TDoduHighlighter::ScanStopKeys(TDoduNavigator&, TDoduNavigator&, int) { return false; }
void TDoduHighlighter::ExtraHook() {}
bool TDoduHighlighter::FixRange(TDoduNavigator&, TDoduNavigator&, int, int) { return false; }

void SetHighlighter(TVavaDodu* Memo, TDoduHighlighter* Highlighter) {
  if (Memo->Highlighter != nullptr) {
    auto& list = Memo->Highlighter->MemoList;
    list.erase(std::remove(list.begin(), list.end(), Memo), list.end());
  }
  Memo->Highlighter = Highlighter;
  if (Highlighter != nullptr) Highlighter->MemoList.push_back(Memo);
  if (Memo->ComponentState().Contains(csDesigning) && !Memo->ComponentState().Contains(csLoading)) ReparseAll(Memo);
}

void ReparseAll(TVavaDodu* Memo) {
  if (Memo->ComponentState().Contains(csLoading)) return;
  TParagraphStore& store = Memo->Store;
  for (int i = 0; i < store.Count(); ++i) {
    ParInfo& par = store.ParInfoAt(i);
    par.ParState -= TParStates{ddpFormatted, ddpSSDone, ddpKeywDone};
    SetDynCount(par, 0);
    SetStartAttrib(par, nullptr, false);
  }
  for (TDoduNavigator* nav : Memo->Navigators) nav->ForgetCodeAndLine();
  store.LastParsedPar = -1;
  Memo->ReformatAll();
  if (Memo->Display != nullptr) Memo->Display->Invalidate();
}

void EnsureScopes(TVavaDodu* Memo, int N) {
  TParagraphStore& store = Memo->Store;
  N = std::min(N, store.Count() - 1);
  if (N <= store.LastParsedPar) return;
  TDoduNavigator start(Memo), stop(Memo);
  for (int p = std::max(store.LastParsedPar + 1, 0); p <= N; ++p) {
    ParInfo& par = store.ParInfoAt(p);
    if (par.ParState.Contains(ddpSSDone)) continue;
    start.SetParNumber(p);
    stop.SetParNumber(p);
    stop.SetParOffset(GetParLength(par));
    stop.RightOfDyn();
    ParseScopes(start, stop, *stop.pDynAttr());
  }
  store.LastParsedPar = std::max(store.LastParsedPar, N);
}

void ParseKeywordsInPars(TVavaDodu* Memo, int From, int To, bool ScopesOnly) {
  TParagraphStore& store = Memo->Store;
  To = std::min(To, store.Count() - 1);
  EnsureScopes(Memo, To);
  if (ScopesOnly) return;
  for (int p = std::max({From, store.FormatFrom, 0}); p <= To; ++p) {
    ParInfo& par = store.ParInfoAt(p);
    if (par.ParState.Contains(ddpKeywDone)) continue;
    Memo->PassNav1->SetParNumber(p);
    Memo->PassNav2->SetParNumber(p);
    Memo->PassNav2->SetParOffset(GetParLength(par));
    ParseKeywords(*Memo->PassNav1, *Memo->PassNav2);
    for (TDoduNavigator* nav : {Memo->PassNav1, Memo->PassNav2}) {
      nav->Invalidate();
      nav->SetPos(0);
    }
    par.ParState.Include(ddpKeywDone);
  }
}

bool SameAttrib(const DynInfoRec& A, const DynInfoRec& B) {
  if ((A.DynStyle & kDynScope) != (B.DynStyle & kDynScope)) return false;
  if ((A.DynStyle & kDynHighlight) == 0) return true;
  if (A.Level != B.Level || A.Context != B.Context) return false;
  for (int i = 0; i <= A.Level && i < kMaxScopeLevels; ++i)
    if (A.KeyIndex[i] != B.KeyIndex[i]) return false;
  return true;
}

bool StartKeysAllowed(const DynInfoRec& Attrib) {
  int level = ScopeLevel(Attrib);
  return level < 0 || level >= kMaxScopeLevels || Attrib.KeyIndex[level] >= 0;
}

bool IsPlainHighlight(const DynInfoRec& Attrib) {
  return (Attrib.DynStyle & kDynScope) == kDynHighlight && Attrib.Level == -1;
}

// ---- Laying a code over a range ----

void SetAttribRange(TParagraphStore& Store, TDoduNavigator& A, TDoduNavigator& B, bool MarkDirty, bool Highlight,
                    const DynInfoRec& Code) {
  TDoduNavigator* a = &A;
  TDoduNavigator* b = &B;
  if (a->Pos() > b->Pos()) std::swap(a, b);
  const int pa = a->ParNumber();
  const int pb = b->ParNumber();
  if (MarkDirty) Store.MarkParsDirty(pa, a->ParLine(), pb);

  // The attribute in force at A is laid again at B.
  a->DynNb();
  DynInfoRec again = *a->pDynAttr();
  int againAt = -1;  // where the code to lay again took effect, when known
  if (a->DynNb() > 0) againAt = a->Par()->StartOffset + again.DynOffset;
  const bool laid = Highlight || (Code.DynStyle & kDynHighlight) != 0;
  if (laid) {
    DynInfoRec code = Code;
    a->AddDyn(code);
  }

  const int endPos = b->Pos();
  pDynInfoRec shared = nullptr;
  for (int p = pa; p <= pb; ++p) {
    ParInfo& par = Store.ParInfoAt(p);
    par.ParState.Exclude(ddpFormatted);
    if (p > pa) {
      if (shared == nullptr) shared = Highlight ? CopyAttrib(Code) : DefaultAttrib();
      SetStartAttrib(par, shared, false);
    }
    int index = p == pa ? a->DynNb() : 0;
    int limit = p == pb ? endPos - par.StartOffset : INT_MAX;
    auto* extra = par.ParExtra;
    while (index < GetDynCount(par) && extra->DynCodes[static_cast<size_t>(index)].DynOffset < limit) {
      again = extra->DynCodes[static_cast<size_t>(index)];
      againAt = par.StartOffset + again.DynOffset;
      extra->DynCodes.erase(extra->DynCodes.begin() + index);
      for (auto& line : extra->Lines)
        if (static_cast<int>(line.StartDynNb) > index) --line.StartDynNb;
    }
  }
  ReleaseAttrib(shared);

  // Marked (or cleared) whichever code it came from; laid again by the passes, it is theirs to
  // remove on the next parse, not a user's highlight.
  if (Highlight)
    again.DynStyle |= kDynHighlight;
  else
    again.DynStyle = 0;
  if (again.Level == -1) again.Level = 0;
  if (againAt >= 0) {
    int covered = std::min(againAt + static_cast<int>(again.StartKlen), endPos) - std::max(againAt, a->Pos());
    if (covered > 0) again.StartKlen = static_cast<uint16_t>(std::max(0, again.StartKlen - covered));
  }
  b->ForgetCodeAndLine();
  if (endPos < Store.TextLength && (Highlight || (again.DynStyle & kDynHighlight) != 0)) b->AddDyn(again);
}

// ---- Case folding ----

void FoldInPlace(TVavaDodu& Memo, char16_t* Text, int Length) {
  if (Memo.FoldMode == 1) {
    UpperCaseInPlace(Text, Length);
  } else if (Memo.FoldMode == 2 && Memo.UserFold) {
    Memo.UserFold(Text, Length);
  } else {
    for (int i = 0; i < Length; ++i)
      if (Text[i] >= u'a' && Text[i] <= u'z') Text[i] = static_cast<char16_t>(Text[i] - 32);
  }
}

const char16_t* FoldedText(TVavaDodu* Memo, const ParInfo& Par, int /*Number*/, int Length, int From) {
  WideString& buffer = Memo->FoldBuffer;
  buffer.assign(Par.ParText + From, static_cast<size_t>(std::max(Length, 0)));
  FoldInPlace(*Memo, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.c_str();
}

// ---- The keyword pass ----

void ParseKeywords(TDoduNavigator& Start, TDoduNavigator& Stop) {
  TVavaDodu& memo = *Start.Dodu();
  TKeywordList& keywords = memo.Keywords;
  if (memo.Highlighter != nullptr)
    memo.Highlighter->ScanKeywords(Start, Stop, static_cast<int>(keywords.Items.size()));
  if (!memo.KeywordHighlighting || keywords.Items.empty()) return;

  TParagraphStore& store = memo.Store;
  const int firstPar = Start.ParNumber();
  const int startOffset = Start.ParOffset();
  std::vector<KeywordMatch> matches;
  matches.reserve(kKeywordBatch);
  WideString exact, folded;
  for (int p = firstPar; p <= Stop.ParNumber(); ++p) {
    ParInfo& par = store.ParInfoAt(p);
    const int len = GetParLength(par);
    const int from = p == firstPar ? startOffset : 0;
    const int to = p == Stop.ParNumber() ? Stop.ParOffset() : len;
    const int codes = GetDynCount(par);
    bool work = LetsKeywordsIn(memo, *GetStartAttrib(par));
    for (int i = 0; i < codes && !work; ++i) {
      int off = par.ParExtra->DynCodes[static_cast<size_t>(i)].DynOffset;
      work = off >= from && off <= to;
    }
    if (!work) continue;

    const int winStart = p == firstPar ? std::max(0, from - (keywords.Longest + 1)) : 0;
    const int winEnd = p == Stop.ParNumber() ? std::min(len, to + keywords.Longest) : len;
    exact.assign(par.ParText + winStart, static_cast<size_t>(std::max(0, winEnd - winStart)));
    if (!keywords.AllMatchCase) folded = FoldedText(&memo, par, p, winEnd - winStart, winStart);
    // Text whose attribute does not let keywords in becomes the closed character.
    const DynInfoRec* attrib = GetStartAttrib(par);
    int code = 0;
    for (int i = winStart; i < winEnd; ++i) {
      while (code < codes && par.ParExtra->DynCodes[static_cast<size_t>(code)].DynOffset <= i)
        attrib = &par.ParExtra->DynCodes[static_cast<size_t>(code++)];
      if (!LetsKeywordsIn(memo, *attrib)) {
        exact[static_cast<size_t>(i - winStart)] = kClosed;
        if (!keywords.AllMatchCase) folded[static_cast<size_t>(i - winStart)] = kClosed;
      }
    }

    const int lastStart = to - winStart;  // no match may start after Stop
    for (size_t k = 0; k < keywords.Items.size(); ++k) {
      const TKeyword& kw = keywords.Items[k];
      const int klen = static_cast<int>(kw.Text.size());
      if (!kw.Enabled || klen == 0) continue;
      const bool matchCase = (kw.Options & kKeyMatchCase) != 0 || keywords.AllMatchCase;
      WideString key = kw.Text;
      if (!matchCase) FoldInPlace(memo, key.data(), klen);
      WideString& buffer = matchCase ? exact : folded;
      size_t at = keywords.Nested ? 0 : static_cast<size_t>(std::max(0, from - winStart - klen));
      while (true) {
        size_t found = std::u16string_view(buffer).find(key, at);
        if (found == std::u16string_view::npos || static_cast<int>(found) > lastStart) break;
        at = found + static_cast<size_t>(klen);
        if ((kw.Options & kKeyWholeWord) != 0) {
          bool before = found == 0 || Delim(memo, buffer[found - 1]);
          bool after = at >= buffer.size() || Delim(memo, buffer[at]);
          if (!before || !after) continue;
        }
        matches.push_back(KeywordMatch{static_cast<int>(k), winStart + static_cast<int>(found), klen});
        for (size_t i = found; i < at; ++i) {
          exact[i] = kClosed;
          if (!keywords.AllMatchCase) folded[i] = kClosed;
        }
        if (matches.size() == kKeywordBatch) FlushKeywordMatches(memo, p, matches, Stop);
      }
    }
    FlushKeywordMatches(memo, p, matches, Stop);
  }
}
