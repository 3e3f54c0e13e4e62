// The grid's filter conditions (TFilter of TFilterData), the settings of the per-column filter
// drop-down (TFilterDropDown), the list box that shows the drop-down's entries (TDropList) and
// the pop-up form that never takes the activation (TNoActiveForm).
#pragma once

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Persistent.h"
#include "classlib/PopupForms.h"
#include "classlib/StdCtrls.h"
#include "grid/tools/GridToolTypes.h"

class TRivErodovOzar;

class TFilterData : public TCollectionItem {
 public:
  explicit TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}
  // From another TFilterData only; any other source raises EInvalidCast.
  void Assign(TPersistent* Source) override;

  int16_t Column = 0;
  String Condition;
  bool CaseSensitive = true;
  String Suffix;
  String Prefix;
  TFilterOperation Operation = foSHORT;
  TFilterCells Data = fcVirtual;
};

class TFilter : public TCollection {
 public:
  explicit TFilter(TRivErodovOzar* AOwner);
  TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
  // Appends at the end, whatever the index: the conditions keep the order they came in.
  TFilterData* Insert(int Index);
  TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
  // The first condition on the column, appended when there is none.
  TFilterData* FilterOfColumn(int Col);
  bool HasFilter(int Col) const;
  void RemoveColumnFilter(int Col);
  TRivErodovOzar* Grid() const { return FOwner; }

 private:
  TRivErodovOzar* FOwner;
};

class TFilterDropDown : public TPersistent {
 public:
  explicit TFilterDropDown(TRivErodovOzar* AOwner);
  ~TFilterDropDown() override;
  void Assign(TPersistent* Source) override;

  bool AutoSize = false;
  int Height = 150;
  int Width = 150;
  TColor Color = clWindow;
  bool ColumnWidth = false;
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  TBitmap* GlyphActive() const { return FGlyphActive.get(); }
  void SetGlyphActive(TBitmap* Value) { FGlyphActive->Assign(Value); }
  // Fired when either glyph changes.
  TNotifyEvent OnChange;

 private:
  TRivErodovOzar* FOwner;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FGlyphActive = std::make_unique<TBitmap>();
};

// The list of a column's filter entries. Enter and a release of the mouse button pick the
// entry under the selection; the class library's cancel mode with the mouse outside closes
// the list without a pick (LParam: the mouse point in the list's client coordinates, packed as
// MAKELPARAM).
class TDropList : public TListBox {
 public:
  TDropList(TComponent* AOwner, TRivErodovOzar* AGrid);
  TDropSelectEvent OnSelect;
  void WndProc(TMessage& Message) override;

 protected:
  void KeyPress(char& Key) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void Pick();
  TRivErodovOzar* FGrid;
};

// A pop-up that never takes the activation from the window under it: a press on it leaves
// the activation where it was.
class TNoActiveForm : public TPopupForm {
 public:
  explicit TNoActiveForm(TComponent* AOwner);
  void WndProc(TMessage& Message) override;
};
