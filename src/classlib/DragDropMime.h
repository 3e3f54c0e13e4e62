// The window system's drag data (MIME data) and the drag data objects of the program, each
// seen as the other. Text travels as "text/plain", a file drop as "text/uri-list" of local
// files, and every registered format as "application/x-zorvan-format;name=<name>" with its
// block unchanged, so that grids of two running programs exchange cells and columns.
#pragma once

#include <memory>
#include <vector>

#include "classlib/OleDragDrop.h"

class QMimeData;

// A data object made of blocks by format, listed in the order they were put.
class TBlockDataObject : public IDataObject {
 public:
  void Put(CLIPFORMAT Format, const String& Block);
  HRESULT GetData(const FORMATETC& formatetcIn, STGMEDIUM& medium) override;
  HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
  HRESULT QueryGetData(const FORMATETC& formatetc) override;
  HRESULT GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& formatetcOut) override;
  HRESULT SetData(const FORMATETC&, const STGMEDIUM&, bool) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD dwDirection, std::shared_ptr<IEnumFORMATETC>& enumFormatEtc) override;
  HRESULT DAdvise(const FORMATETC&, DWORD, DWORD&) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(void*& enumAdvise) override;

 private:
  std::vector<std::pair<CLIPFORMAT, String>> FBlocks;
};

// MIME data owned by the program.
class TDragMimeData {
 public:
  TDragMimeData();
  ~TDragMimeData();
  TDragMimeData(const TDragMimeData&) = delete;
  TDragMimeData& operator=(const TDragMimeData&) = delete;

  std::vector<String> Formats() const;
  String Data(const String& MimeType) const;
  void SetData(const String& MimeType, const String& Bytes);
  QMimeData* Mime() const { return FMime.get(); }  // classlib-internal

 private:
  std::unique_ptr<QMimeData> FMime;
};

// The data object's text, files and registered formats as MIME data.
std::unique_ptr<TDragMimeData> MimeFromDataObject(IDataObject* Data);
// MIME data as a data object: text as CF_TEXT and CF_UNICODETEXT, local files as CF_HDROP,
// registered formats under their ids.
std::shared_ptr<TBlockDataObject> DataObjectFromMime(const QMimeData& Mime);
std::shared_ptr<TBlockDataObject> DataObjectFromMime(const TDragMimeData& Mime);
