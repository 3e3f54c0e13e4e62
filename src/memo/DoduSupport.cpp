#include "memo/DoduSupport.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/WideText.h"
#include "memo/MemoDisplay.h"

namespace {

DynInfoRec MakeDefaultAttrib() {
  DynInfoRec a;
  a.Backgnd = -1;
  a.Foregnd = -1;
  return a;
}

DynInfoRec gDefaultAttrib = MakeDefaultAttrib();

[[noreturn]] void ListIndexError() { throw ERangeError("List index out of bounds"); }

LineInfo PlainFirstLine(const ParInfo& Par) {
  LineInfo line;
  line.Start = 0;
  line.Stop = Par.ParLength;
  line.LineWidth = Par.LineWidth;
  line.TotalWidth = Par.LineWidth;
  line.Spaces = 0;
  line.JustifyStart = Par.ParLength;
  line.StartDynNb = 0;
  return line;
}

}  // namespace

// ---- Attributes ----

pDynInfoRec DefaultAttrib() { return &gDefaultAttrib; }

pDynInfoRec CopyAttrib(const DynInfoRec& Attrib) {
  auto* copy = new DynInfoRec(Attrib);
  copy->DynOffset = 1;
  return copy;
}

void ReleaseAttrib(pDynInfoRec Attrib) {
  if (Attrib == nullptr || Attrib == &gDefaultAttrib) return;
  if (--Attrib->DynOffset <= 0) delete Attrib;
}

int ScopeLevel(const DynInfoRec& Attrib) { return Attrib.DynStyle >= kDynScope ? Attrib.Level : -1; }

int CollapseLevel(const DynInfoRec& Attrib) {
  return (Attrib.DynStyle & kDynHighlight) != 0 ? Attrib.CollpsLevel : 0;
}

// ---- Paragraphs ----

int GetParLength(const ParInfo& Par) {
  return Par.ParState.Contains(ddpHasExtra) ? Par.ParExtra->ParLength : Par.ParLength;
}

void MakeParExtra(ParInfo& Par) {
  if (Par.ParState.Contains(ddpHasExtra)) return;
  auto* extra = new ParExtraInfo;
  extra->Foregnd = -1;
  extra->Backgnd = -1;
  extra->ParLength = Par.ParLength;
  extra->FirstLine = PlainFirstLine(Par);
  extra->StartDynAttrib = &gDefaultAttrib;
  extra->BlocksCollapsed = 0;
  extra->StartBlockCount = Par.BlockState.Contains(ddbStartBlock) ? 1 : 0;
  extra->StopBlockCount = Par.BlockState.Contains(ddbEndBlock) ? 1 : 0;
  Par.ParExtra = extra;
  Par.ParState.Include(ddpHasExtra);
}

int GetDynCount(const ParInfo& Par) {
  return Par.ParState.Contains(ddpHasExtra) ? static_cast<int>(Par.ParExtra->DynCodes.size()) : 0;
}

void SetDynCount(ParInfo& Par, int N) {
  if (N > 0) MakeParExtra(Par);
  if (Par.ParState.Contains(ddpHasExtra)) Par.ParExtra->DynCodes.resize(static_cast<size_t>(std::max(N, 0)));
}

int GetLineCount(const ParInfo& Par) {
  return Par.ParState.Contains(ddpHasExtra) ? 1 + static_cast<int>(Par.ParExtra->Lines.size()) : 1;
}

pDynInfoRec GetStartAttrib(const ParInfo& Par) {
  return Par.ParState.Contains(ddpHasExtra) ? Par.ParExtra->StartDynAttrib : &gDefaultAttrib;
}

void SetStartAttrib(ParInfo& Par, pDynInfoRec Attrib, bool Copy) {
  // The new reference is taken before the old one goes: both may be the same shared copy.
  pDynInfoRec attrib = &gDefaultAttrib;
  if (Attrib != nullptr && (Attrib->DynStyle & kDynHighlight) != 0) {
    if (Copy) {
      attrib = CopyAttrib(*Attrib);
    } else {
      ++Attrib->DynOffset;
      attrib = Attrib;
    }
    MakeParExtra(Par);
  }
  if (!Par.ParState.Contains(ddpHasExtra)) return;
  ReleaseAttrib(Par.ParExtra->StartDynAttrib);
  Par.ParExtra->StartDynAttrib = attrib;
}

LineInfo ParFirstLineInfo(const ParInfo& Par) {
  return Par.ParState.Contains(ddpHasExtra) ? Par.ParExtra->FirstLine : PlainFirstLine(Par);
}

void SetParLength(ParInfo& Par, int Length) {
  if (!Par.ParState.Contains(ddpHasExtra) && Length > 0xFFFF) MakeParExtra(Par);
  if (Par.ParState.Contains(ddpHasExtra))
    Par.ParExtra->ParLength = Length;
  else
    Par.ParLength = static_cast<uint16_t>(Length);
}

void FreeParData(ParInfo& Par) {
  if (Par.ParState.Contains(ddpOwnTextBuffer)) delete[] Par.ParText;
  Par.ParText = nullptr;
  if (Par.ParState.Contains(ddpHasExtra)) {
    ReleaseAttrib(Par.ParExtra->StartDynAttrib);
    delete Par.ParExtra;
  }
  Par.ParExtra = nullptr;
  Par.ParState = TParStates();
}

// ---- Text ----

bool IsStyleCode(char16_t Ch) { return (Ch >= 1 && Ch <= 4) || Ch == 21; }

void ToggleStyleBit(Byte& Style, int Bit) { Style = static_cast<Byte>(Style ^ (1u << Bit)); }

bool ApplyStyleCode(Byte& Style, char16_t Ch) {
  switch (Ch) {
    case 2: ToggleStyleBit(Style, 0); return true;
    case 1: ToggleStyleBit(Style, 1); return true;
    case 21: ToggleStyleBit(Style, 2); return true;
    case 3: ToggleStyleBit(Style, 4); return true;
    case 4: ToggleStyleBit(Style, 5); return true;
    default: return false;
  }
}

int MeasureText(TMemoDisplay* Device, const char16_t* Text, int N, int Chunk) {
  if (Chunk < 1) Chunk = N;
  int width = 0;
  while (N > 0) {
    int piece = std::min(N, Chunk);
    width += Device->TextWidth(Text, piece);
    Text += piece;
    N -= piece;
  }
  return width;
}

const char16_t* ScanChar(const char16_t* Text, char16_t Ch) {
  for (; *Text != 0; ++Text)
    if (*Text == Ch) return Text;
  return nullptr;
}

void UpperCaseInPlace(char16_t* Text, int Length) { CharUpperBuffW(Text, Length); }

// ---- TLinesList ----

int TLinesList::Count() const { return GetLineCount(*LLPar); }

LineInfo TLinesList::Get(int Index) const {
  if (Index < 0 || Index >= Count()) ListIndexError();
  if (Index == 0) {
    if (LLPar->ParState.Contains(ddpHasExtra)) return LLPar->ParExtra->FirstLine;
    fFirstLine = PlainFirstLine(*LLPar);
    return fFirstLine;
  }
  return LLPar->ParExtra->Lines[static_cast<size_t>(Index - 1)];
}

void TLinesList::Put(int Index, const LineInfo& Item) {
  if (Index < 0 || Index >= Count()) ListIndexError();
  if (Index == 0) {
    if (LLPar->ParState.Contains(ddpHasExtra)) {
      LLPar->ParExtra->FirstLine = Item;
    } else {
      // A plain paragraph keeps only its width; anything it cannot hold needs extra data.
      LineInfo plain = PlainFirstLine(*LLPar);
      plain.LineWidth = plain.TotalWidth = Item.LineWidth;
      if (Item.Start == plain.Start && Item.Stop == plain.Stop && Item.LineWidth == Item.TotalWidth &&
          Item.LineWidth >= 0 && Item.LineWidth <= 0xFFFF && Item.Spaces == 0 && Item.JustifyStart == plain.JustifyStart &&
          Item.StartAttrib.Empty() && Item.StartDynNb == 0 && !Item.Hidden && Item.TotalColumns == 0) {
        LLPar->LineWidth = static_cast<uint16_t>(Item.LineWidth);
      } else {
        MakeParExtra(*LLPar);
        LLPar->ParExtra->FirstLine = Item;
      }
    }
    return;
  }
  LLPar->ParExtra->Lines[static_cast<size_t>(Index - 1)] = Item;
}

void TLinesList::SetCount(int N) {
  N = std::max(N, 1);
  if (N >= 2) MakeParExtra(*LLPar);
  if (LLPar->ParState.Contains(ddpHasExtra)) LLPar->ParExtra->Lines.resize(static_cast<size_t>(N - 1));
}

int TLinesList::Add(const LineInfo& Item) {
  int index = Count();
  SetCount(index + 1);
  Put(index, Item);
  return index;
}
