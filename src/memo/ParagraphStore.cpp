#include "memo/ParagraphStore.h"

#include <algorithm>
#include <cstring>

#include "classlib/Exceptions.h"

TParagraphStore::~TParagraphStore() { Clear(); }

ParInfo& TParagraphStore::ParInfoAt(int N) {
  if (N < 0 || N >= FCount) throw ERangeError("List index out of bounds");
  return Item(N);
}

void TParagraphStore::ShiftStartLines(int N, int Delta) {
  if (N >= FCount || Delta == 0) return;
  N = std::max(N, 0);
  // Block by block: the inner walk stays inside one allocation.
  while (N < FCount) {
    ParInfo* block = FBlocks[static_cast<size_t>(N / kBlockItems)].get();
    int end = std::min(FCount, (N / kBlockItems + 1) * kBlockItems);
    for (int i = N % kBlockItems, last = i + (end - N); i < last; ++i) block[i].StartLine += Delta;
    N = end;
  }
}

void TParagraphStore::MarkParsDirty(int First, int LineInPar, int Last) {
  if (DirtyLastPar < DirtyFirstPar) {
    DirtyFirstPar = FCount;
    if (FCount > 0) {
      const ParInfo& last = Item(FCount - 1);
      DirtyFirstLine = last.StartLine + (last.ParState.Contains(ddpHidden) ? 0 : GetLineCount(last));
    } else {
      DirtyFirstLine = 0;
    }
  }
  if (First <= DirtyFirstPar) {
    DirtyFirstPar = First;
    if (First >= 0 && First < FCount) DirtyFirstLine = std::min(DirtyFirstLine, Item(First).StartLine + LineInPar);
  }
  DirtyLastPar = std::max(DirtyLastPar, Last);
  if (LastParsedPar >= First) LastParsedPar = First - 1;
  QuickReformat = false;
}

void TParagraphStore::ClearDirtyRange() {
  DirtyFirstLine = TotalLines;
  DirtyFirstPar = FCount;
  DirtyLastPar = -1;
  PendingLineDelta = 0;
}

void TParagraphStore::ClearFormatted() {
  for (int i = 0; i < FCount; ++i) Item(i).ParState.Exclude(ddpFormatted);
  FormatFrom = 0;
  FormatTo = FCount - 1;
}

char16_t* TParagraphStore::CopyText(const char16_t* Text, int Length) {
  auto* copy = new char16_t[static_cast<size_t>(Length) + 1];
  if (Length > 0) std::memcpy(copy, Text, static_cast<size_t>(Length) * sizeof(char16_t));
  copy[Length] = 0;
  return copy;
}

void TParagraphStore::Grow() {
  if (FCount == static_cast<int>(FBlocks.size()) * kBlockItems)
    FBlocks.push_back(std::make_unique<ParInfo[]>(kBlockItems));
}

void TParagraphStore::Insert(int N, const char16_t* Text, int Length) {
  if (N < 0 || N > FCount) throw ERangeError("List index out of bounds");
  Grow();
  for (int i = FCount; i > N; --i) Item(i) = Item(i - 1);
  ++FCount;
  ParInfo& par = Item(N);
  par = ParInfo();
  par.ParText = CopyText(Text, Length);
  par.ParState.Include(ddpOwnTextBuffer);
  SetParLength(par, Length);
  UpdateOffsets(N);
}

void TParagraphStore::Append(const char16_t* Text, int Length) {
  Grow();
  ParInfo& par = Item(FCount);
  par = ParInfo();
  par.ParText = CopyText(Text, Length);
  par.ParState.Include(ddpOwnTextBuffer);
  SetParLength(par, Length);
  if (FCount > 0) {
    const ParInfo& prev = Item(FCount - 1);
    par.StartOffset = prev.StartOffset + GetParLength(prev) + 2;
  }
  ++FCount;
  TextLength = par.StartOffset + Length;
}

void TParagraphStore::Delete(int N) {
  ParInfo& par = ParInfoAt(N);
  FreeParData(par);
  for (int i = N; i + 1 < FCount; ++i) Item(i) = Item(i + 1);
  --FCount;
  Item(FCount) = ParInfo();
  if (FCount <= (static_cast<int>(FBlocks.size()) - 1) * kBlockItems) FBlocks.pop_back();
  UpdateOffsets(N);
}

void TParagraphStore::Clear() {
  for (int i = 0; i < FCount; ++i) FreeParData(Item(i));
  FBlocks.clear();
  FCount = 0;
  TextLength = 0;
}

void TParagraphStore::SetParText(int N, const char16_t* Text, int Length) {
  ParInfo& par = ParInfoAt(N);
  char16_t* copy = CopyText(Text, Length);
  if (par.ParState.Contains(ddpOwnTextBuffer)) delete[] par.ParText;
  par.ParText = copy;
  par.ParState.Include(ddpOwnTextBuffer);
  SetParLength(par, Length);
  UpdateOffsets(N + 1);
}

void TParagraphStore::UpdateOffsets(int From) {
  From = std::max(From, 0);
  int offset = 0;
  if (From > 0 && From <= FCount) {
    const ParInfo& prev = Item(From - 1);
    offset = prev.StartOffset + GetParLength(prev) + 2;
  }
  for (int i = From; i < FCount; ++i) {
    ParInfo& par = Item(i);
    par.StartOffset = offset;
    offset += GetParLength(par) + 2;
  }
  TextLength = FCount == 0 ? 0 : offset - 2;
}
