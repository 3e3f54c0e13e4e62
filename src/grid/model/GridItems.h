// The hidden-row store of the data grid: one TGridItem per hidden row, holding the row's cells
// (texts and object slots, moved out of the grid, not copied) and height.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Grids.h"
#include "classlib/StringList.h"

class TGridItems;

// The texts of a stored row seen as a string list (one string per real column).
class TGridItemStrings : public TStrings {
 public:
  explicit TGridItemStrings(TStringGridRow* ARow) : FRow(ARow) {}
  String Get(Integer Index) const override;
  Integer GetCount() const override { return static_cast<Integer>(FRow->Texts.size()); }
  void Put(Integer Index, const String& S) override;
  TObject* GetObject(Integer Index) const override { return FRow->Object(static_cast<size_t>(Index)); }
  void PutObject(Integer Index, TObject* AObject) override { FRow->SetObject(static_cast<size_t>(Index), AObject); }
  void Insert(Integer Index, const String& S) override;
  void Delete(Integer Index) override;
  void Clear() override;

 private:
  TStringGridRow* FRow;
};

class TGridItem {
 public:
  TGridItem(TGridItems* AOwner, int AIdx, int AHeight, TStringGridRow&& ACells, int ALevel = 0);
  TGridItem(const TGridItem&) = delete;
  TGridItem& operator=(const TGridItem&) = delete;

  // For rows hidden by HideRows and HideRowsEx the real row, for rows hidden by a row list
  // the display row they had.
  int Idx() const { return FIdx; }
  void SetIdx(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Level() const { return FLevel; }
  void SetLevel(int Value) { FLevel = Value; }
  TStrings* Items() { return &FStrings; }
  TStringGridRow& Cells() { return FCells; }

 private:
  friend class TGridItems;
  TGridItems* FOwner;
  int FIdx;
  int FHeight;
  int FLevel;
  TStringGridRow FCells;
  TGridItemStrings FStrings{&FCells};
};

class TGridItems {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TGridItem* Items(int Index) const { return FItems[static_cast<size_t>(Index)].get(); }
  TGridItem* Add(int AIdx, int AHeight, TStringGridRow&& ACells, int ALevel = 0);
  // Inserts a run of items at Index in one step.
  void InsertRun(int Index, std::vector<std::unique_ptr<TGridItem>>&& Run);
  std::unique_ptr<TGridItem> Extract(int Index);
  // Takes out the items Index..Index+Count-1 in one step.
  std::vector<std::unique_ptr<TGridItem>> ExtractRun(int Index, int Count);
  void Delete(int Index) { Extract(Index); }
  void Clear();
  std::unique_ptr<TGridItem> MakeItem(int AIdx, int AHeight, TStringGridRow&& ACells, int ALevel = 0);

  // Answers on the stored Idx values, from a sorted copy kept until the store changes.
  bool HasIdx(int AIdx) const;
  // The number of items whose Idx is below AIdx.
  int CountBelow(int AIdx) const;
  // The display row of real row ARow, and the real row of display row ARow.
  int RealFromDisplay(int ARow) const;
  // The store position of the first item with Idx at or above AIdx, for a store in ascending
  // Idx order.
  int LowerBound(int AIdx) const;
  void Changed() { FSortedValid = false; }

 private:
  const std::vector<int>& Sorted() const;
  void SortedInsert(int AIdx);
  std::vector<std::unique_ptr<TGridItem>> FItems;
  mutable std::vector<int> FSorted;
  mutable bool FSortedValid = false;
};
