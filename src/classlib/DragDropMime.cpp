#include "classlib/DragDropMime.h"

#include <QMimeData>
#include <QUrl>

#include "classlib/SysUtils.h"

namespace {

constexpr CLIPFORMAT kText = 1;
constexpr CLIPFORMAT kUnicodeText = 13;
const char kFormatPrefix[] = "application/x-zorvan-format;name=";
constexpr uint32_t kDropFilesHeader = 20;

QString ToQ(const String& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
String FromQ(const QString& s) {
  const QByteArray utf8 = s.toUtf8();
  return String(utf8.constData(), static_cast<size_t>(utf8.size()));
}

void Append16(String& block, char16_t c) {
  block += static_cast<char>(c & 0xFF);
  block += static_cast<char>(c >> 8);
}

void Append32(String& block, uint32_t v) {
  for (int i = 0; i < 4; ++i) block += static_cast<char>((v >> (8 * i)) & 0xFF);
}

String WideBlock(const QString& text) {
  String block;
  for (QChar c : text) Append16(block, c.unicode());
  Append16(block, 0);
  return block;
}

QString WideText(const String& block) {
  QString text;
  for (size_t p = 0; p + 1 < block.size(); p += 2) {
    const auto c = static_cast<char16_t>(static_cast<uint8_t>(block[p]) | static_cast<uint8_t>(block[p + 1]) << 8);
    if (c == 0) break;
    text += QChar(c);
  }
  return text;
}

// A file drop with wide names.
String DropFilesBlock(const QList<QUrl>& urls) {
  String block;
  Append32(block, kDropFilesHeader);
  block.append(12, '\0');
  Append32(block, 1);
  for (const QUrl& url : urls) {
    for (QChar c : url.toLocalFile()) Append16(block, c.unicode());
    Append16(block, 0);
  }
  Append16(block, 0);
  return block;
}

class TBlockEnum : public IEnumFORMATETC {
 public:
  TBlockEnum(std::vector<CLIPFORMAT> formats, size_t pos) : formats_(std::move(formats)), pos_(pos) {}
  HRESULT Next(uint32_t celt, FORMATETC* rgelt, uint32_t* fetched) override {
    uint32_t n = 0;
    while (n < celt && pos_ < formats_.size()) {
      rgelt[n] = FORMATETC();
      rgelt[n++].cfFormat = formats_[pos_++];
    }
    if (fetched) *fetched = n;
    return n == celt ? S_OK : S_FALSE;
  }
  HRESULT Skip(uint32_t celt) override {
    if (celt > formats_.size() - pos_) {
      pos_ = formats_.size();
      return S_FALSE;
    }
    pos_ += celt;
    return S_OK;
  }
  HRESULT Reset() override {
    pos_ = 0;
    return S_OK;
  }
  HRESULT Clone(std::shared_ptr<IEnumFORMATETC>& e) override {
    e = std::make_shared<TBlockEnum>(formats_, pos_);
    return S_OK;
  }

 private:
  std::vector<CLIPFORMAT> formats_;
  size_t pos_;
};

}  // namespace

// ---- TBlockDataObject ---------------------------------------------------------------------

void TBlockDataObject::Put(CLIPFORMAT Format, const String& Block) {
  for (auto& entry : FBlocks)
    if (entry.first == Format) {
      entry.second = Block;
      return;
    }
  FBlocks.emplace_back(Format, Block);
}

HRESULT TBlockDataObject::QueryGetData(const FORMATETC& formatetc) {
  if (formatetc.dwAspect != DVASPECT_CONTENT || formatetc.tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
  for (const auto& entry : FBlocks)
    if (entry.first == formatetc.cfFormat) return S_OK;
  return DV_E_FORMATETC;
}

HRESULT TBlockDataObject::GetData(const FORMATETC& formatetcIn, STGMEDIUM& medium) {
  medium.tymed = 0;  // no data until a block is found
  medium.hGlobal.reset();
  if (QueryGetData(formatetcIn) != S_OK) return DV_E_FORMATETC;
  for (const auto& entry : FBlocks)
    if (entry.first == formatetcIn.cfFormat) {
      medium.tymed = TYMED_HGLOBAL;
      medium.hGlobal = entry.second;
    }
  return S_OK;
}

HRESULT TBlockDataObject::GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& formatetcOut) {
  formatetcOut.ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TBlockDataObject::EnumFormatEtc(DWORD dwDirection, std::shared_ptr<IEnumFORMATETC>& enumFormatEtc) {
  if (dwDirection != DATADIR_GET) {
    enumFormatEtc = nullptr;
    return E_NOTIMPL;
  }
  std::vector<CLIPFORMAT> formats;
  for (const auto& entry : FBlocks) formats.push_back(entry.first);
  enumFormatEtc = std::make_shared<TBlockEnum>(std::move(formats), 0);
  return S_OK;
}

HRESULT TBlockDataObject::EnumDAdvise(void*& enumAdvise) {
  enumAdvise = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// ---- TDragMimeData ------------------------------------------------------------------------

TDragMimeData::TDragMimeData() : FMime(std::make_unique<QMimeData>()) {}
TDragMimeData::~TDragMimeData() = default;

std::vector<String> TDragMimeData::Formats() const {
  std::vector<String> formats;
  for (const QString& f : FMime->formats()) formats.push_back(FromQ(f));
  return formats;
}

String TDragMimeData::Data(const String& MimeType) const {
  const QByteArray bytes = FMime->data(ToQ(MimeType));
  return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void TDragMimeData::SetData(const String& MimeType, const String& Bytes) {
  FMime->setData(ToQ(MimeType), QByteArray(Bytes.data(), static_cast<qsizetype>(Bytes.size())));
}

// ---- Conversions --------------------------------------------------------------------------

std::unique_ptr<TDragMimeData> MimeFromDataObject(IDataObject* Data) {
  auto result = std::make_unique<TDragMimeData>();
  std::shared_ptr<IEnumFORMATETC> formats;
  if (!Data || Data->EnumFormatEtc(DATADIR_GET, formats) != S_OK || !formats) return result;
  QMimeData& mime = *result->Mime();
  bool hasUnicode = false;
  FORMATETC fe;
  uint32_t fetched = 0;
  while (formats->Next(1, &fe, &fetched) == S_OK && fetched == 1) {
    FORMATETC wanted = FORMATETC();
    wanted.cfFormat = fe.cfFormat;
    STGMEDIUM medium;
    if (Data->GetData(wanted, medium) != S_OK || !medium.hGlobal) continue;
    const String& block = *medium.hGlobal;
    if (fe.cfFormat == kUnicodeText) {
      mime.setText(WideText(block));
      hasUnicode = true;
    } else if (fe.cfFormat == kText) {
      if (!hasUnicode) mime.setText(ToQ(block.substr(0, block.find('\0'))));
    } else {
      const String name = ClipboardFormatName(fe.cfFormat);
      if (!name.empty())
        mime.setData(ToQ(kFormatPrefix + name), QByteArray(block.data(), static_cast<qsizetype>(block.size())));
    }
  }
  return result;
}

std::shared_ptr<TBlockDataObject> DataObjectFromMime(const QMimeData& Mime) {
  auto data = std::make_shared<TBlockDataObject>();
  if (Mime.hasText()) {
    const QString text = Mime.text();
    const String utf8 = FromQ(text);
    data->Put(kText, utf8 + '\0');
    data->Put(kUnicodeText, WideBlock(text));
  }
  QList<QUrl> files;
  for (const QUrl& url : Mime.urls())
    if (url.isLocalFile()) files.push_back(url);
  if (!files.isEmpty()) data->Put(CF_HDROP, DropFilesBlock(files));
  const QString prefix = QString::fromLatin1(kFormatPrefix);
  for (const QString& format : Mime.formats()) {
    if (!format.startsWith(prefix)) continue;
    const CLIPFORMAT id = RegisterClipboardFormat(FromQ(format.mid(prefix.size())));
    if (id == 0) continue;  // no id left for it
    const QByteArray bytes = Mime.data(format);
    data->Put(id, String(bytes.constData(), static_cast<size_t>(bytes.size())));
  }
  return data;
}

std::shared_ptr<TBlockDataObject> DataObjectFromMime(const TDragMimeData& Mime) { return DataObjectFromMime(*Mime.Mime()); }
