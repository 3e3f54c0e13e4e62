// The multi-column drop-down: a drop-down edit whose pop-up lists items in several columns
// under a header row. Each item holds one string per column; the string of the lookup column
// is what the edit shows for the chosen item. The user picks a row with the mouse or the keys,
// types into the list to jump to the first matching item, or types into the edit, where the
// text is completed from the items' lookup strings.
//
// The list is this unit's TRivColGrid, a string grid that paints every cell itself from the
// drop-down's columns and items. The grid drop-down of the grid component has classes of the
// same names; this unit's live in its own namespace.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Grids.h"
#include "classlib/Persistent.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringList.h"
#include "grid/dropdowns/RivDropDown.h"

class TCustomImageList;
class TFont;

namespace RivMultiColumnDropDown {

class TRivMultiColumnDropDown;

enum TColumnType { ctText, ctImage };

using TDrawCellEvent = std::function<void(TObject* Sender, int Column, int Row, TCanvas* ACanvas, TRect ARect)>;
using TGetCellTextEvent = std::function<void(TObject* Sender, int Column, int Row, String& Text)>;
using TGetCellPropEvent =
    std::function<void(TObject* Sender, int Column, int Row, TFont* Font, TColor& AColor, TColor& AColorTo)>;

class TDropDownColumn : public TCollectionItem {
 public:
  explicit TDropDownColumn(TCollection* Collection);
  ~TDropDownColumn() override;
  void Assign(TPersistent* Source) override;

  bool Wordwrap = false;
  int Width = 80;
  bool AutoSize = false;
  String Header;
  TAlignment Alignment = taLeftJustify;
  TColor Color = 0xFFFFFF;
  TColumnType ColumnType = ctText;
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  bool Ellipsis = false;

 private:
  std::unique_ptr<TFont> FFont;
};

class TDropDownColumns : public TCollection {
 public:
  explicit TDropDownColumns(TPersistent* AOwner) : TCollection(FactoryOf<TDropDownColumn>()), FOwner(AOwner) {}
  TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
  TDropDownColumn* Insert(int Index) { return static_cast<TDropDownColumn*>(TCollection::Insert(Index)); }
  TDropDownColumn* Items(int Index) const { return static_cast<TDropDownColumn*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// One row: an image index and a string per column.
class TDropDownItem : public TCollectionItem {
 public:
  explicit TDropDownItem(TCollection* Collection);
  ~TDropDownItem() override;
  // The image index and the strings: a copied list keeps its rows.
  void Assign(TPersistent* Source) override;

  int ImageIndex = -1;
  TStringList* Text() const { return FText.get(); }
  void SetText(TStrings* Value) { FText->Assign(Value); }
  // The string of a column, "" when the item has none there.
  String ColumnText(int Column) const;

 private:
  std::unique_ptr<TStringList> FText;
};

class TDropDownItems : public TCollection {
 public:
  explicit TDropDownItems(TPersistent* AOwner) : TCollection(FactoryOf<TDropDownItem>()), FOwner(AOwner) {}
  TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
  TDropDownItem* Insert(int Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
  TDropDownItem* Items(int Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// The list in the pop-up: grid row r shows item r - 1 under the header row 0.
class TRivColGrid : public TStringGrid {
 public:
  explicit TRivColGrid(TComponent* AOwner);
  ~TRivColGrid() override;

  // Takes the columns, items, colours and sizes of the drop-down.
  void ConfigureFromDropDown(TRivMultiColumnDropDown* DropDown);
  // The width that shows every column (and the scroll bar when rows are hidden).
  int GetPreferredWidth();
  void AutoSizeColumn(int ACol);
  void AutoSizeColumns();
  void WordWrapRows();

  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TColor LineColor = clGray;
  TColor FixedLineColor = clGray;
  TColor HeaderColor = clWhite;
  TColor HeaderColorTo = clGray;
  int HeaderHeight = 25;
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TRivMultiColumnDropDown* RivDropDown() const { return FRivDropDown; }
  bool ConfirmSelection() const { return FConfirmSelection; }

  TGetCellTextEvent OnGetCellText;
  TDrawCellEvent OnDrawCell;
  TGetCellPropEvent OnGetCellProp;
  TNotifyEvent OnSelect;

  void WndProc(TMessage& Message) override;

 protected:
  virtual void DoSelect();
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TRivMultiColumnDropDown;
  bool Wheel(int Step);
  // The canvas text is measured on outside painting.
  TCanvas* MeasuringCanvas();

  std::unique_ptr<TDropDownColumns> FColumns;
  std::unique_ptr<TFont> FHeaderFont;
  int FGridLineWidth = 1;
  TCustomImageList* FImages = nullptr;
  TRivMultiColumnDropDown* FRivDropDown = nullptr;
  int FOldRow = 0;
  bool FMouseWheelSelection = false;
  bool FConfirmSelection = false;
};

class TRivMultiColumnDropDown : public TRivCustomDropDown {
 public:
  explicit TRivMultiColumnDropDown(TComponent* AOwner);
  ~TRivMultiColumnDropDown() override;
  void AfterConstruction() override;
  void Loaded() override;

  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TDropDownItems* Items() const { return FItems.get(); }
  void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int LookupColumn() const { return FLookupColumn; }
  void SetLookupColumn(int Value) { FLookupColumn = Value; }
  bool CaseSensitive = false;
  bool DropDownAutoWidth = true;
  bool ColumnSizeWithDropDown = true;
  bool ColumnSizing = false;
  int DropDownRowHeight = 22;
  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  TColor HeaderColor = clWhite;
  TColor HeaderColorTo = clGray;
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor FixedLineColor = 0xD1BBA4;
  TColor SelectionTextColor = clBlack;

  TNotifyEvent OnSelect;
  TDrawCellEvent OnDropDownDrawItem;
  TGetCellTextEvent OnDropDownGetItemText;
  TGetCellPropEvent OnDropDownGetItemProp;

  int RowCount() const { return FItems->Count(); }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool MatchCase = false;
  bool MatchStart = true;
  void BeginUpdate() {}
  void EndUpdate() { UpdateLookupItems(); }
  // The first item whose lookup string is exactly Value; -1 when none.
  int GetItemIndex(const String& Value) const;

  // The choice moves: each sets ItemIndex (nothing without items).
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void SelectNextPage();
  void SelectPreviousPage();

  TRivColGrid* ColGrid() const { return FRivColGrid; }
  const String& LookupEntry() const { return FLookupEntry; }
  TStringList* LookupItems() const { return FLookupItems.get(); }

  // ---- Overrides of the drop-down base ----
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void OpenDropDown() override;
  void PlaceDropDownControl() override;
  void SizeDropDownForm() override;
  void CloseDropDown(bool Cancel) override;
  void PopupHidden() override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(char& Key) override;
  void PopupSizing() override;
  void PopupWheelDown() override;
  void PopupWheelUp() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetComponentStyle(TVAVStyle AStyle) override;
  void ApplyText(const String& Value) override;

  // Scales the column widths to fill the pop-up.
  void SizeColumnsToDropDown();
  // Adds a character typed into the list to the lookup text and looks it up; the item found,
  // or -1.
  int DoLookup(char Key);
  // The first item whose lookup string starts with s.
  bool FindLookup(const String& s, int& Index, String& Found) const;
  // The lookup list again from the items.
  void UpdateLookupItems();

  void WndProc(TMessage& Message) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;

 private:
  friend class TRivColGrid;
  void GridSelectCell(int ACol, int ARow, bool& CanSelect);
  void GridSelect(TObject* Sender);
  void HandleKeyDown(TMessage& Message);

  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TDropDownColumns> FColumns;
  std::unique_ptr<TDropDownItems> FItems;
  int FItemIndex = -1;
  int FLookupColumn = 0;
  int FHeaderHeight = 25;
  TColor FLineColor = clSilver;
  bool FReturnIsTab = false;
  bool FShowing = false;
  TRivColGrid* FRivColGrid = nullptr;
  int FOldItemIndex = -1;
  String FLookupEntry;
  std::unique_ptr<TStringList> FLookupItems;
  bool workmode = true;
  bool FItemChange = false;
  int FItemIdx = -1;
  int FItemSel = 0;
  String FOldValue;
};

}  // namespace RivMultiColumnDropDown

using RivMultiColumnDropDown::TRivMultiColumnDropDown;
