// TSortSettings: the grid's sort column, direction and glyphs, and the colours of the sorted
// column's header.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Persistent.h"
#include "grid/model/RivErodovOzarCalcTypes.h"

class TSortSettings : public TPersistent {
 public:
  // Repaint is called by the setters that change what the grid shows.
  explicit TSortSettings(std::function<void()> Repaint);
  ~TSortSettings() override;
  void Assign(TPersistent* Source) override;

  bool Show() const { return FShow; }
  void SetShow(bool Value);
  int Row = 0;
  int Column = -1;
  TSortDirection Direction = sdAscending;
  bool FixedCols = false;
  bool IndexShow = false;
  TColor IndexColor = 0xFFFFFF;
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

 private:
  std::function<void()> FRepaint;
  bool FShow = false;
  std::unique_ptr<TBitmap> FUpGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FDownGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FIndexUpGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FIndexDownGlyph = std::make_unique<TBitmap>();
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderMirrorColor = clNone;
  TColor FHeaderMirrorColorTo = clNone;
};
