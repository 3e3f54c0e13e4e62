#include "grid/base/rozdd.h"

#include "classlib/SysUtils.h"

namespace {

bool gRTFDragDrop = false;
CLIPFORMAT gRTFFormat = 0;
CLIPFORMAT gColFormat = 0;
CLIPFORMAT gCellsFormat = 0;
CLIPFORMAT gURLFormat = 0;

constexpr size_t kCellsHeader = 8;          // 32-bit length, 4 zero bytes
constexpr size_t kDropFilesSize = 20;       // the file-drop header
constexpr size_t kDropFilesWideFlag = 16;

uint32_t Read32(const String& block, size_t p) {
  return static_cast<uint32_t>(static_cast<uint8_t>(block[p])) |
         static_cast<uint32_t>(static_cast<uint8_t>(block[p + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(block[p + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(block[p + 3])) << 24;
}

void Append32(String& block, uint32_t value) {
  for (int i = 0; i < 4; ++i) block += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Text up to its terminating zero, or to the end of the block.
String AnsiTextOf(const String& block) { return block.substr(0, block.find('\0')); }

WideString WideTextOf(const String& block, size_t from) {
  WideString text;
  for (size_t p = from; p + 1 < block.size(); p += 2) {
    const auto c = static_cast<char16_t>(static_cast<uint8_t>(block[p]) | static_cast<uint8_t>(block[p + 1]) << 8);
    if (c == 0) break;
    text += c;
  }
  return text;
}

String WideBlock(const String& text) {
  String block;
  for (char16_t c : Utf8ToWide(text)) {
    block += static_cast<char>(c & 0xFF);
    block += static_cast<char>(c >> 8);
  }
  block.append(2, '\0');
  return block;
}

// Reads one zero-terminated name at p; false when the block ends first.
bool ReadName(const String& block, size_t& p, bool wide, String& name) {
  if (wide) {
    WideString w;
    for (;; p += 2) {
      if (p + 1 >= block.size()) return false;
      const auto c = static_cast<char16_t>(static_cast<uint8_t>(block[p]) | static_cast<uint8_t>(block[p + 1]) << 8);
      if (c == 0) break;
      w += c;
    }
    p += 2;
    name = WideToUtf8(w);
    return true;
  }
  const size_t end = block.find('\0', p);
  if (end == String::npos) return false;
  name = block.substr(p, end - p);
  p = end + 1;
  return true;
}

void RegisterFormats() {
  gRTFFormat = RegisterClipboardFormat("Rich Text Format");
  gColFormat = RegisterClipboardFormat("Grid Column");
  gCellsFormat = RegisterClipboardFormat("TRivErodovOzar Cells");
  gURLFormat = RegisterClipboardFormat("UniformResourceLocator");
}

FORMATETC FormatEtcOf(CLIPFORMAT format) {
  FORMATETC fe;
  fe.cfFormat = format;
  return fe;
}

}  // namespace

void EnableRTFDragDrop(bool On) { gRTFDragDrop = On; }
bool RTFDragDropEnabled() { return gRTFDragDrop; }
CLIPFORMAT CF_RTF() { return gRTFFormat; }
CLIPFORMAT CF_GRIDCOL() { return gColFormat; }
CLIPFORMAT CF_GRIDCELLS() { return gCellsFormat; }
CLIPFORMAT CF_URL() { return gURLFormat; }

// ---- TEnumFormats -------------------------------------------------------------------------

TEnumFormats::TEnumFormats(IDataObject* DataObject)
    : FDataObject(DataObject), FFiles(std::make_unique<TStringList>()) {
  RegisterFormats();
  if (!FDataObject || FDataObject->EnumFormatEtc(DATADIR_GET, FEnumerator) != S_OK || !FEnumerator)
    throw Exception("Cannot get the format enumerator");
  FEnumerator->Reset();
}

bool TEnumFormats::Reset() {
  FCount = 0;
  FValid = false;
  return FEnumerator->Reset() == S_OK;
}

bool TEnumFormats::Next() {
  uint32_t fetched = 0;
  FValid = FEnumerator->Next(1, &FFormatEtc, &fetched) == S_OK && fetched == 1;
  if (FValid) ++FCount;
  return FValid;
}

bool TEnumFormats::HasFormat(CLIPFORMAT Format) {
  if (Format == 0) return false;
  Reset();
  while (Next())
    if (FFormatEtc.cfFormat == Format) return true;
  return false;
}

std::optional<String> TEnumFormats::Handle(DWORD Medium) {
  if (!FValid || (FFormatEtc.tymed & Medium) == 0) return std::nullopt;
  FORMATETC wanted = FFormatEtc;
  wanted.tymed = Medium;
  STGMEDIUM medium;
  if (FDataObject->GetData(wanted, medium) != S_OK || medium.tymed != TYMED_HGLOBAL) return std::nullopt;
  return medium.hGlobal;
}

std::optional<String> TEnumFormats::Block(CLIPFORMAT Format) {
  if (!HasFormat(Format)) return std::nullopt;
  return GlobalHandle();
}

int TEnumFormats::FormatInteger(CLIPFORMAT Format) {
  const std::optional<String> block = Block(Format);
  if (!block || block->size() < 4) return -1;
  return static_cast<int32_t>(Read32(*block, 0));
}

std::unique_ptr<TMemoryStream> TEnumFormats::FormatStream(CLIPFORMAT Format) {
  const std::optional<String> block = Block(Format);
  if (!block || block->size() < kCellsHeader) return nullptr;
  const uint32_t length = Read32(*block, 0);
  if (length > block->size() - kCellsHeader) return nullptr;  // a length past the block
  auto stream = std::make_unique<TMemoryStream>();
  stream->WriteBuffer(block->data() + kCellsHeader, static_cast<Integer>(length));
  stream->SetPosition(0);
  return stream;
}

String TEnumFormats::FormatText(CLIPFORMAT Format) {
  const std::optional<String> block = Block(Format);
  return block ? WideToUtf8(WideTextOf(*block, 0)) : String();
}

String TEnumFormats::FormatAnsiText(CLIPFORMAT Format) {
  const std::optional<String> block = Block(Format);
  return block ? AnsiTextOf(*block) : String();
}

String TEnumFormats::Text() { return FormatText(CF_UNICODETEXT_FORMAT); }
String TEnumFormats::RTF() { return FormatAnsiText(CF_RTF()); }
String TEnumFormats::URL() { return FormatAnsiText(CF_URL()); }
int TEnumFormats::Col() { return FormatInteger(CF_GRIDCOL()); }
std::unique_ptr<TMemoryStream> TEnumFormats::Stream() { return FormatStream(CF_GRIDCELLS()); }

bool TEnumFormats::ReadFileNames() {
  FFiles->Clear();
  const std::optional<String> block = Block(CF_HDROP);
  if (!block || block->size() < kDropFilesSize) return false;
  const size_t offset = Read32(*block, 0) & ~1u;
  const bool wide = Read32(*block, kDropFilesWideFlag) != 0;
  if (offset > block->size()) return false;
  size_t p = offset;
  for (;;) {
    String name;
    if (!ReadName(*block, p, wide, name)) {
      // A name that runs past the block: the list is not whole.
      FFiles->Clear();
      return false;
    }
    if (name.empty()) break;
    FFiles->Add(name);
  }
  return FFiles->Count() > 0;
}

// ---- Drop target --------------------------------------------------------------------------

DWORD DropEffectFromKeys(DWORD Keys, DWORD Allowed) {
  if (Keys & MK_CONTROL_DRAG) return DROPEFFECT_COPY;
  return (Allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

HRESULT TROZDropTarget::DragEnter(IDataObject* dataObj, DWORD grfKeyState, TPoint, DWORD& dwEffect) {
  FOk = false;
  FDropFormats = TDropFormats();
  try {
    TEnumFormats formats(dataObj);
    const bool text = formats.HasText(), files = formats.HasFile(), rtf = formats.HasRTF(),
               col = formats.HasCol(), url = formats.HasURL(), cells = formats.HasGridCells();
    FOk = (text && AcceptText) || (files && AcceptFiles) || (rtf && RTFDragDropEnabled() && AcceptText) ||
          (col && AcceptCols) || (url && AcceptURLs) || cells;
    if (text) FDropFormats += dfText;
    if (files) FDropFormats += dfFile;
    if (col) FDropFormats += dfCol;
    if (rtf) FDropFormats += dfRTF;
    if (url) FDropFormats += dfURL;
    if (cells) FDropFormats += dfGridCells;
  } catch (const Exception&) {
    // Data that cannot list its formats offers nothing to take.
  }
  dwEffect = FOk ? DropEffectFromKeys(grfKeyState, dwEffect) : DROPEFFECT_NONE;
  DragMouseEnter();
  return S_OK;
}

HRESULT TROZDropTarget::DragOver(DWORD grfKeyState, TPoint pt, DWORD& dwEffect) {
  dwEffect = FOk ? DropEffectFromKeys(grfKeyState, dwEffect) : DROPEFFECT_NONE;
  bool allow = dwEffect != DROPEFFECT_NONE;
  DragMouseMove(pt, allow, FDropFormats);
  if (!allow) dwEffect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT TROZDropTarget::DragLeave() {
  DragMouseLeave();
  return S_OK;
}

HRESULT TROZDropTarget::Drop(IDataObject* dataObj, DWORD grfKeyState, TPoint pt, DWORD& dwEffect) {
  if (!FOk) {
    dwEffect = DROPEFFECT_NONE;
    return S_OK;
  }
  try {
    TEnumFormats formats(dataObj);
    // A column block too short to hold a number offers no column.
    const int col = formats.HasCol() ? formats.Col() : -1;
    if (col != -1) {
      DropCol(pt, col);
    } else {
      std::unique_ptr<TMemoryStream> cells = formats.HasGridCells() ? formats.Stream() : nullptr;
      if (cells) {
        DropStream(pt, cells.get());
      } else if (RTFDragDropEnabled() && formats.HasRTF()) {
        DropRTF(pt, formats.RTF());
      } else if (formats.HasText()) {
        DropText(pt, formats.Text());
      }
      if (formats.ReadFileNames()) DropFiles(pt, formats.Files());
      if (formats.HasURL()) {
        const String url = formats.URL();
        DropURL(pt, url.empty() ? formats.Text() : url);
      }
    }
  } catch (const Exception&) {
    dwEffect = DROPEFFECT_NONE;
    return S_OK;
  }
  dwEffect = DropEffectFromKeys(grfKeyState, dwEffect);
  return S_OK;
}

// ---- Drop source --------------------------------------------------------------------------

HRESULT TROZDropSource::QueryContinueDrag(bool fEscapePressed, DWORD grfKeyState) {
  HRESULT result = S_OK;
  if (fEscapePressed) {
    DragDropStopped();
    result = DRAGDROP_S_CANCEL;
  } else if ((grfKeyState & MK_LBUTTON_DRAG) == 0) {
    DragDropStopped();
    result = DRAGDROP_S_DROP;
  }
  QueryDrag();
  return result;
}

HRESULT TROZDropSource::GiveFeedback(DWORD dwEffect) {
  FNoAccept = dwEffect == DROPEFFECT_NONE;
  CurrentEffect(dwEffect);
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- Data object --------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const String& Text, TMemoryStream* Cells, int Col, const String& RTF)
    : textdata(Text), rtfdata(RTF), scolidx(Col), memstr(Cells) {
  RegisterFormats();
}

HRESULT TSourceDataObject::QueryGetData(const FORMATETC& formatetc) {
  if (formatetc.dwAspect != DVASPECT_CONTENT || formatetc.tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
  const CLIPFORMAT f = formatetc.cfFormat;
  bool available = false;
  if (!textdata.empty())
    available = f == CF_TEXT_FORMAT || f == CF_UNICODETEXT_FORMAT ||
                (f == CF_RTF() && RTFDragDropEnabled() && !rtfdata.empty());
  if (memstr && f == CF_GRIDCELLS()) available = true;
  if (scolidx != -1 && f == CF_GRIDCOL()) available = true;
  return available ? S_OK : DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const FORMATETC& formatetcIn, STGMEDIUM& medium) {
  medium.tymed = 0;  // no data until a block is found
  medium.hGlobal.reset();
  if (QueryGetData(formatetcIn) != S_OK) return DV_E_FORMATETC;
  const CLIPFORMAT f = formatetcIn.cfFormat;
  String block;
  if (f == CF_TEXT_FORMAT) {
    block = textdata + '\0';
  } else if (f == CF_UNICODETEXT_FORMAT) {
    block = WideBlock(textdata);
  } else if (f == CF_RTF()) {
    block = rtfdata + '\0';
  } else if (f == CF_GRIDCOL()) {
    Append32(block, static_cast<uint32_t>(scolidx));
  } else {  // the cells
    const auto& bytes = memstr->Bytes();
    Append32(block, static_cast<uint32_t>(bytes.size()));
    Append32(block, 0);
    block.append(bytes.begin(), bytes.end());
  }
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = std::move(block);
  return S_OK;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& formatetcOut) {
  formatetcOut.ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD dwDirection, std::shared_ptr<IEnumFORMATETC>& enumFormatEtc) {
  if (dwDirection != DATADIR_GET) {
    enumFormatEtc = nullptr;
    return E_NOTIMPL;
  }
  enumFormatEtc = std::make_shared<TSourceEnumFormatEtc>(scolidx != -1, memstr != nullptr);
  return S_OK;
}

HRESULT TSourceDataObject::EnumDAdvise(void*& enumAdvise) {
  enumAdvise = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// ---- Format enumerator --------------------------------------------------------------------

uint32_t TSourceEnumFormatEtc::Length() const { return 3u + (FHasCol ? 1u : 0u) + (FHasGridCells ? 1u : 0u); }

CLIPFORMAT TSourceEnumFormatEtc::FormatAt(uint32_t Index) const {
  switch (Index) {
    case 0: return CF_TEXT_FORMAT;
    case 1: return CF_UNICODETEXT_FORMAT;
    case 2: return CF_RTF();
    case 3: return FHasCol ? CF_GRIDCOL() : CF_GRIDCELLS();
    default: return CF_GRIDCELLS();
  }
}

HRESULT TSourceEnumFormatEtc::Next(uint32_t celt, FORMATETC* rgelt, uint32_t* pceltFetched) {
  uint32_t filled = 0;
  while (filled < celt && FIndex < Length()) {
    rgelt[filled] = FormatEtcOf(FormatAt(FIndex));
    ++filled;
    ++FIndex;
  }
  if (pceltFetched) *pceltFetched = filled;
  return filled == celt ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(uint32_t celt) {
  if (celt > Length() - FIndex) {
    FIndex = Length();
    return S_FALSE;
  }
  FIndex += celt;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset() {
  FIndex = 0;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::shared_ptr<IEnumFORMATETC>& ppenum) {
  ppenum = std::make_shared<TSourceEnumFormatEtc>(FHasCol, FHasGridCells, FIndex);
  return S_OK;
}

// ---- Starting a drag ----------------------------------------------------------------------

namespace {

HRESULT RunDrag(std::shared_ptr<IDataObject> data, TROZDropSource* DropSource, DWORD AllowedEffects, DWORD& Effect) {
  const HRESULT result = DoDragDrop(std::move(data), DropSource, AllowedEffects, Effect);
  return DropSource && DropSource->NoAccept() ? DRAGDROP_S_CANCEL : result;
}

}  // namespace

HRESULT BeginTextDrag(TROZDropSource* DropSource, const String& Text, const String& RTF, TMemoryStream* Cells,
                      DWORD AllowedEffects, DWORD& Effect) {
  return RunDrag(std::make_shared<TSourceDataObject>(Text, Cells, -1, RTF), DropSource, AllowedEffects, Effect);
}

HRESULT BeginColumnDrag(TROZDropSource* DropSource, int Col, DWORD AllowedEffects, DWORD& Effect) {
  return RunDrag(std::make_shared<TSourceDataObject>(String(), nullptr, Col, String()), DropSource, AllowedEffects,
                 Effect);
}
