// The memo's own editing and caret moves: typing, new paragraphs, deleting, moving by
// character, word, line and page, placing the caret by a point, and the rule lists and
// sections it highlights and collapses. Each change is one update: the paragraphs it touches
// join the pending range and are formatted again when the update ends.
#include <algorithm>
#include <climits>

#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"

namespace {

constexpr TParStates kParsed{ddpFormatted, ddpSSDone, ddpKeywDone};

// Every navigator keeps its place in the text across a change at Pos that removed Removed
// positions and inserted Inserted ones; their caches go (paragraphs may have moved).
void FollowChange(std::vector<TDoduNavigator*>& Navigators, int Pos, int Removed, int Inserted) {
  for (TDoduNavigator* nav : Navigators) {
    int p = nav->Pos();
    if (p > Pos) p = p >= Pos + Removed ? p - Removed + Inserted : Pos;
    nav->Invalidate();
    nav->SetPos(p);
  }
}

// Codes and lines of a paragraph after Count characters were inserted at Offset.
void ShiftAfterInsert(ParInfo& Par, int Offset, int Count) {
  if (!Par.ParState.Contains(ddpHasExtra)) return;
  ParExtraInfo& extra = *Par.ParExtra;
  for (DynInfoRec& c : extra.DynCodes)
    if (c.DynOffset >= Offset) c.DynOffset += Count;
  const int lines = static_cast<int>(extra.Lines.size()) + 1;
  for (int i = 0; i < lines; ++i) {
    LineInfo& line = i == 0 ? extra.FirstLine : extra.Lines[static_cast<size_t>(i - 1)];
    if (line.Start > Offset) line.Start += Count;
    if (line.Stop > Offset || (line.Stop == Offset && i == lines - 1)) line.Stop += Count;
    if (line.JustifyStart > Offset) line.JustifyStart += Count;
  }
}

// Codes and lines of a paragraph after the characters From .. To - 1 went.
void ShiftAfterDelete(ParInfo& Par, int From, int To) {
  if (!Par.ParState.Contains(ddpHasExtra)) return;
  ParExtraInfo& extra = *Par.ParExtra;
  const int n = To - From;
  auto& codes = extra.DynCodes;
  codes.erase(std::remove_if(codes.begin(), codes.end(),
                             [&](const DynInfoRec& c) { return c.DynOffset >= From && c.DynOffset < To && IsPlainHighlight(c) == false; }),
              codes.end());
  for (DynInfoRec& c : codes) {
    if (c.DynOffset >= To)
      c.DynOffset -= n;
    else if (c.DynOffset > From)
      c.DynOffset = From;
  }
  auto fix = [&](int& v) { v = v >= To ? v - n : std::min(v, From); };
  const int lines = static_cast<int>(extra.Lines.size()) + 1;
  for (int i = 0; i < lines; ++i) {
    LineInfo& line = i == 0 ? extra.FirstLine : extra.Lines[static_cast<size_t>(i - 1)];
    fix(line.Start);
    fix(line.Stop);
    fix(line.JustifyStart);
  }
}

// Makes the paragraph one line again; returns how many lines it lost.
int ResetToOneLine(ParInfo& Par) {
  int lost = GetLineCount(Par) - 1;
  if (Par.ParState.Contains(ddpHasExtra)) {
    Par.ParExtra->Lines.clear();
    LineInfo& first = Par.ParExtra->FirstLine;
    first.Start = 0;
    first.Stop = first.JustifyStart = GetParLength(Par);
    first.StartDynNb = 0;
  }
  return lost;
}

}  // namespace

void TVavaDodu::ParagraphEdited(int N) {
  ParInfo& par = Store.ParInfoAt(N);
  par.ParState -= kParsed;
  Store.NotifyChange = true;
}

void TVavaDodu::ReplaceParagraphText(int N, const WideString& Text) {
  Store.SetParText(N, Text.data(), static_cast<int>(Text.size()));
}

int TVavaDodu::CaretPos() const { return CaretNav->Pos(); }

void TVavaDodu::SetCaretPos(int Pos) {
  CaretNav->SetPos(std::clamp(Pos, 0, Store.TextLength));
  RememberedX = INT_MIN;
  UpdateCaret(false);
}

void TVavaDodu::InsertText(const WideString& Text) {
  BeginUpdate();
  size_t start = 0;
  for (size_t i = 0; i <= Text.size(); ++i) {
    if (i < Text.size() && Text[i] != u'\r' && Text[i] != u'\n') continue;
    if (i > start) {
      const int p = CaretNav->ParNumber();
      const int offset = std::min(CaretNav->ParOffset(), GetParLength(*CaretNav->Par()));
      const int pos = Store.ParInfoAt(p).StartOffset + offset;
      const int count = static_cast<int>(i - start);
      const int line = CaretNav->ParLine();
      WideString text = ParText(p);
      text.insert(static_cast<size_t>(offset), Text, start, static_cast<size_t>(count));
      ReplaceParagraphText(p, text);
      ShiftAfterInsert(Store.ParInfoAt(p), offset, count);
      ParagraphEdited(p);
      Store.MarkParsDirty(p, line, p);
      Store.QuickReformat = true;
      FollowChange(Navigators, pos, 0, count);
      CaretNav->SetPos(pos + count);
    }
    if (i < Text.size()) {
      NewParagraph();
      if (Text[i] == u'\r' && i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
    }
    start = i + 1;
  }
  RememberedX = INT_MIN;
  EndUpdate();
  ScrollCaretIntoView();
}

void TVavaDodu::NewParagraph() {
  BeginUpdate();
  const int p = CaretNav->ParNumber();
  ParInfo& par = Store.ParInfoAt(p);
  const int len = GetParLength(par);
  const int offset = std::min(CaretNav->ParOffset(), len);
  const int pos = par.StartOffset + offset;
  // The attribute in force at the break starts the new paragraph.
  CaretNav->SetParOffset(offset);
  DynInfoRec carried = *CaretNav->pDynAttr();
  const bool hidden = par.ParState.Contains(ddpHidden);
  std::vector<DynInfoRec> moved;
  if (par.ParState.Contains(ddpHasExtra)) {
    auto& codes = par.ParExtra->DynCodes;
    auto split = std::find_if(codes.begin(), codes.end(), [&](const DynInfoRec& c) { return c.DynOffset >= offset; });
    moved.assign(split, codes.end());
    codes.erase(split, codes.end());
  }
  WideString text = ParText(p);
  WideString tail = text.substr(static_cast<size_t>(offset));
  text.resize(static_cast<size_t>(offset));

  const int lost = ResetToOneLine(par);
  ReplaceParagraphText(p, text);
  ResetToOneLine(Store.ParInfoAt(p));
  Store.Insert(p + 1, tail.data(), static_cast<int>(tail.size()));
  ParInfo& head = Store.ParInfoAt(p);
  ParInfo& next = Store.ParInfoAt(p + 1);
  SetStartAttrib(next, &carried, true);
  if (!moved.empty()) {
    MakeParExtra(next);
    for (DynInfoRec& c : moved) c.DynOffset -= offset;
    next.ParExtra->DynCodes = std::move(moved);
  }
  if (hidden) next.ParState.Include(ddpHidden);
  next.StartLine = head.StartLine + (hidden ? 0 : 1);
  Store.TotalLines += 1 - lost;
  if (!hidden) Store.VisibleLines += 1 - lost;
  Store.ShiftStartLines(p + 2, hidden ? 0 : 1 - lost);
  ParagraphEdited(p);
  ParagraphEdited(p + 1);
  Store.MarkParsDirty(p, 0, p + 1);
  if (Store.FormatFrom > p + 1) ++Store.FormatFrom;
  FollowChange(Navigators, pos, 0, 2);
  CaretNav->SetPos(pos + 2);
  RememberedX = INT_MIN;
  EndUpdate();
}

void TVavaDodu::DeleteChars(int Pos, int Count) {
  Pos = std::clamp(Pos, 0, Store.TextLength);
  int end = std::clamp(Pos + Count, Pos, Store.TextLength);
  if (end == Pos) return;
  TDoduNavigator a(this), b(this);
  a.SetPos(Pos);
  b.SetPos(end);
  // A break is taken whole: a place on a line feed counts as the next paragraph's start.
  if (a.ParOffset() > GetParLength(*a.Par())) a.SetPos(Pos - 1);
  if (b.ParOffset() > GetParLength(*b.Par())) b.SetPos(end + 1);
  const int pa = a.ParNumber(), pb = b.ParNumber();
  const int from = a.ParOffset(), to = b.ParOffset();
  const int removed = b.Pos() - a.Pos();
  const int line = a.ParLine();
  BeginUpdate();
  if (pa == pb) {
    WideString text = ParText(pa);
    text.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
    ReplaceParagraphText(pa, text);
    ShiftAfterDelete(Store.ParInfoAt(pa), from, to);
    ParagraphEdited(pa);
    Store.MarkParsDirty(pa, line, pa);
    Store.QuickReformat = true;
  } else {
    WideString text = ParText(pa).substr(0, static_cast<size_t>(from)) + ParText(pb).substr(static_cast<size_t>(to));
    ParInfo& last = Store.ParInfoAt(pb);
    std::vector<DynInfoRec> kept;
    if (last.ParState.Contains(ddpHasExtra))
      for (const DynInfoRec& c : last.ParExtra->DynCodes)
        if (c.DynOffset >= to) kept.push_back(c);
    int lines = 0, visible = 0;
    for (int p = pa + 1; p <= pb; ++p) {
      const ParInfo& gone = Store.ParInfoAt(p);
      lines += GetLineCount(gone);
      if (!gone.ParState.Contains(ddpHidden)) visible += GetLineCount(gone);
    }
    for (int p = pb; p > pa; --p) Store.Delete(p);
    ParInfo& par = Store.ParInfoAt(pa);
    if (par.ParState.Contains(ddpHasExtra)) {
      auto& codes = par.ParExtra->DynCodes;
      codes.erase(std::remove_if(codes.begin(), codes.end(), [&](const DynInfoRec& c) { return c.DynOffset >= from; }),
                  codes.end());
    }
    if (!kept.empty()) {
      MakeParExtra(par);
      for (DynInfoRec& c : kept) {
        c.DynOffset = c.DynOffset - to + from;
        par.ParExtra->DynCodes.push_back(c);
      }
    }
    const int lost = ResetToOneLine(par);
    ReplaceParagraphText(pa, text);
    ResetToOneLine(Store.ParInfoAt(pa));
    Store.TotalLines -= lines + lost;
    const int visibleLost = visible + (par.ParState.Contains(ddpHidden) ? 0 : lost);
    Store.VisibleLines -= visibleLost;
    Store.ShiftStartLines(pa + 1, -visibleLost);
    if (Store.FormatFrom > pa) Store.FormatFrom = std::max(pa + 1, Store.FormatFrom - (pb - pa));
    ParagraphEdited(pa);
    Store.MarkParsDirty(pa, 0, pa);
    Store.DirtyLastPar = std::min(Store.DirtyLastPar, Store.Count() - 1);
  }
  FollowChange(Navigators, a.Pos(), removed, 0);
  RememberedX = INT_MIN;
  EndUpdate();
  ScrollCaretIntoView();
}

void TVavaDodu::Backspace() {
  int pos = CaretNav->Pos();
  if (pos == 0) return;
  DeleteChars(CaretNav->ParOffset() == 0 ? pos - 2 : pos - 1, CaretNav->ParOffset() == 0 ? 2 : 1);
}

void TVavaDodu::DeleteForward() {
  int pos = CaretNav->Pos();
  if (pos >= Store.TextLength) return;
  DeleteChars(pos, CaretNav->ParOffset() >= GetParLength(*CaretNav->Par()) ? 2 : 1);
}

void TVavaDodu::MoveCaretHorizontally(bool Forward, bool ByWord) {
  TDoduNavigator& nav = *CaretNav;
  const int end = Store.TextLength;
  do {
    if (ByWord) {
      if (Forward)
        nav.ToNextWord();
      else
        nav.ToPreviousWord();
    } else if (Forward) {
      if (nav.Pos() >= end) break;
      nav.SetPos(nav.ParOffset() >= GetParLength(*nav.Par()) ? nav.Pos() + 2 : nav.Pos() + 1);
    } else {
      if (nav.Pos() == 0) break;
      nav.SetPos(nav.ParOffset() == 0 ? nav.Pos() - 2 : nav.Pos() - 1);
    }
    // Collapsed text is passed over whole.
  } while (!nav.IsVisible() && nav.Pos() > 0 && nav.Pos() < end);
  if (!nav.IsVisible()) {
    while (!nav.IsVisible() && nav.ParNumber() > 0) nav.SetParNumber(nav.ParNumber() - 1);
    nav.SetParOffset(GetParLength(*nav.Par()));
  }
  RememberedX = INT_MIN;
  UpdateCaret(false);
  ScrollCaretIntoView();
}

void TVavaDodu::MoveCaretVertically(int Lines) {
  if (RememberedX == INT_MIN) RememberedX = CaretX;
  const int x = RememberedX;
  int line = std::clamp(CaretNav->VisibleLineNumber() + Lines, 0, std::max(Store.VisibleLines - 1, 0));
  CaretNav->SetVisibleLineNumber(line);
  CaretNav->SetDisplayX(x);
  UpdateCaret(false);
  RememberedX = x;
  ScrollCaretIntoView();
}

void TVavaDodu::MoveCaretToLineEdge(bool End) {
  CaretNav->SetCol(End ? INT_MAX : 0);
  RememberedX = INT_MIN;
  UpdateCaret(false);
  ScrollCaretIntoView();
}

void TVavaDodu::MoveCaretToTextEdge(bool End) {
  CaretNav->SetPos(End ? Store.TextLength : 0);
  RememberedX = INT_MIN;
  UpdateCaret(false);
  ScrollCaretIntoView();
}

void TVavaDodu::MoveCaretToPoint(int X, int Y) {
  CaretNav->SetDisplayPos(TPoint{X, Y});
  RememberedX = INT_MIN;
  UpdateCaret(false);
  ScrollCaretIntoView();
}

void TVavaDodu::ScrollCaretIntoView() {
  if (Display == nullptr || LineHeight <= 0) return;
  const int usable = Display->ClientHeight() - BottomPanelHeight;
  const int top = CaretNav->VisibleLineNumber() * LineHeight + TopMargin;
  int v = VOffset;
  if (top < v) v = top;
  if (top + LineHeight > v + usable) v = top + LineHeight - usable;
  int h = HOffset;
  const int right = TextWidth - RightMargin;
  if (CaretX < LeftMargin)
    h = std::max(0, HOffset + CaretX - LeftMargin - 4 * CharWidth);
  else if (CaretX >= right)
    h = HOffset + CaretX - right + 4 * CharWidth;
  if (v != VOffset || h != HOffset) {
    ScrollTo(std::max(v, 0), h, ScrollSpeed);
    UpdateCaret(false);
  }
}

void TVavaDodu::AddStartStopKey(const TStartStopKey& Key) {
  StartStopKeys.Items.push_back(Key);
  StartStopKeys.MarksDone = false;
  PrepareStartStopKeys(this);
  ReparseAll(this);
}

void TVavaDodu::AddKeyword(const TKeyword& Keyword) {
  Keywords.Items.push_back(Keyword);
  Keywords.Longest = std::max(Keywords.Longest, static_cast<int>(Keyword.Text.size()));
  if ((Keyword.Options & kKeyMatchCase) == 0) Keywords.AllMatchCase = false;
  ReparseAll(this);
}

void TVavaDodu::MarkSection(int A, int B, int Level, TColor Backgnd) {
  TDoduNavigator a(this), b(this);
  a.SetPos(std::clamp(A, 0, Store.TextLength));
  b.SetPos(std::clamp(B, 0, Store.TextLength));
  DynInfoRec code;
  code.DynStyle = kDynHighlight;
  code.Level = -1;
  code.CollpsLevel = static_cast<Byte>(Level);
  code.CollpsState = dInfoCollpsStates{dddCollapsible};
  code.Backgnd = Backgnd;
  BeginUpdate();
  // Scopes and keywords in the range are found again around the new highlight.
  for (int p = a.ParNumber(); p <= b.ParNumber(); ++p) Store.ParInfoAt(p).ParState -= kParsed;
  SetAttribRange(Store, a, b, true, true, code);
  // The attribute laid again where the section ends is the user's too: reparsing keeps it.
  if (b.Pos() < Store.TextLength) {
    b.ForgetCodeAndLine();
    b.RightOfDyn();
    if (b.DynNb() > 0) b.pDynAttr()->Level = -1;
  }
  for (TDoduNavigator* nav : Navigators) nav->ForgetCodeAndLine();
  EndUpdate();
}

bool TVavaDodu::ToggleSectionAtCaret() {
  TDoduNavigator nav(this);
  nav.Assign(*CaretNav);
  nav.SetCol(INT_MAX);
  int start, end, bar;
  if (nav.GetCollapseLevels(start, end, bar)) return nav.Expand(true);
  nav.Assign(*CaretNav);
  if (nav.Collapse(false)) return true;
  nav.SetCol(INT_MAX);
  return nav.Collapse(false);
}

void TVavaDodu::DisplayResized() {
  if (Display == nullptr) return;
  LineHeight = std::max(1, Display->FontHeight());
  Display->SelectFont(StyleByte(FontStyle));
  const char16_t digit = u'0';
  CharWidth = std::max(1, Display->TextWidth(&digit, 1));
  // Text set while there was no display is formatted now.
  if (BackgroundFormatting == 0 && UpdateCount == 0 && Store.FormatFrom <= Store.FormatTo)
    FormatPars(Store.FormatFrom, Store.FormatTo, false, false);
  if (!UpdateVScrollRange()) UpdateHScrollRange();
  UpdateCaret(false);
}
