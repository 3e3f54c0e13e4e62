// Collapsing: a section is a run of text whose codes carry a collapse level a; it starts at a
// collapsible code of level a and ends at the first later code of a lower level, with sections
// of higher levels nested inside. Collapsing marks the section's codes and hides the paragraphs
// after its first one; expanding undoes that. Hidden paragraphs count one line each, so this
// works only while the memo neither wraps words nor aligns other than left.
#include <algorithm>

#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"

namespace {

int LevelInForce(TDoduNavigator& Nav) { return CollapseLevel(*Nav.pDynAttr()); }

bool Collapsed(const DynInfoRec& A) { return A.CollpsState.Contains(dddCollapsed); }

// The paragraph a section ends in: where the code below its level lies, or the last one. A
// code at a paragraph's very start ends the section with the paragraph before.
int SectionEnd(TDoduNavigator& First, int Level) {
  TVavaDodu& memo = *First.Dodu();
  TDoduNavigator end(&memo);
  end.Assign(First);
  while (end.NextDyn()) {
    if (LevelInForce(end) < Level) {
      int p = end.ParNumber();
      if (end.ParOffset() == 0 && p > First.ParNumber()) --p;
      return p;
    }
  }
  return memo.Store.Count() - 1;
}

}  // namespace

int TDoduNavigator::FindCollapseStart(int Level, bool& Found) {
  // Back while the level in force is the section's (or deeper), then on to its first code.
  while (LevelInForce(*this) >= Level)
    if (!PreviousDyn()) break;
  Found = true;
  while (LevelInForce(*this) < Level) {
    if (!NextDyn()) {
      Found = false;
      break;
    }
  }
  return DynNb() - 1;
}

bool TDoduNavigator::GetCollapseLevels(int& StartLevel, int& EndLevel, int& BarLevel) {
  FindPar();
  ParInfo& par = *fPar;
  bool result = false;
  const int block = BlockLevel(par.BlockState);
  if (block != 0) {
    const bool extra = par.ParState.Contains(ddpHasExtra);
    BarLevel = StartLevel = EndLevel = block;
    if (par.BlockState.Contains(ddbStartBlock))
      StartLevel = block == 1 ? 0 : block - (extra ? par.ParExtra->StartBlockCount : 1);
    if (par.BlockState.Contains(ddbEndBlock))
      EndLevel = block == 1 ? 0 : block - (extra ? par.ParExtra->StopBlockCount : 1);
    for (int k = 1; k <= block; ++k) {
      bool collapsed = k == 1 ? par.BlockState.Contains(ddbCollapsed)
                              : extra && k - 2 < 32 && (par.ParExtra->BlocksCollapsed >> (k - 2) & 1) != 0;
      if (collapsed) {
        BarLevel = k;
        result = true;
        if (k < EndLevel) EndLevel = k;
        break;
      }
    }
    return result;
  }
  LineInfo line = NavLines()->Get(ParLine());
  const int count = GetDynCount(par);
  const int startCode = std::min(static_cast<int>(line.StartDynNb), count);
  int level = startCode > 0 ? CollapseLevel(CodeAt(par, startCode - 1)) : CollapseLevel(*GetStartAttrib(par));
  StartLevel = EndLevel = BarLevel = level;
  for (int i = startCode; i < count && CodeAt(par, i).DynOffset <= line.Stop; ++i) {
    const DynInfoRec& c = CodeAt(par, i);
    EndLevel = CollapseLevel(c);
    if (EndLevel > BarLevel) {
      BarLevel = EndLevel;
      if (Collapsed(c)) {
        result = true;
        break;
      }
    }
  }
  if (StartLevel >= EndLevel) BarLevel = StartLevel;
  return result;
}

bool TDoduNavigator::Collapse(bool DoOuterSection) {
  TVavaDodu& memo = *fDodu;
  if (memo.WordWrap || memo.Alignment != taLeftJustify) return false;
  TParagraphStore& store = memo.Store;
  EnsureScopes(&memo, ParNumber());
  const DynInfoRec attr = *pDynAttr();
  if ((attr.DynStyle & kDynHighlight) == 0) return false;
  const int a = CollapseLevel(attr);
  if (a == 0) return false;
  if (!DoOuterSection && !(attr.CollpsState == dInfoCollpsStates{dddCollapsible})) return false;

  TDoduNavigator first(&memo);
  first.Assign(*this);
  bool found;
  int index = first.FindCollapseStart(a, found);
  if (!found || index < 0) return false;
  const int firstNb = first.ParNumber();
  ParInfo& firstPar = *first.Par();
  for (int i = index; i < GetDynCount(firstPar); ++i)
    if (i == index || CollapseLevel(CodeAt(firstPar, i)) == a) CodeAt(firstPar, i).CollpsState.Include(dddCollapsed);
  const int firstLine = first.VisibleLineNumber();
  const bool firstVisible = !firstPar.ParState.Contains(ddpHidden);

  int lastNb = SectionEnd(first, a);
  if (lastNb > store.LastParsedPar) {
    EnsureScopes(&memo, lastNb);
    lastNb = SectionEnd(first, a);
  }

  memo.BeginUpdate();
  store.MarkParsDirty(firstNb, 0, lastNb);
  int hidden = 0;
  for (int p = firstNb + 1; p <= lastNb; ++p) {
    ParInfo& par = store.ParInfoAt(p);
    pDynInfoRec start = GetStartAttrib(par);
    if (start != DefaultAttrib() && CollapseLevel(*start) == a) start->CollpsState.Include(dddCollapsed);
    for (int i = 0; i < GetDynCount(par); ++i)
      if (CollapseLevel(CodeAt(par, i)) == a) CodeAt(par, i).CollpsState.Include(dddCollapsed);
    par.StartLine = firstLine + (firstVisible ? 1 : 0);
    if (!par.ParState.Contains(ddpHidden)) {
      par.ParState.Include(ddpHidden);
      hidden += GetLineCount(par);
    }
  }
  store.ShiftStartLines(lastNb + 1, -hidden);
  store.VisibleLines -= hidden;
  store.PendingLineDelta -= hidden;
  memo.EndUpdate();
  return true;
}

bool TDoduNavigator::Expand(bool DoOuterSection) {
  TVavaDodu& memo = *fDodu;
  TParagraphStore& store = memo.Store;
  const DynInfoRec attr = *pDynAttr();
  const int a = CollapseLevel(attr);
  if ((attr.DynStyle & kDynHighlight) == 0 || a == 0) return false;
  if (!DoOuterSection && !attr.CollpsState.Contains(dddCollapsible)) return false;

  TDoduNavigator first(&memo);
  first.Assign(*this);
  bool found;
  int index = first.FindCollapseStart(a, found);
  if (!found || index < 0) return false;
  const int firstNb = first.ParNumber();
  ParInfo& firstPar = *first.Par();
  if (!Collapsed(CodeAt(firstPar, index))) return false;

  memo.BeginUpdate();
  CodeAt(firstPar, index).CollpsState.Exclude(dddCollapsed);
  bool nested = false;  // inside a nested section that stays collapsed
  bool ended = false;
  // The codes after From in a paragraph: level a ones open again, a lower level ends the
  // section, a collapsed section of a higher level keeps its paragraphs hidden.
  auto walkCodes = [&](ParInfo& par, int From) {
    for (int i = From; i < GetDynCount(par) && !ended; ++i) {
      DynInfoRec& c = CodeAt(par, i);
      int level = CollapseLevel(c);
      if (level < a) {
        ended = true;
      } else if (level == a) {
        c.CollpsState.Exclude(dddCollapsed);
        nested = false;
      } else if (c.CollpsState.Contains(dddCollapsible) && Collapsed(c)) {
        nested = true;
      }
    }
  };
  walkCodes(firstPar, index + 1);
  int shown = 0;
  int lastNb = firstNb;
  for (int p = firstNb + 1; p < store.Count() && !ended; ++p) {
    ParInfo& par = store.ParInfoAt(p);
    // A section ending at this paragraph's very start leaves it alone.
    if (GetDynCount(par) > 0 && CodeAt(par, 0).DynOffset == 0 && CollapseLevel(CodeAt(par, 0)) < a) break;
    lastNb = p;
    par.StartLine += shown;
    pDynInfoRec start = GetStartAttrib(par);
    if (start != DefaultAttrib() && CollapseLevel(*start) == a) start->CollpsState.Exclude(dddCollapsed);
    if (par.ParState.Contains(ddpHidden) && !nested) {
      par.ParState.Exclude(ddpHidden);
      shown += GetLineCount(par);
    }
    walkCodes(par, 0);
  }
  store.MarkParsDirty(firstNb, 0, lastNb);
  store.ShiftStartLines(lastNb + 1, shown);
  store.VisibleLines += shown;
  store.PendingLineDelta += shown;
  memo.EndUpdate();
  return true;
}

bool TDoduNavigator::ExpandAllLevels() {
  const DynInfoRec attr = *pDynAttr();
  const int a = (attr.DynStyle & kDynHighlight) != 0 ? CollapseLevel(attr) : 0;
  if (a == 0) return false;
  TVavaDodu& memo = *fDodu;
  memo.BeginUpdate();
  TDoduNavigator walk(&memo);
  walk.Assign(*this);
  while (LevelInForce(walk) >= a && !walk.pDynAttr()->CollpsState.Contains(dddCollapsible))
    if (!walk.PreviousDyn()) break;
  bool any = false;
  if (LevelInForce(walk) >= a) any = walk.Expand(false);
  while (LevelInForce(walk) >= a)
    if (!walk.PreviousDyn()) break;
  int outer = LevelInForce(walk);
  if (outer > 0 && outer < a) any = walk.ExpandAllLevels() || any;
  memo.EndUpdate();
  return any;
}
