// TSortSettings: the grid's sort column, direction, blank placement and case handling, the
// glyphs and the colours of the sorted column's header, and the short text form of a sort.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Persistent.h"
#include "grid/model/RivErodovOzarCalcTypes.h"

class TRivErodovOzar;

enum TSortBlankPosition { blFirst, blLast };
enum TIndexSortKey { ikShift, ikCtrl };

class TSortSettings : public TPersistent {
 public:
  // Repaint is called by the setters that change what the grid shows.
  explicit TSortSettings(std::function<void()> Repaint);
  // Settings of a grid: they repaint it, and the text form sorts it.
  explicit TSortSettings(TRivErodovOzar* AGrid);
  ~TSortSettings() override;
  void Assign(TPersistent* Source) override;

  bool Show() const { return FShow; }
  void SetShow(bool Value);
  int Row() const { return FRow; }
  // Raises Exception "Sort row should be smaller than number of fixed rows".
  void SetRow(int Value);
  int Column = -1;
  TSortDirection Direction = sdAscending;
  bool FixedCols = false;
  bool IndexShow = false;
  TColor IndexColor = 0xFFFFFF;
  bool Full = true;
  bool SingleColumn = false;
  bool IgnoreBlanks = false;
  TSortBlankPosition BlankPos = blFirst;
  bool AutoFormat = true;
  bool NormalCellsOnly = false;
  bool AutoColumnMerge = false;
  TSortDirection InitSortDirection = sdAscending;
  bool UndoSort = false;
  bool AutoSortForGrouping = true;
  bool SortOnVirtualCells = true;
  bool IgnoreCase = false;
  TIndexSortKey IndexSortKey = ikShift;
  TBitmap* UpGlyph() const { return FUpGlyph.get(); }
  TBitmap* DownGlyph() const { return FDownGlyph.get(); }
  TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
  TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value);
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value);
  TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
  void SetHeaderMirrorColor(TColor Value);
  TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
  void SetHeaderMirrorColorTo(TColor Value);

  // "u<column>" or "d<column>"; "i;" and the sort-index list after an indexed sort.
  String SaveToString() const;
  // Restores and runs the sort a SaveToString text describes; "" does nothing. A text of one
  // character raises Exception "Invalid sort settings specifier".
  void LoadFromString(const String& Value);
  // No sort column, no sort indexes.
  void Remove();

 private:
  void Repaint();
  void RepaintHeaderRow();

  TRivErodovOzar* FGrid = nullptr;
  std::function<void()> FRepaint;
  bool FShow = false;
  int FRow = 0;
  std::unique_ptr<TBitmap> FUpGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FDownGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FIndexUpGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FIndexDownGlyph = std::make_unique<TBitmap>();
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderMirrorColor = clNone;
  TColor FHeaderMirrorColorTo = clNone;
};
