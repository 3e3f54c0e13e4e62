#include "memo/DoduSupportNavigator.h"

#include <algorithm>
#include <climits>

#include "classlib/Exceptions.h"
#include "memo/VavaDodu.h"
#include "memo/VavaDoduLineWalk.h"

namespace {

// A first guess at Value * Numerator / Denominator for the paragraph walks; 64-bit, so it
// cannot overflow, and cut to 0 .. N - 1 by the caller.
int Guess(int64_t Value, int64_t Numerator, int64_t Denominator) {
  if (Denominator <= 0) return 0;
  return static_cast<int>(Value * Numerator / Denominator);
}

}  // namespace

// ---- Life ----

TDoduNavigator::TDoduNavigator(TObject* AVavaDodu) {
  if (AVavaDodu != nullptr) {
    fDodu = dynamic_cast<TVavaDodu*>(AVavaDodu);
    if (fDodu == nullptr) throw Exception("Internal error: component is not a TVavaDodu");
    fDodu->Navigators.push_back(this);
  }
}

TDoduNavigator::~TDoduNavigator() {
  if (fDodu != nullptr) {
    auto& list = fDodu->Navigators;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  fNavLines.reset();
  if (OnFree) OnFree(this);
}

void TDoduNavigator::Assign(const TDoduNavigator& Source) {
  fPos = Source.fPos;
  fPar = Source.fPar;
  fParNb = Source.fParNb;
  fParLine = Source.fParLine;
  fOffset = Source.fOffset;
  fDynNb = Source.fDynNb;
}

void TDoduNavigator::Invalidate() {
  fPar = nullptr;
  fParNb = -1;
  fParLine = -1;
  fOffset = -1;
  fDynNb = -1;
}

// ---- Finding the paragraph ----

void TDoduNavigator::FindPar() {
  if (fPar != nullptr) return;
  TParagraphStore& store = fDodu->Store;
  int n = store.Count();
  int t = store.TextLength;
  int g = t == 0 ? 0 : Guess(fPos, n - 2, t);
  g = std::clamp(g, 0, std::max(n - 1, 0));
  while (g > 0 && fPos < store.ParInfoAt(g).StartOffset) --g;
  while (g + 1 < n) {
    const ParInfo& par = store.ParInfoAt(g);
    if (par.StartOffset + GetParLength(par) + 1 >= fPos) break;
    ++g;
  }
  fParNb = g;
  fPar = &store.ParInfoAt(g);
  fOffset = fPos - fPar->StartOffset;
  fDynNb = -1;
  fParLine = -1;
  if (fNavLines) fNavLines->LLPar = fPar;
}

// ---- Placing ----

void TDoduNavigator::SetPos(int Value) {
  if (fPar != nullptr && Value >= fPos && Value <= fPar->StartOffset + GetParLength(*fPar) + 1) {
    // Forward inside the paragraph: the caches move along instead of being forgotten.
    int offset = Value - fPar->StartOffset;
    if (fDynNb >= 0) {
      int count = GetDynCount(*fPar);
      while (fDynNb < count && CodeAt(*fPar, fDynNb).DynOffset < offset) ++fDynNb;
    }
    if (fParLine >= 0) {
      TLinesList* lines = NavLines();
      int count = lines->Count();
      while (fParLine + 1 < count && offset >= lines->Get(fParLine).Stop) ++fParLine;
    }
    fOffset = offset;
  } else {
    fDynNb = -1;
    fParLine = -1;
    if (fPar != nullptr) {
      if (Value < fPar->StartOffset || Value > fPar->StartOffset + GetParLength(*fPar) + 1) {
        fPar = nullptr;
        fParNb = -1;
        fOffset = -1;
      } else {
        fOffset = Value - fPar->StartOffset;
      }
    }
  }
  fPos = Value;
}

int TDoduNavigator::ParNumber() {
  FindPar();
  return fParNb;
}

void TDoduNavigator::SetParNumber(int Value) {
  ParInfo& par = fDodu->Store.ParInfoAt(Value);
  fPar = &par;
  fParNb = Value;
  fPos = par.StartOffset;
  fOffset = 0;
  fDynNb = 0;
  fParLine = 0;
  if (fNavLines) fNavLines->LLPar = fPar;
}

ParInfo* TDoduNavigator::Par() {
  FindPar();
  return fPar;
}

int TDoduNavigator::ParOffset() {
  FindPar();
  return fOffset;
}

void TDoduNavigator::SetParOffset(int A) {
  FindPar();
  A = std::clamp(A, 0, GetParLength(*fPar));
  fOffset = A;
  fPos = fPar->StartOffset + A;
  if (fDynNb >= 0) {
    int count = GetDynCount(*fPar);
    fDynNb = 0;
    while (fDynNb < count && CodeAt(*fPar, fDynNb).DynOffset < A) ++fDynNb;
  }
  if (fParLine >= 0) {
    TLinesList* lines = NavLines();
    int count = lines->Count();
    fParLine = 0;
    for (int i = 1; i < count; ++i)
      if (lines->Get(i).Start < A) ++fParLine;
  }
}

int TDoduNavigator::ParLine() {
  FindPar();
  if (fParLine < 0) {
    TLinesList* lines = NavLines();
    int count = lines->Count();
    fParLine = count - 1;
    for (int i = 0; i < count; ++i) {
      if (lines->Get(i).Stop > fOffset) {
        fParLine = i;
        break;
      }
    }
  }
  return fParLine;
}

void TDoduNavigator::SetParLine(int A) {
  FindPar();
  TLinesList* lines = NavLines();
  A = std::clamp(A, 0, lines->Count() - 1);
  LineInfo line = lines->Get(A);
  fDynNb = -1;
  SetParOffset(line.Start);
  fParLine = A;
  fDynNb = static_cast<int>(line.StartDynNb);
}

const LineInfo& TDoduNavigator::CurrentLine(LineInfo& Buffer) {
  Buffer = NavLines()->Get(ParLine());
  return Buffer;
}

int TDoduNavigator::Col() {
  LineInfo line;
  return ParOffset() - CurrentLine(line).Start;
}

void TDoduNavigator::SetCol(int V) {
  LineInfo line;
  CurrentLine(line);
  fOffset = line.Start + std::clamp(V, 0, line.Stop - line.Start);
  fPos = fPar->StartOffset + fOffset;
  fDynNb = -1;
}

int TDoduNavigator::DynNb() {
  FindPar();
  if (fDynNb < 0) {
    int count = GetDynCount(*fPar);
    fDynNb = 0;
    while (fDynNb < count && CodeAt(*fPar, fDynNb).DynOffset < fOffset) ++fDynNb;
  }
  return fDynNb;
}

void TDoduNavigator::SetDynNb(int V) {
  FindPar();
  int count = GetDynCount(*fPar);
  if (V == 0) {
    SetParOffset(0);
    fDynNb = 0;
  } else if (V >= 1 && V <= count) {
    SetParOffset(CodeAt(*fPar, V - 1).DynOffset);
    fDynNb = V;
  }
}

// ---- Line numbers ----

int TDoduNavigator::TrueLineNumber() {
  TVavaDodu& m = *fDodu;
  if (!m.WordWrap && m.Alignment != taRightJustify && m.Alignment != taCenter) return ParNumber();
  FindPar();
  return fPar->StartLine + ParLine();
}

void TDoduNavigator::StandAtLine(int N, int Line) {
  ParInfo& par = fDodu->Store.ParInfoAt(N);
  fPar = &par;
  fParNb = N;
  if (fNavLines) fNavLines->LLPar = fPar;
  TLinesList* lines = NavLines();
  Line = std::clamp(Line, 0, lines->Count() - 1);
  LineInfo info = lines->Get(Line);
  fOffset = info.Start;
  fPos = par.StartOffset + info.Start;
  fParLine = Line;
  fDynNb = static_cast<int>(info.StartDynNb);
}

void TDoduNavigator::SetTrueLineNumber(int Value) {
  TVavaDodu& m = *fDodu;
  TParagraphStore& store = m.Store;
  int n = store.Count();
  if (!m.WordWrap && m.Alignment != taRightJustify && m.Alignment != taCenter) {
    SetParNumber(std::min(Value, n - 1));
    return;
  }
  int total = std::max(store.TotalLines, 1);
  Value = std::clamp(Value, 0, total - 1);
  int g = std::clamp(Guess(Value, n, total), 0, n - 1);
  while (g > 0 && Value < store.ParInfoAt(g).StartLine) --g;
  while (g + 1 < n && Value >= store.ParInfoAt(g).StartLine + GetLineCount(store.ParInfoAt(g))) ++g;
  StandAtLine(g, Value - store.ParInfoAt(g).StartLine);
}

int TDoduNavigator::VisibleLineNumber() {
  FindPar();
  if (fPar->ParState.Contains(ddpHidden)) return fPar->StartLine;
  return fPar->StartLine + ParLine();
}

void TDoduNavigator::SetVisibleLineNumber(int Value) {
  TVavaDodu& m = *fDodu;
  TParagraphStore& store = m.Store;
  int n = store.Count();
  if (!m.WordWrap && m.Alignment != taRightJustify && m.Alignment != taCenter) {
    int p = std::clamp(Value, 0, n - 1);
    const ParInfo& par = store.ParInfoAt(p);
    if (!par.ParState.Contains(ddpHidden) && par.StartLine == Value) {
      SetParNumber(p);
      return;
    }
  }
  int visible = std::max(store.VisibleLines, 1);
  Value = std::clamp(Value, 0, visible - 1);
  int b = std::clamp(VisibleLineNumber(), 0, visible - 1);
  int g = fParNb;
  if (visible - b > 0) g = fParNb + Guess(n - fParNb, Value - b, visible - b);
  g = std::clamp(g, 0, n - 1);
  while (g > 0 && store.ParInfoAt(g).StartLine > Value) --g;
  while (g + 1 < n && store.ParInfoAt(g + 1).StartLine <= Value) ++g;
  const ParInfo& par = store.ParInfoAt(g);
  StandAtLine(g, par.ParState.Contains(ddpHidden) ? 0 : Value - par.StartLine);
}

bool TDoduNavigator::IsVisible() {
  FindPar();
  return !fPar->ParState.Contains(ddpHidden);
}

// ---- Reading ----

pDynInfoRec TDoduNavigator::pDynAttr() {
  int n = DynNb();
  return n > 0 ? &CodeAt(*fPar, n - 1) : GetStartAttrib(*fPar);
}

int32_t TDoduNavigator::Context() {
  pDynInfoRec a = pDynAttr();
  return a->DynStyle != 0 ? a->Context : 0;
}

TFontStyles TDoduNavigator::Style() {
  if (!fDodu->StyleCodesOn()) return TFontStyles();
  LineInfo line;
  CurrentLine(line);
  Byte style = StyleByte(line.StartAttrib);
  for (int i = line.Start; i < fOffset; ++i) ApplyStyleCode(style, fPar->ParText[i]);
  return StyleSet(style);
}

char16_t TDoduNavigator::Text() {
  FindPar();
  int len = GetParLength(*fPar);
  if (fOffset < len) return fPar->ParText[fOffset];
  return fOffset == len ? char16_t{13} : char16_t{10};
}

WideString TDoduNavigator::Line() {
  LineInfo line;
  CurrentLine(line);
  return WideString(fPar->ParText + line.Start, static_cast<size_t>(line.Stop - line.Start));
}

bool TDoduNavigator::Delimiter(Byte Ch) const { return fDodu->Delimiters.test(Ch); }

WideString TDoduNavigator::Word() {
  FindPar();
  const char16_t* text = fPar->ParText;
  int len = GetParLength(*fPar);
  int end = std::min(fOffset, len);
  while (end < len && !Delimiter(Clamp255(text[end]))) ++end;
  int start = end;
  while (start > 0 && !Delimiter(Clamp255(text[start - 1]))) --start;
  return WideString(text + start, static_cast<size_t>(end - start));
}

TLinesList* TDoduNavigator::NavLines() {
  FindPar();
  if (!fNavLines) fNavLines = std::make_unique<TLinesList>(fPar);
  fNavLines->LLPar = fPar;
  return fNavLines.get();
}

void TDoduNavigator::GetTextBuf(char16_t* Buffer, int Len) {
  FindPar();
  TParagraphStore& store = fDodu->Store;
  int parNb = fParNb;
  const ParInfo* par = fPar;
  int offset = fOffset;
  int written = 0;
  while (written < Len) {
    int len = GetParLength(*par);
    if (offset < len) {
      int take = std::min(Len - written, len - offset);
      std::copy(par->ParText + offset, par->ParText + offset + take, Buffer + written);
      written += take;
      offset += take;
    } else if (offset == len) {
      Buffer[written++] = 13;
      ++offset;
    } else {
      Buffer[written++] = 10;
      par = &store.ParInfoAt(++parNb);
      offset = 0;
    }
  }
  Buffer[written] = 0;
}

// ---- Pixels ----

int TDoduNavigator::DisplayY() {
  TVavaDodu& m = *fDodu;
  return VisibleLineNumber() * m.LineHeight + m.TopMargin - m.VOffset;
}

void TDoduNavigator::SetDisplayY(int Y) {
  TVavaDodu& m = *fDodu;
  int y = Y + m.VOffset - m.TopMargin;
  if (m.LineHeight > 0 && y < m.Store.VisibleLines * m.LineHeight)
    SetVisibleLineNumber(std::max(y, 0) / m.LineHeight);
  else
    SetPos(m.Store.TextLength);
}

void TDoduNavigator::SetDisplayPos(TPoint P) {
  TVavaDodu& m = *fDodu;
  int y = P.Y + m.VOffset - m.TopMargin;
  int line = m.LineHeight > 0 ? y / m.LineHeight : 0;
  if (y >= 0 && line >= m.Store.VisibleLines) {
    SetPos(m.Store.TextLength);
    return;
  }
  SetVisibleLineNumber(std::max(line, 0));
  SetDisplayX(P.X);
}

int TDoduNavigator::DisplayX() {
  TVavaDodu& m = *fDodu;
  LineInfo line;
  CurrentLine(line);
  int x = WalkLine(m, *fPar, line, fOffset, [](const TLineRun&) { return true; });
  return x + LineOriginX(m, *fPar, line);
}

void TDoduNavigator::SetDisplayX(int X) {
  TVavaDodu& m = *fDodu;
  LineInfo line;
  CurrentLine(line);
  int target = X - LineOriginX(m, *fPar, line);
  int column = line.Stop - line.Start;
  // The last line of a paragraph may end at its end; any other ends before the next line.
  const ParInfo* par = fPar;
  WalkLine(m, *fPar, line, line.Stop, [&](const TLineRun& run) {
    if (run.Kind == TLineRun::rkText && run.To - run.From > 1 && m.Display != nullptr) {
      int x = run.X;
      for (int i = run.From; i < run.To; ++i) {
        int w = m.Display->TextWidth(par->ParText + i, 1);
        if (x + w / 2 > target) {
          column = i - line.Start;
          return false;
        }
        x += w;
      }
      return true;
    }
    if (run.X + run.Width / 2 > target) {
      column = run.From - line.Start;
      return false;
    }
    return true;
  });
  SetCol(column);
}

int TDoduNavigator::DisplayWidth() {
  FindPar();
  if (fOffset >= GetParLength(*fPar)) return 0;
  RightOfDyn();
  TVavaDodu& m = *fDodu;
  if (m.Display == nullptr) return 0;
  Byte style = StyleByte(Style());
  m.Display->SelectFont(m.FontStyleFor(style, pDynAttr()->DynStyle));
  char16_t c = fPar->ParText[fOffset];
  if (c == u'\t') {
    int x = DisplayX() - LineOriginX(m, *fPar, NavLines()->Get(ParLine()));
    return NextTabStop(m, x) - x;
  }
  return m.Display->TextWidth(&c, 1);
}

// ---- Attribute codes ----

void TDoduNavigator::AddDyn(DynInfoRec& Dyn) {
  int index = DynNb();
  MakeParExtra(*fPar);
  Dyn.DynOffset = fOffset;
  auto& codes = fPar->ParExtra->DynCodes;
  codes.insert(codes.begin() + index, Dyn);
  // Lines starting after the code count one more code before them.
  TLinesList* lines = NavLines();
  for (int i = 1, count = lines->Count(); i < count; ++i) {
    LineInfo& info = fPar->ParExtra->Lines[static_cast<size_t>(i - 1)];
    if (info.Start > fOffset) ++info.StartDynNb;
  }
  ++fDynNb;
}

void TDoduNavigator::RemoveDyn() {
  int index = DynNb();
  if (index >= GetDynCount(*fPar) || CodeAt(*fPar, index).DynOffset != fOffset) throw Exception("Internal VavaDodu error");
  auto& codes = fPar->ParExtra->DynCodes;
  codes.erase(codes.begin() + index);
  for (auto& info : fPar->ParExtra->Lines)
    if (info.Start > fOffset && info.StartDynNb > 0) --info.StartDynNb;
  fParLine = -1;
}

void TDoduNavigator::RightOfDyn() {
  int count = GetDynCount(*Par());
  DynNb();
  while (fDynNb < count && CodeAt(*fPar, fDynNb).DynOffset <= fOffset) ++fDynNb;
}

bool TDoduNavigator::AdvanceDyn() {
  int count = GetDynCount(*Par());
  DynNb();
  if (fDynNb < count && CodeAt(*fPar, fDynNb).DynOffset <= fOffset) {
    ++fDynNb;
    return true;
  }
  return false;
}

bool TDoduNavigator::BackToDyn(int Min) {
  TParagraphStore& store = fDodu->Store;
  int p = ParNumber();
  int index = DynNb() - 1;
  while (index < 0) {
    if (p == 0) return false;
    const ParInfo& prev = store.ParInfoAt(p - 1);
    // Not earlier than the paragraph that holds Min.
    if (prev.StartOffset + GetParLength(prev) + 1 < Min) return false;
    --p;
    index = GetDynCount(store.ParInfoAt(p)) - 1;
  }
  ParInfo& par = store.ParInfoAt(p);
  int offset = CodeAt(par, index).DynOffset;
  if (par.StartOffset + offset < Min) return false;
  if (p != fParNb) {
    fPar = &par;
    fParNb = p;
    if (fNavLines) fNavLines->LLPar = fPar;
  }
  fOffset = offset;
  fPos = par.StartOffset + offset;
  fDynNb = index;
  fParLine = -1;
  return true;
}

bool TDoduNavigator::ForwardToDyn(int Max) {
  TParagraphStore& store = fDodu->Store;
  int p = ParNumber();
  int index = DynNb();
  while (index >= GetDynCount(store.ParInfoAt(p))) {
    if (p + 1 >= store.Count() || store.ParInfoAt(p + 1).StartOffset >= Max) return false;
    ++p;
    index = 0;
  }
  ParInfo& par = store.ParInfoAt(p);
  int offset = CodeAt(par, index).DynOffset;
  if (par.StartOffset + offset > Max) return false;
  if (p != fParNb) {
    fPar = &par;
    fParNb = p;
    if (fNavLines) fNavLines->LLPar = fPar;
    fParLine = -1;
  } else if (offset != fOffset) {
    fParLine = -1;
  }
  fOffset = offset;
  fPos = par.StartOffset + offset;
  fDynNb = index;
  return true;
}

bool TDoduNavigator::PreviousDyn() {
  if (DynNb() == 0) {
    if (!BackToDyn(0)) return false;
    RightOfDyn();
  }
  SetDynNb(DynNb() - 1);
  return true;
}

bool TDoduNavigator::NextDyn() {
  if (DynNb() >= GetDynCount(*fPar)) {
    if (!ForwardToDyn(INT_MAX)) return false;
  }
  SetDynNb(DynNb() + 1);
  return true;
}

// ---- Words ----

void TDoduNavigator::ToPreviousWord() {
  if (fPos == 0) return;
  do {
    SetPos(fPos - 1);
  } while (fPos > 0 && Delimiter(AnsiText()));
  while (fPos > 0 && !Delimiter(AnsiText())) SetPos(fPos - 1);
  if (Delimiter(AnsiText())) SetPos(fPos + 1);
}

void TDoduNavigator::ToNextWord() {
  const int end = fDodu->Store.TextLength;
  if (fPos < end && Text() == 13) {
    SetPos(fPos + 2);
    return;
  }
  int start = fPos;
  while (fPos < end && !Delimiter(AnsiText())) SetPos(fPos + 1);
  if (fPos == start && fPos < end && Text() == 13) SetPos(fPos + 2);
  while (fPos < end && Delimiter(AnsiText())) SetPos(fPos + 1);
}

void TDoduNavigator::ToEndOfWord() {
  FindPar();
  int len = GetParLength(*fPar);
  while (fOffset < len && !Delimiter(AnsiText())) SetPos(fPos + 1);
}

void TDoduNavigator::ToStartOfWord() {
  FindPar();
  while (fOffset > 0 && Delimiter(AnsiText())) SetPos(fPos - 1);
  while (fOffset > 0 && !Delimiter(AnsiText())) SetPos(fPos - 1);
  if (Delimiter(AnsiText())) SetPos(fPos + 1);
}

void InvalidateNavigators(const std::vector<TDoduNavigator*>& List, int FromPos, int ToPar) {
  for (TDoduNavigator* nav : List) {
    if (!nav->Placed()) continue;
    if (nav->Pos() >= FromPos && nav->ParNumber() <= ToPar) nav->ForgetCodeAndLine();
  }
}
