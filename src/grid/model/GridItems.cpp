#include "grid/model/GridItems.h"

#include <algorithm>

String TGridItemStrings::Get(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) return String();
  return FRow->Texts[static_cast<size_t>(Index)].Str();
}

void TGridItemStrings::Put(Integer Index, const String& S) {
  if (Index < 0) return;
  if (static_cast<size_t>(Index) >= FRow->Texts.size()) FRow->Texts.resize(static_cast<size_t>(Index) + 1);
  FRow->Texts[static_cast<size_t>(Index)] = S;
}

void TGridItemStrings::Insert(Integer Index, const String& S) {
  Index = std::clamp(Index, 0, GetCount());
  FRow->Texts.insert(FRow->Texts.begin() + Index, TCellText(S));
  if (static_cast<size_t>(Index) < FRow->Objects.size()) FRow->Objects.insert(FRow->Objects.begin() + Index, nullptr);
}

void TGridItemStrings::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) return;
  FRow->Texts.erase(FRow->Texts.begin() + Index);
  if (static_cast<size_t>(Index) < FRow->Objects.size()) FRow->Objects.erase(FRow->Objects.begin() + Index);
}

void TGridItemStrings::Clear() {
  FRow->Texts.clear();
  FRow->Objects.clear();
}

TGridItem::TGridItem(TGridItems* AOwner, int AIdx, int AHeight, TStringGridRow&& ACells, int ALevel)
    : FOwner(AOwner), FIdx(AIdx), FHeight(AHeight), FLevel(ALevel), FCells(std::move(ACells)) {}

void TGridItem::SetIdx(int Value) {
  FIdx = Value;
  if (FOwner != nullptr) FOwner->Changed();
}

std::unique_ptr<TGridItem> TGridItems::MakeItem(int AIdx, int AHeight, TStringGridRow&& ACells, int ALevel) {
  return std::make_unique<TGridItem>(this, AIdx, AHeight, std::move(ACells), ALevel);
}

TGridItem* TGridItems::Add(int AIdx, int AHeight, TStringGridRow&& ACells, int ALevel) {
  FItems.push_back(MakeItem(AIdx, AHeight, std::move(ACells), ALevel));
  SortedInsert(AIdx);
  return FItems.back().get();
}

void TGridItems::InsertRun(int Index, std::vector<std::unique_ptr<TGridItem>>&& Run) {
  Index = std::clamp(Index, 0, Count());
  for (auto& item : Run) item->FOwner = this;
  // A few items keep the sorted copy up to date; many rebuild it when it is next asked.
  if (Run.size() <= 8) {
    for (auto& item : Run) SortedInsert(item->FIdx);
  } else {
    Changed();
  }
  FItems.insert(FItems.begin() + Index, std::make_move_iterator(Run.begin()), std::make_move_iterator(Run.end()));
}

std::unique_ptr<TGridItem> TGridItems::Extract(int Index) {
  auto item = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
  if (FSortedValid) {
    auto it = std::lower_bound(FSorted.begin(), FSorted.end(), item->FIdx);
    if (it != FSorted.end() && *it == item->FIdx) FSorted.erase(it);
  }
  return item;
}

std::vector<std::unique_ptr<TGridItem>> TGridItems::ExtractRun(int Index, int Count) {
  std::vector<std::unique_ptr<TGridItem>> run(std::make_move_iterator(FItems.begin() + Index),
                                              std::make_move_iterator(FItems.begin() + Index + Count));
  FItems.erase(FItems.begin() + Index, FItems.begin() + Index + Count);
  Changed();
  return run;
}

void TGridItems::Clear() {
  FItems.clear();
  Changed();
}

void TGridItems::SortedInsert(int AIdx) {
  if (!FSortedValid) return;
  FSorted.insert(std::upper_bound(FSorted.begin(), FSorted.end(), AIdx), AIdx);
}

const std::vector<int>& TGridItems::Sorted() const {
  if (!FSortedValid) {
    FSorted.clear();
    FSorted.reserve(FItems.size());
    for (const auto& item : FItems) FSorted.push_back(item->FIdx);
    std::sort(FSorted.begin(), FSorted.end());
    FSortedValid = true;
  }
  return FSorted;
}

bool TGridItems::HasIdx(int AIdx) const {
  const auto& s = Sorted();
  return std::binary_search(s.begin(), s.end(), AIdx);
}

int TGridItems::CountBelow(int AIdx) const {
  const auto& s = Sorted();
  return static_cast<int>(std::lower_bound(s.begin(), s.end(), AIdx) - s.begin());
}

// Walks the hidden real rows in ascending order: every hidden row at or before the candidate
// pushes the answer one further.
int TGridItems::RealFromDisplay(int ARow) const {
  const auto& s = Sorted();
  int real = ARow;
  int last = -1;
  for (int idx : s) {
    if (idx == last) continue;  // a value stored twice hides one row
    last = idx;
    if (idx <= real)
      ++real;
    else
      break;
  }
  return real;
}

int TGridItems::LowerBound(int AIdx) const {
  auto it = std::lower_bound(FItems.begin(), FItems.end(), AIdx,
                             [](const std::unique_ptr<TGridItem>& Item, int Value) { return Item->Idx() < Value; });
  return static_cast<int>(it - FItems.begin());
}
