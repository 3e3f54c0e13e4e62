// The grid drop-down: a drop-down edit whose pop-up holds a full data grid. The list comes
// from the control's own columns and items (UseItems, copied into the grid at every opening)
// or is filled by the user straight into the grid. Grid row r shows item r - 1 under one
// header row; the item number travels with its row as the cell's user integer of column 0, so
// a sorted grid still knows its items. Typed text is looked up in the lookup column and the
// edit text is completed from the items' lookup strings.
//
// The multi-column drop-down has classes of the same names; this unit's live in a namespace
// of their own.
#pragma once

#include <memory>
#include <utility>

#include "classlib/Persistent.h"
#include "classlib/StringList.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/model/RivErodovOzar.h"

class TFont;

namespace RivCustomGridDropDown {

class TCustomRivGridDropDown;

enum TColumnType { ctText, ctImage };
enum TLookupMethod { lmLookup, lmNarrowDown };
enum TDropDownStyle { dsDropDown, dsDropDownList };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

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
  // A copied item is the whole item: its strings come along with the image index.
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
  explicit TDropDownItems(TPersistent* AOwner, ItemFactory Factory = GetItemClass())
      : TCollection(std::move(Factory)), FOwner(AOwner) {}
  TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
  TDropDownItem* Insert(int Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
  TDropDownItem* Items(int Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }
  // The item class of the collection; a descendant collection gives its own.
  static ItemFactory GetItemClass() { return FactoryOf<TDropDownItem>(); }

 private:
  TPersistent* FOwner;
};

// The grid in the pop-up.
class TRivColGrid : public TRivErodovOzar {
 public:
  explicit TRivColGrid(TComponent* AOwner);
  ~TRivColGrid() override;

  // Takes the columns, items, colours and sizes of the drop-down.
  void ConfigureFromDropDown(TCustomRivGridDropDown* DropDown);
  // Writes the header and the items into the cells (with the item numbers).
  void FillGrid();
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
  int GridLineWidth() const { return FColGridLineWidth; }
  void SetGridLineWidth(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomRivGridDropDown* RivDropDown() const { return FRivDropDown; }
  bool ConfirmSelection() const { return FConfirmSelection; }

  TNotifyEvent OnSelect;

  void WndProc(TMessage& Message) override;

 protected:
  virtual void DoSelect();
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomRivGridDropDown;
  bool Wheel(bool Down, TShiftState Shift, TPoint MousePos);
  // The text and image index grid row r measures with (its item's, for column ACol).
  void MeasuredItem(int ARow, int ACol, String& Text, int& ImageIndex) const;

  std::unique_ptr<TDropDownColumns> FColumns;
  std::unique_ptr<TFont> FHeaderFont;
  int FColGridLineWidth = 1;
  TCustomImageList* FImages = nullptr;
  TCustomRivGridDropDown* FRivDropDown = nullptr;
  int FOldRow = 0;
  bool FMouseWheelSelection = false;
  bool FConfirmSelection = false;
};

class TCustomRivGridDropDown : public TRivCustomDropDown {
 public:
  explicit TCustomRivGridDropDown(TComponent* AOwner);
  ~TCustomRivGridDropDown() override;
  void AfterConstruction() override;
  void Loaded() override;

  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TDropDownItems* Items() const { return FItems.get(); }
  void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
  bool UseItems = true;
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int LookupColumn = 0;
  TLookupMethod LookupMethod = lmLookup;
  bool CaseSensitive = false;
  TDropDownStyle Style() const { return FStyle; }
  void SetStyle(TDropDownStyle Value);
  bool AutoShowDropDown = false;
  bool DropDownAutoWidth = true;
  bool ColumnSizeWithDropDown = true;
  int DropDownRowHeight = 22;
  int HeaderHeight = 25;
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  TColor HeaderColor = clWhite;
  TColor HeaderColorTo = clGray;
  TColor LineColor = 0xF1EDEB;
  TColor FixedLineColor = 0xD1BBA4;
  TColor SelectionTextColor = clBlack;
  bool RowSelect = true;
  bool GridEditable = false;
  bool ColumnSizing = false;
  bool ColumnMoving = false;
  bool RowSizing = false;
  bool RowMoving = false;
  TGridSorting Sorting = gsNone;
  bool HoverRow = false;
  TColor HoverRowColor = clInfoBk;
  TColor HoverRowColorTo = clNone;
  TCustomImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TCustomImageList* Value);
  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
  TBands* Bands() const { return FBands.get(); }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  TNavigation* Navigation() const { return FNavigation.get(); }
  void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }

  TNotifyEvent OnSelect;
  TKeyEvent OnGridKeyDown;
  TKeyEvent OnGridKeyUp;
  TKeyPressEvent OnGridKeyPress;

  // The number of items.
  int RowCount() const { return FItems->Count(); }
  bool ReturnIsTab = false;
  bool MatchCase = false;
  bool MatchStart = true;
  void BeginUpdate() {}
  void EndUpdate() { UpdateLookupItems(); }
  TRivColGrid* RivColGrid() const { return FRivColGrid; }

  // The choice moves: each sets ItemIndex (nothing without items).
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void SelectNextPage();
  void SelectPreviousPage();
  // Items in UseItems mode, else the grid's data rows.
  int ItemCount() const;
  int ItemOfRow(int ARow) const;
  int RowOfItem(int AItem) const;

  // ---- Overrides of the drop-down base ----
  int VersionNumber() const override { return 0x05050001; }
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void OpenDropDown() override;
  void PlaceDropDownControl() override;
  void SizeDropDownForm() override;
  void CloseDropDown(bool Cancel) override;
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
  // Adds a typed character to the lookup text and looks it up: a row or item number, or -1.
  int DoLookup(char Key);
  // The first item (UseItems) or data row whose lookup text starts with s.
  bool FindLookup(const String& s, String& Found, int& Number) const;
  // The lookup list again from the items.
  void UpdateLookupItems();
  const String& LookupEntry() const { return FLookupEntry; }
  TStringList* LookupItems() const { return FLookupItems.get(); }

  void WndProc(TMessage& Message) override;

 protected:
  virtual TDropDownItems* CreateItems();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoEnter() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;

 private:
  friend class TRivColGrid;
  void GridSelectCell(int ACol, int ARow, bool& CanSelect);
  void GridSelect(TObject* Sender);
  void HandleKeyDown(TMessage& Message);
  void HandleChar(TMessage& Message);
  bool GridEditing() const;

  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TDropDownItems> FItems;
  std::unique_ptr<TDropDownColumns> FColumns;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TMouseActions> FMouseActions;
  TCustomImageList* FGridImages = nullptr;
  TDropDownStyle FStyle = dsDropDown;
  int FItemIndex = -1;
  TRivColGrid* FRivColGrid = nullptr;
  int FSelRow = 0;
  int FOldItemIndex = -1;
  String FLookupEntry;
  std::unique_ptr<TStringList> FLookupItems;
  bool workmode = true;
  bool FItemChange = false;
  int FItemIdx = -1;
  int FItemSel = 0;
  bool FBalloonInit = false;
  String FOldValue;
};

}  // namespace RivCustomGridDropDown

using RivCustomGridDropDown::TCustomRivGridDropDown;
