// The scope pass: start-stop keys found in the text become scope codes, paragraph by paragraph,
// and a paragraph whose end state changes hands the new state to the next one.
#include <algorithm>
#include <climits>

#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"

namespace {

// Removes code Index of the paragraph; lines starting after it count one code less.
void EraseCode(ParInfo& Par, int Index) {
  auto& extra = *Par.ParExtra;
  extra.DynCodes.erase(extra.DynCodes.begin() + Index);
  for (auto& line : extra.Lines)
    if (static_cast<int>(line.StartDynNb) > Index) --line.StartDynNb;
}

// The attribute in force at an offset of the paragraph, codes at the offset included.
const DynInfoRec& AttribAt(const ParInfo& Par, int Offset) {
  const DynInfoRec* a = GetStartAttrib(Par);
  for (int i = 0, n = GetDynCount(Par); i < n; ++i) {
    const DynInfoRec& c = Par.ParExtra->DynCodes[static_cast<size_t>(i)];
    if (c.DynOffset > Offset) break;
    a = &c;
  }
  return *a;
}

// A scope of the memo's own start-stop keys (keyword codes and other rules' scopes are not).
int MemoScopeKey(const TVavaDodu& Memo, const DynInfoRec& A) {
  int level = ScopeLevel(A);
  if (level < 0 || level >= kMaxScopeLevels) return -1;
  int entry = A.KeyIndex[level];
  if (entry >= 0) return -1;
  int key = entry & 0x7FFF;
  return key < static_cast<int>(Memo.StartStopKeys.Items.size()) ? key : -1;
}

bool KeyAt(const char16_t* Text, int Pos, const WideString& Key) {
  for (size_t i = 0; i < Key.size(); ++i)
    if (Text[Pos + static_cast<int>(i)] != Key[i]) return false;
  return true;
}

DynInfoRec ScopeCode(const TStartStopKey& Key, int KeyNumber, const DynInfoRec& Enclosing, int Level) {
  DynInfoRec code;
  if (ScopeLevel(Enclosing) >= 0)
    std::copy(Enclosing.KeyIndex, Enclosing.KeyIndex + kMaxScopeLevels, code.KeyIndex);
  code.DynStyle = static_cast<Byte>(Key.Style | kDynScope);
  code.Level = static_cast<int8_t>(Level);
  code.KeyIndex[Level] = static_cast<int16_t>(KeyNumber - 32768);
  // Inside a section the scope keeps the section's level (not its collapsible mark), so that
  // highlighting does not end the section.
  code.CollpsLevel = static_cast<Byte>(CollapseLevel(Enclosing));
  code.Cursor = Key.Cursor;
  code.Backgnd = Key.Backgnd;
  code.Foregnd = Key.Foregnd;
  code.Context = Key.Context;
  code.StartKlen = static_cast<uint16_t>(Key.StartKey.size() + (Key.DelimAfterStart ? 1 : 0));
  code.StopKLen = static_cast<uint16_t>(Key.StopKey.size());
  return code;
}

// Lays Code at the paragraph offset and leaves From just after it, the code passed.
void LayAndPass(TVavaDodu& Memo, TDoduNavigator& From, int ParNb, int Offset, DynInfoRec Code) {
  TDoduNavigator at(&Memo);
  at.SetParNumber(ParNb);
  at.SetParOffset(Offset);
  at.AddDyn(Code);
  From.ForgetCodeAndLine();
  From.SetPos(Memo.Store.ParInfoAt(ParNb).StartOffset + Offset);
  From.RightOfDyn();
}

// The code that takes over when the scope of key K at Level ends: a follow-on scope of a key
// that names K as its predecessor, else the attribute of the enclosing level.
DynInfoRec CodeAfterScope(TVavaDodu& Memo, TDoduNavigator& From, const DynInfoRec& Scope, int K, int Level) {
  const auto& keys = Memo.StartStopKeys.Items;
  for (size_t j = static_cast<size_t>(K) + 1; j < keys.size(); ++j)
    if (keys[j].FollowOn == K) return ScopeCode(keys[j], static_cast<int>(j), Scope, Level);
  TDoduNavigator back(&Memo);
  back.Assign(From);
  while (ScopeLevel(*back.pDynAttr()) >= Level) {
    if (!back.PreviousDyn()) return *DefaultAttrib();
  }
  DynInfoRec code = *back.pDynAttr();
  // A copy of a user's highlight laid by the pass is the pass's own: removed when parsed again.
  if (code.Level == -1) code.Level = 0;
  return code;
}

void ScanTo(int ParNb, int Offset, TDoduNavigator& Nav) {
  Nav.SetParNumber(ParNb);
  Nav.SetParOffset(Offset);
}

// One paragraph from From to End (End may grow to the paragraph end when a key reaches past
// it); true when any code changed.
bool ParseParagraphScopes(TVavaDodu& Memo, int ParNb, int From, int& End) {
  ParInfo& par = Memo.Store.ParInfoAt(ParNb);
  const int len = GetParLength(par);
  TDoduNavigator nav(&Memo), to(&Memo);
  ScanTo(ParNb, From, nav);
  bool changed = false;
  while (true) {
    // Past the user's highlights at this place.
    while (nav.DynNb() < GetDynCount(par) && CodeAt(par, nav.DynNb()).DynOffset <= nav.ParOffset() &&
           IsPlainHighlight(CodeAt(par, nav.DynNb())))
      nav.AdvanceDyn();
    // The stretch runs to the next user highlight or the end; the scope and keyword codes in
    // it go, to be found again.
    int stretchEnd = End;
    for (int j = nav.DynNb(); j < GetDynCount(par); ++j) {
      const DynInfoRec& c = CodeAt(par, j);
      if (c.DynOffset > End) break;
      if (IsPlainHighlight(c)) {
        stretchEnd = c.DynOffset;
        break;
      }
    }
    while (nav.DynNb() < GetDynCount(par)) {
      int i = nav.DynNb();
      const DynInfoRec& c = CodeAt(par, i);
      if (IsPlainHighlight(c) || c.DynOffset > stretchEnd || (c.DynOffset == stretchEnd && stretchEnd < len)) break;
      if (CollapseLevel(c) > 0 && c.CollpsState.Contains(dddCollapsed)) {
        TDoduNavigator collapsed(&Memo);
        ScanTo(ParNb, c.DynOffset, collapsed);
        collapsed.SetDynNb(i + 1);
        collapsed.Expand(true);
      }
      EraseCode(par, i);
      changed = true;
    }
    ScanTo(ParNb, stretchEnd, to);
    if (FindStopKey(nav, to) || FindStartKey(nav, to)) {
      changed = true;
      if (nav.ParOffset() > End) End = len;
      continue;
    }
    if (stretchEnd >= End) break;
    nav.ForgetCodeAndLine();
    nav.SetParOffset(stretchEnd);
  }
  return changed;
}

// The next paragraph starts with what is in force at this one's end: a shared copy of the code,
// or this paragraph's own start attribute when no code is in force.
void HandOn(ParInfo& Next, TDoduNavigator& End) {
  if (End.DynNb() > 0)
    SetStartAttrib(Next, End.pDynAttr(), true);
  else
    SetStartAttrib(Next, End.pDynAttr(), false);
}

}  // namespace

void PrepareStartStopKeys(TVavaDodu* Memo) {
  TStartStopKeyList& list = Memo->StartStopKeys;
  if (list.MarksDone) return;
  list.LongestKey = 0;
  list.AllMatchCase = true;
  for (TStartStopKey& key : list.Items) {
    key.FoldedStart = key.StartKey;
    FoldInPlace(*Memo, key.FoldedStart.data(), static_cast<int>(key.FoldedStart.size()));
    key.FoldedStop = key.StopKey;
    FoldInPlace(*Memo, key.FoldedStop.data(), static_cast<int>(key.FoldedStop.size()));
    if ((key.Options & kKeyMatchCase) == 0) list.AllMatchCase = false;
    bool whole = (key.Options & kKeyWholeWord) != 0;
    key.DelimBeforeStart = whole && !key.StartKey.empty() && !Delim(*Memo, key.StartKey.front());
    key.DelimAfterStart = whole && !key.StartKey.empty() && !Delim(*Memo, key.StartKey.back());
    key.DelimBeforeStop = whole && !key.StopKey.empty() && !Delim(*Memo, key.StopKey.front());
    key.DelimAfterStop = whole && !key.StopKey.empty() && !Delim(*Memo, key.StopKey.back());
    list.LongestKey = std::max({list.LongestKey, static_cast<int>(key.StartKey.size()), static_cast<int>(key.StopKey.size())});
  }
  list.MarksDone = true;
}

bool FindStartKey(TDoduNavigator& From, TDoduNavigator& To) {
  TVavaDodu& memo = *From.Dodu();
  From.RightOfDyn();
  const DynInfoRec inForce = *From.pDynAttr();
  const int level = ScopeLevel(inForce);
  if (level >= kMaxNesting) return false;
  TStartStopKeyList& keys = memo.StartStopKeys;
  if (memo.ScopeHighlighting && !keys.Items.empty()) {
    PrepareStartStopKeys(&memo);
    const int parNb = From.ParNumber();
    ParInfo& par = *From.Par();
    const char16_t* text = par.ParText;
    const int len = GetParLength(par);
    const int from = From.ParOffset();
    const int to = To.ParNumber() == parNb ? To.ParOffset() : len;
    const int winStart = std::max(0, from - (keys.LongestKey + 1));
    const int winEnd = std::min(len, to + keys.LongestKey + 1);
    WideString folded;
    if (!keys.AllMatchCase) {
      folded.assign(text + winStart, static_cast<size_t>(std::max(0, winEnd - winStart)));
      FoldInPlace(memo, folded.data(), static_cast<int>(folded.size()));
    }
    for (int pos = winStart; pos < winEnd; ++pos) {
      const DynInfoRec& here = pos >= from ? inForce : AttribAt(par, pos);
      if (!StartKeysAllowed(here)) continue;
      for (size_t k = 0; k < keys.Items.size(); ++k) {
        const TStartStopKey& key = keys.Items[k];
        const int klen = static_cast<int>(key.StartKey.size());
        if (klen == 0 || pos + klen <= from || pos + klen > winEnd) continue;
        bool same = (key.Options & kKeyMatchCase) != 0 ? KeyAt(text, pos, key.StartKey)
                                                       : KeyAt(folded.data(), pos - winStart, key.FoldedStart);
        if (!same) continue;
        if (key.DelimBeforeStart && pos > 0 && !Delim(memo, text[pos - 1])) continue;
        if (key.DelimAfterStart && pos + klen < len && !Delim(memo, text[pos + klen])) continue;

        // A keyword code the key starts in does not draw its end any more.
        DynInfoRec enclosing = here;
        if (ScopeLevel(here) >= 0) {
          TDoduNavigator inside(&memo);
          ScanTo(parNb, pos, inside);
          inside.RightOfDyn();
          inside.pDynAttr()->StopKLen = 0;
        }
        for (int i = GetDynCount(par) - 1; i >= 0; --i) {
          const DynInfoRec& c = CodeAt(par, i);
          if (c.DynOffset >= pos && (c.DynOffset < pos + klen || (c.DynOffset == pos + klen && !IsPlainHighlight(c))))
            EraseCode(par, i);
        }
        DynInfoRec code = ScopeCode(key, static_cast<int>(k), enclosing, ScopeLevel(enclosing) + 1);
        LayAndPass(memo, From, parNb, pos, code);
        From.ForgetCodeAndLine();
        From.SetPos(par.StartOffset + pos + klen);
        From.RightOfDyn();
        return true;
      }
    }
  }
  if (memo.Highlighter != nullptr)
    return memo.Highlighter->ScanStartKeys(From, To, static_cast<int>(keys.Items.size()));
  return false;
}

bool FindStopKey(TDoduNavigator& From, TDoduNavigator& To) {
  TVavaDodu& memo = *From.Dodu();
  From.RightOfDyn();
  const DynInfoRec scope = *From.pDynAttr();
  const int level = ScopeLevel(scope);
  if (level < 0) return false;
  const int k = MemoScopeKey(memo, scope);
  if (k < 0) {
    if (memo.Highlighter == nullptr) return false;
    return memo.Highlighter->ScanStopKeys(From, To, static_cast<int>(memo.StartStopKeys.Items.size()));
  }
  PrepareStartStopKeys(&memo);
  const TStartStopKey& key = memo.StartStopKeys.Items[static_cast<size_t>(k)];
  const int parNb = From.ParNumber();
  ParInfo& par = *From.Par();
  const char16_t* text = par.ParText;
  const int len = GetParLength(par);
  const int from = From.ParOffset();
  const int to = To.ParNumber() == parNb ? To.ParOffset() : len;
  const int klen = static_cast<int>(key.StopKey.size());
  const int d = key.DelimBeforeStop ? 1 : 0;

  // The scope's own code, when it lies in this paragraph before From.
  int own = -1;
  for (int i = From.DynNb() - 1; i >= 0; --i) {
    const DynInfoRec& c = CodeAt(par, i);
    if (c.DynStyle >= kDynScope && c.Level == level && c.KeyIndex[level] == scope.KeyIndex[level]) {
      own = i;
      break;
    }
  }

  auto close = [&](int keyStart, int keyEnd) {
    for (int i = GetDynCount(par) - 1; i >= From.DynNb(); --i) {
      const DynInfoRec& c = CodeAt(par, i);
      if (c.DynOffset <= keyEnd && !IsPlainHighlight(c)) EraseCode(par, i);
    }
    if (own >= 0) CodeAt(par, own).StopKLen = static_cast<uint16_t>(keyEnd - keyStart + d);
    DynInfoRec next = CodeAfterScope(memo, From, scope, k, level);
    LayAndPass(memo, From, parNb, keyEnd, next);
    return true;
  };

  if (klen > 0) {
    // The window reaches back over a key that may straddle From, but never into the scope's
    // own start key.
    int winStart = from - std::min(from, klen + d);
    if (own >= 0) winStart = std::max(winStart, CodeAt(par, own).DynOffset + static_cast<int>(key.StartKey.size()));
    int winEnd = std::min(len, to + klen + (key.DelimAfterStop ? 1 : 0));
    WideString folded;
    const bool matchCase = (key.Options & kKeyMatchCase) != 0;
    if (!matchCase) {
      folded.assign(text + winStart, static_cast<size_t>(std::max(0, winEnd - winStart)));
      FoldInPlace(memo, folded.data(), static_cast<int>(folded.size()));
    }
    for (int pos = winStart; pos + klen <= winEnd; ++pos) {
      if (pos + klen <= from) continue;
      bool same = matchCase ? KeyAt(text, pos, key.StopKey) : KeyAt(folded.data(), pos - winStart, key.FoldedStop);
      if (!same) continue;
      if (key.DelimBeforeStop && pos > 0 && !Delim(memo, text[pos - 1])) continue;
      if (key.DelimAfterStop && pos + klen < len && !Delim(memo, text[pos + klen])) continue;
      return close(pos, pos + klen);
    }
  }
  if (key.EndAtParEnd && to == len) return close(len, len);
  return false;
}

void ParseScopes(TDoduNavigator& Start, TDoduNavigator& Stop, const DynInfoRec& LastAttrib) {
  TVavaDodu& memo = *Start.Dodu();
  TParagraphStore& store = memo.Store;
  PrepareStartStopKeys(&memo);
  const int startPos = Start.Pos();
  int p = Start.ParNumber();
  int last = Stop.ParNumber();
  int from = Start.ParOffset();
  int stopOffset = Stop.ParOffset();
  DynInfoRec lastAttrib = LastAttrib;
  bool changed = false;
  TDoduNavigator end(&memo);
  while (true) {
    ParInfo& par = store.ParInfoAt(p);
    const int len = GetParLength(par);
    int stop = p == last ? stopOffset : len;
    // A paragraph without codes, start state or rules to find has nothing to parse.
    bool idle = GetDynCount(par) == 0 && (memo.StartStopKeys.Items.empty() || !memo.ScopeHighlighting) &&
                memo.Highlighter == nullptr;
    if (!idle) changed |= ParseParagraphScopes(memo, p, from, stop);
    par.ParState.Include(ddpSSDone);
    if (store.LastParsedPar == p - 1) store.LastParsedPar = p;
    ScanTo(p, stop, end);
    end.RightOfDyn();
    if (p < last) {
      HandOn(store.ParInfoAt(p + 1), end);
      ++p;
      from = 0;
      continue;
    }
    if (stop < len) {
      // Stopped inside the paragraph with another state than before: on to its end.
      if (SameAttrib(*end.pDynAttr(), lastAttrib)) break;
      from = stop;
      stopOffset = len;
      lastAttrib = p + 1 < store.Count() ? *GetStartAttrib(store.ParInfoAt(p + 1)) : *DefaultAttrib();
      continue;
    }
    if (p + 1 >= store.Count()) break;
    ParInfo& next = store.ParInfoAt(p + 1);
    if (SameAttrib(*end.pDynAttr(), *GetStartAttrib(next))) break;
    next.ParState -= TParStates{ddpFormatted, ddpSSDone, ddpKeywDone};
    HandOn(next, end);
    store.FormatFrom = std::min(store.FormatFrom, p + 1);
    store.FormatTo = std::max(store.FormatTo, p + 1);
    changed = true;
    break;
  }
  if (changed) {
    store.QuickReformat = false;
    InvalidateNavigators(memo.Navigators, startPos, INT_MAX);
  }
}
