// TRivGridWorkbook: several sheets in one grid, with sheet tabs along the bottom edge. Only the
// active sheet lives in the grid; every other sheet keeps its cells, current cell, scroll
// position, column widths, row heights and sort column, and is swapped into the grid when its
// tab is chosen.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Controls.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Persistent.h"
#include "classlib/TabSet.h"
#include "grid/base/RivObjLists.h"

class TRivErodovOzar;
class TRivGridWorkbook;

using TSheetChangeEvent = std::function<void(TObject* Sender, int NewSheet, bool& AllowChange)>;

// Colours and font of the sheet tabs; every change fires OnChange.
class TTabLook : public TPersistent {
 public:
  TTabLook();
  bool DitherBackground() const { return FDitherBackground; }
  void SetDitherBackground(bool Value);
  TColor SelectColor() const { return FSelectColor; }
  void SetSelectColor(TColor Value);
  TColor UnSelectColor() const { return FUnSelectColor; }
  void SetUnSelectColor(TColor Value);
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(*Value); }
  TNotifyEvent OnChange;

 private:
  void Changed();
  bool FDitherBackground = true;
  TColor FSelectColor = clBtnFace;
  TColor FUnSelectColor = clWhite;
  TColor FBackgroundColor = clBtnFace;
  std::unique_ptr<TFont> FFont;
};

class TGridSheet : public TCollectionItem {
 public:
  explicit TGridSheet(TCollection* Collection);
  ~TGridSheet() override;
  const String& Name() const { return FName; }
  void SetName(const String& Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  void Assign(TPersistent* Source) override;

  // The sheet's cells while another sheet is active; empty (nullptr) until it was left once.
  // Held in a grid of their own until the grid's binary cell stream is there to hold them.
  std::unique_ptr<TRivErodovOzar> FData;
  int FTag = 0;
  String FName;
  int FCol = 0;
  int FRow = 0;
  int FLeftCol = 0;
  int FTopRow = 0;
  TIntList FColWidths{0, 0};
  TIntList FRowHeights{0, 0};
  int FSortColumn = -1;

 private:
  void CollectionChanged();
};

class TGridSheetCollection : public TCollection {
 public:
  explicit TGridSheetCollection(TRivGridWorkbook* AOwner);
  TGridSheet* Add() { return static_cast<TGridSheet*>(TCollection::Add()); }
  TGridSheet* Insert(int Index) { return static_cast<TGridSheet*>(TCollection::Insert(Index)); }
  TGridSheet* Items(int Index) const { return static_cast<TGridSheet*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override;
  // Removes the sheets one by one through the workbook, sheet 0 first.
  void Clear();
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TRivGridWorkbook* FOwner;
};

class TRivGridWorkbook : public TCustomControl {
 public:
  explicit TRivGridWorkbook(TComponent* AOwner);
  ~TRivGridWorkbook() override;

  // Creates the window (and with it the grid) when there is none yet.
  TRivErodovOzar* Grid();
  TTabSet* TabSet() const { return FTabSet; }
  TGridSheetCollection* Sheets() const { return FSheets.get(); }
  void SetSheets(TGridSheetCollection* Value) { FSheets->Assign(Value); }
  int ActiveSheet() const { return FActiveSheet; }
  void SetActiveSheet(int Value);
  void AddSheet(const String& SheetName);
  void InsertSheet(int Index, const String& SheetName);
  void RemoveSheet(int Index);
  TTabLook* TabLook() const { return FTabLook.get(); }
  void SetTabLook(TTabLook* Value);
  void SetName(const String& Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual int GetVersionNr() const { return 0x03030005; }
  String Version() const;

  int DefaultColCount() const { return FDefaultColCount; }
  int DefaultRowCount() const { return FDefaultRowCount; }

  TSheetChangeEvent OnSheetChange;
  int BorderWidth = 1;

 protected:
  void CreateWnd() override;
  void Paint() override;
  virtual void SheetsChanged(TObject* Sender);

 private:
  void SaveSheet(TGridSheet* Sheet);
  void LoadSheet(TGridSheet* Sheet);
  void SynchroniseTabs(TObject* Sender);
  void TabClick(TObject* Sender, int NewTab, bool& AllowChange);
  void ApplyTabLook(TObject* Sender);

  TTabSet* FTabSet = nullptr;
  TRivErodovOzar* FGrid = nullptr;
  int FActiveSheet = 0;
  bool FAutoCreated = false;
  bool FWinCreated = false;
  std::unique_ptr<TGridSheetCollection> FSheets;
  int FDefaultColCount = 0;
  int FDefaultRowCount = 0;
  int FDefaultRowHeight = 0;
  int FDefaultColWidth = 0;
  std::unique_ptr<TTabLook> FTabLook;
};
