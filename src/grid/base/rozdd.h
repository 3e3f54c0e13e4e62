// Cell drag and drop: a drop target that inspects what is dragged over a grid and hands the
// dropped data to overridable operations, a drop source following the drag, a data object
// offering a grid's text, rich text, a column number or a block of cells, its format
// enumerator, and TEnumFormats, which finds and reads formats of any dropped data object.
// Data blocks whose lengths or offsets do not fit in the block are treated as absent.
#pragma once

#include <memory>

#include "classlib/OleDragDrop.h"
#include "classlib/Sets.h"
#include "classlib/Streams.h"
#include "classlib/StringList.h"

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = Set<TDropFormat>;

constexpr CLIPFORMAT CF_UNICODETEXT_FORMAT = 13;
constexpr CLIPFORMAT CF_TEXT_FORMAT = 1;

// The rich-text switch: rich text is offered and accepted only while it is on (off at start).
void EnableRTFDragDrop(bool On);
bool RTFDragDropEnabled();

// The ids of the four named formats, 0 until a format reader registered them.
CLIPFORMAT CF_RTF();
CLIPFORMAT CF_GRIDCOL();
CLIPFORMAT CF_GRIDCELLS();
CLIPFORMAT CF_URL();

// Reads the formats of a data object.
class TEnumFormats : public TObject {
 public:
  // Raises Exception "Cannot get the format enumerator" for a data object without one.
  explicit TEnumFormats(IDataObject* DataObject);

  IDataObject* DataObject() const { return FDataObject; }
  int Count() const { return FCount; }
  bool Valid() const { return FValid; }
  const FORMATETC& FormatEtc() const { return FFormatEtc; }
  DWORD Aspect() const { return FFormatEtc.dwAspect; }
  void SetAspect(DWORD Value) { FFormatEtc.dwAspect = Value; }
  CLIPFORMAT Format() const { return FFormatEtc.cfFormat; }
  void SetFormat(CLIPFORMAT Value) { FFormatEtc.cfFormat = Value; }
  int32_t Index() const { return FFormatEtc.lindex; }
  void SetIndex(int32_t Value) { FFormatEtc.lindex = Value; }
  DWORD Medium() const { return FFormatEtc.tymed; }
  void SetMedium(DWORD Value) { FFormatEtc.tymed = Value; }

  bool Reset();
  bool Next();
  // True when the data object lists the format; it is then the current entry.
  bool HasFormat(CLIPFORMAT Format);
  // The current format's block in that medium; nothing when it cannot be had.
  std::optional<String> Handle(DWORD Medium);
  std::optional<String> GlobalHandle() { return Handle(TYMED_HGLOBAL); }

  bool HasText() { return HasFormat(CF_UNICODETEXT_FORMAT); }
  bool HasFile() { return HasFormat(CF_HDROP); }
  bool HasRTF() { return HasFormat(CF_RTF()); }
  bool HasCol() { return HasFormat(CF_GRIDCOL()); }
  bool HasURL() { return HasFormat(CF_URL()); }
  bool HasGridCells() { return HasFormat(CF_GRIDCELLS()); }

  String Text();
  String RTF();
  String URL();
  // -1 when absent.
  int Col();
  // nullptr when absent.
  std::unique_ptr<TMemoryStream> Stream();
  // The names of a file drop; false (and none) when absent.
  bool ReadFileNames();
  TStringList* Files() const { return FFiles.get(); }

 private:
  std::optional<String> Block(CLIPFORMAT Format);
  int FormatInteger(CLIPFORMAT Format);
  std::unique_ptr<TMemoryStream> FormatStream(CLIPFORMAT Format);
  String FormatText(CLIPFORMAT Format);
  String FormatAnsiText(CLIPFORMAT Format);

  IDataObject* FDataObject;
  std::shared_ptr<IEnumFORMATETC> FEnumerator;
  FORMATETC FFormatEtc;
  bool FValid = false;
  int FCount = 0;
  std::unique_ptr<TStringList> FFiles;
};

// Copy when Ctrl is held, else move when allowed, else copy.
DWORD DropEffectFromKeys(DWORD Keys, DWORD Allowed);

class TROZDropTarget : public IDropTarget {
 public:
  TROZDropTarget() = default;

  HRESULT DragEnter(IDataObject* dataObj, DWORD grfKeyState, TPoint pt, DWORD& dwEffect) override;
  HRESULT DragOver(DWORD grfKeyState, TPoint pt, DWORD& dwEffect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(IDataObject* dataObj, DWORD grfKeyState, TPoint pt, DWORD& dwEffect) override;

  bool AcceptText = true;
  bool AcceptFiles = true;
  bool AcceptCols = false;
  bool AcceptURLs = true;
  TDropFormats DropFormats() const { return FDropFormats; }

 protected:
  virtual void DropText(TPoint, const String&) {}
  virtual void DropStream(TPoint, TMemoryStream*) {}
  virtual void DropCol(TPoint, int) {}
  virtual void DropRTF(TPoint, const String&) {}
  virtual void DropFiles(TPoint, TStringList*) {}
  virtual void DropURL(TPoint, const String&) {}
  virtual void DragMouseMove(TPoint, bool&, TDropFormats) {}
  virtual void DragMouseEnter() {}
  virtual void DragMouseLeave() {}

 private:
  bool FOk = false;
  TDropFormats FDropFormats;
};

class TROZDropSource : public IDropSource {
 public:
  HRESULT QueryContinueDrag(bool fEscapePressed, DWORD grfKeyState) override;
  HRESULT GiveFeedback(DWORD dwEffect) override;
  // The last feedback reported no effect.
  bool NoAccept() const { return FNoAccept; }

 protected:
  virtual void DragDropStopped() {}
  virtual void CurrentEffect(DWORD) {}
  virtual void QueryDrag() {}

 private:
  bool FNoAccept = false;
};

class TSourceDataObject : public IDataObject {
 public:
  // The cell stream is not owned; its creator frees it after the drag.
  TSourceDataObject(const String& Text, TMemoryStream* Cells, int Col, const String& RTF);

  HRESULT GetData(const FORMATETC& formatetcIn, STGMEDIUM& medium) override;
  HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
  HRESULT QueryGetData(const FORMATETC& formatetc) override;
  HRESULT GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& formatetcOut) override;
  HRESULT SetData(const FORMATETC&, const STGMEDIUM&, bool) override { return DV_E_FORMATETC; }
  HRESULT EnumFormatEtc(DWORD dwDirection, std::shared_ptr<IEnumFORMATETC>& enumFormatEtc) override;
  HRESULT DAdvise(const FORMATETC&, DWORD, DWORD&) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(void*& enumAdvise) override;

 private:
  String textdata;
  String rtfdata;
  int scolidx;
  TMemoryStream* memstr;
};

class TSourceEnumFormatEtc : public IEnumFORMATETC {
 public:
  TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, uint32_t Index = 0)
      : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells) {}
  HRESULT Next(uint32_t celt, FORMATETC* rgelt, uint32_t* pceltFetched) override;
  HRESULT Skip(uint32_t celt) override;
  HRESULT Reset() override;
  HRESULT Clone(std::shared_ptr<IEnumFORMATETC>& ppenum) override;

 private:
  uint32_t Length() const;
  CLIPFORMAT FormatAt(uint32_t Index) const;
  uint32_t FIndex;
  bool FHasCol;
  bool FHasGridCells;
};

HRESULT BeginTextDrag(TROZDropSource* DropSource, const String& Text, const String& RTF, TMemoryStream* Cells,
                      DWORD AllowedEffects, DWORD& Effect);
HRESULT BeginColumnDrag(TROZDropSource* DropSource, int Col, DWORD AllowedEffects, DWORD& Effect);
