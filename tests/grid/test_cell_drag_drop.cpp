// Cell drag and drop: the formats the grid's data object offers and their blocks, reading
// formats from dropped data (malformed blocks count as absent), what the drop target accepts
// and hands on, the drop source's answers, and a whole drag from source to target.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "classlib/DragDropMime.h"
#include "grid/base/rozdd.h"

namespace {

// Dropped data from elsewhere: blocks by format, listed in the order they were put.
class TFakeEnum : public IEnumFORMATETC {
 public:
  explicit TFakeEnum(std::vector<CLIPFORMAT> formats) : formats_(std::move(formats)) {}
  HRESULT Next(uint32_t celt, FORMATETC* rgelt, uint32_t* fetched) override {
    uint32_t n = 0;
    while (n < celt && pos_ < formats_.size()) {
      rgelt[n] = FORMATETC();
      rgelt[n++].cfFormat = formats_[pos_++];
    }
    if (fetched) *fetched = n;
    return n == celt ? S_OK : S_FALSE;
  }
  HRESULT Skip(uint32_t) override { return S_FALSE; }
  HRESULT Reset() override {
    pos_ = 0;
    return S_OK;
  }
  HRESULT Clone(std::shared_ptr<IEnumFORMATETC>&) override { return E_NOTIMPL; }

 private:
  std::vector<CLIPFORMAT> formats_;
  size_t pos_ = 0;
};

class TFakeData : public IDataObject {
 public:
  bool hasEnumerator = true;
  void Put(CLIPFORMAT format, const String& block) {
    order_.push_back(format);
    blocks_[format] = block;
  }
  HRESULT GetData(const FORMATETC& fe, STGMEDIUM& medium) override {
    auto it = blocks_.find(fe.cfFormat);
    if (it == blocks_.end() || fe.tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = it->second;
    return S_OK;
  }
  HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
  HRESULT QueryGetData(const FORMATETC& fe) override { return blocks_.count(fe.cfFormat) ? S_OK : DV_E_FORMATETC; }
  HRESULT GetCanonicalFormatEtc(const FORMATETC&, FORMATETC&) override { return E_NOTIMPL; }
  HRESULT SetData(const FORMATETC&, const STGMEDIUM&, bool) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD, std::shared_ptr<IEnumFORMATETC>& e) override {
    if (!hasEnumerator) return E_NOTIMPL;
    e = std::make_shared<TFakeEnum>(order_);
    return S_OK;
  }
  HRESULT DAdvise(const FORMATETC&, DWORD, DWORD&) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(void*&) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::vector<CLIPFORMAT> order_;
  std::map<CLIPFORMAT, String> blocks_;
};

String Le32(uint32_t v) {
  String s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

String Utf16(const std::u16string& w) {
  String s;
  for (char16_t c : w) {
    s += static_cast<char>(c & 0xFF);
    s += static_cast<char>(c >> 8);
  }
  return s + String(2, '\0');
}

// A file-drop block: offset of the names at 0, wide flag at 16, names, empty name.
String DropFiles(const std::vector<String>& names, bool wide, uint32_t offset = 20) {
  String block = Le32(offset) + String(12, '\0') + Le32(wide ? 1 : 0);
  block.resize(offset, '\0');
  for (const String& n : names) {
    if (wide) block += Utf16(std::u16string(n.begin(), n.end()));
    else block += n + String(1, '\0');
  }
  block += wide ? String(2, '\0') : String(1, '\0');
  return block;
}

// Records what the target hands on.
struct TRecordingTarget : TROZDropTarget {
  std::vector<String> log;
  bool refuse = false;
  void DropText(TPoint, const String& s) override { log.push_back("text:" + s); }
  void DropStream(TPoint, TMemoryStream* m) override {
    log.push_back("cells:" + String(m->Bytes().begin(), m->Bytes().end()));
  }
  void DropCol(TPoint, int c) override { log.push_back("col:" + std::to_string(c)); }
  void DropRTF(TPoint, const String& s) override { log.push_back("rtf:" + s); }
  void DropFiles(TPoint, TStringList* files) override {
    String all;
    for (int i = 0; i < files->Count(); ++i) all += (i ? "|" : "") + (*files)[i];
    log.push_back("files:" + all);
  }
  void DropURL(TPoint, const String& s) override { log.push_back("url:" + s); }
  void DragMouseMove(TPoint, bool& allow, TDropFormats) override {
    if (refuse) allow = false;
  }
};

struct FormatIds {
  CLIPFORMAT rtf, col, cells, url;
};

FormatIds Ids() {
  // Registered by the first reader; registering again gives the same ids.
  return {RegisterClipboardFormat("Rich Text Format"), RegisterClipboardFormat("Grid Column"),
          RegisterClipboardFormat("TRivErodovOzar Cells"), RegisterClipboardFormat("UniformResourceLocator")};
}

TEST(SourceDataObject, ColumnDragOffersOnlyTheColumn) {
  TSourceDataObject data(String(), nullptr, 7, String());
  const FormatIds ids = Ids();
  FORMATETC fe;
  fe.cfFormat = CF_TEXT_FORMAT;
  EXPECT_EQ(data.QueryGetData(fe), DV_E_FORMATETC);
  fe.cfFormat = ids.col;
  EXPECT_EQ(data.QueryGetData(fe), S_OK);
  STGMEDIUM medium;
  ASSERT_EQ(data.GetData(fe, medium), S_OK);
  EXPECT_EQ(medium.tymed, TYMED_HGLOBAL);
  EXPECT_EQ(*medium.hGlobal, Le32(7));
  fe.dwAspect = 4;
  EXPECT_EQ(data.QueryGetData(fe), DV_E_FORMATETC);
  std::shared_ptr<IEnumFORMATETC> e;
  EXPECT_EQ(data.EnumFormatEtc(DATADIR_SET, e), E_NOTIMPL);
  EXPECT_EQ(e, nullptr);
  void* advise = &fe;
  EXPECT_EQ(data.EnumDAdvise(advise), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(advise, nullptr);
}

TEST(SourceDataObject, TextDragBlocksAndEnumerator) {
  TMemoryStream cells;
  cells.WriteString(String("ab\0c", 4));
  TSourceDataObject data("h\xC3\xA9", &cells, -1, "{\\rtf1 x}");
  const FormatIds ids = Ids();
  auto block = [&](CLIPFORMAT f) {
    FORMATETC fe;
    fe.cfFormat = f;
    STGMEDIUM m;
    return data.GetData(fe, m) == S_OK ? *m.hGlobal : String("none");
  };
  EXPECT_EQ(block(CF_TEXT_FORMAT), String("h\xC3\xA9\0", 4));
  EXPECT_EQ(block(CF_UNICODETEXT_FORMAT), Utf16(u"h\u00e9"));
  EXPECT_EQ(block(ids.cells), Le32(4) + Le32(0) + String("ab\0c", 4));
  EXPECT_EQ(block(ids.col), "none");
  EnableRTFDragDrop(false);
  EXPECT_EQ(block(ids.rtf), "none");
  EnableRTFDragDrop(true);
  EXPECT_EQ(block(ids.rtf), String("{\\rtf1 x}\0", 10));
  EnableRTFDragDrop(false);

  std::shared_ptr<IEnumFORMATETC> e;
  ASSERT_EQ(data.EnumFormatEtc(DATADIR_GET, e), S_OK);
  FORMATETC entries[10];
  uint32_t fetched = 0;
  EXPECT_EQ(e->Next(10, entries, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 4u);
  EXPECT_EQ(entries[0].cfFormat, CF_TEXT_FORMAT);
  EXPECT_EQ(entries[2].cfFormat, ids.rtf);
  EXPECT_EQ(entries[3].cfFormat, ids.cells);
  EXPECT_EQ(entries[3].lindex, -1);
  EXPECT_EQ(entries[3].tymed, TYMED_HGLOBAL);
  e->Reset();
  EXPECT_EQ(e->Skip(3), S_OK);
  std::shared_ptr<IEnumFORMATETC> copy;
  ASSERT_EQ(e->Clone(copy), S_OK);
  EXPECT_EQ(copy->Next(1, entries, nullptr), S_OK);
  EXPECT_EQ(entries[0].cfFormat, ids.cells);
  EXPECT_EQ(e->Skip(2), S_FALSE);
  EXPECT_EQ(e->Next(1, entries, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
}

TEST(EnumFormats, ReadsWhatTheGridOffers) {
  TMemoryStream cells;
  cells.WriteString("cell bytes");
  TSourceDataObject data("some text", &cells, 3, String());
  TEnumFormats formats(&data);
  EXPECT_TRUE(formats.HasText());
  EXPECT_EQ(formats.Text(), "some text");
  EXPECT_EQ(formats.Col(), 3);
  std::unique_ptr<TMemoryStream> stream = formats.Stream();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->ReadAll(), "cell bytes");
  EXPECT_FALSE(formats.HasURL());
  EXPECT_FALSE(formats.ReadFileNames());

  TFakeData none;
  none.hasEnumerator = false;
  try {
    TEnumFormats bad(&none);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Cannot get the format enumerator");
  }
}

TEST(EnumFormats, MalformedBlocksAreAbsent) {
  const FormatIds ids = Ids();
  struct TCase {
    const char* what;
    CLIPFORMAT format;
    String block;
    String expected;  // what the reader gives
  } cases[] = {
      {"column block too short", ids.col, "\x05\x00", "col -1"},
      {"column", ids.col, Le32(5), "col 5"},
      {"cells shorter than the header", ids.cells, "\x02\x00\x00", "no cells"},
      {"cells length past the block", ids.cells, Le32(100) + Le32(0) + "abc", "no cells"},
      {"cells", ids.cells, Le32(3) + Le32(0) + "abcdef", "cells abc"},
      {"text without terminator", CF_UNICODETEXT_FORMAT, String("h\0i", 3), "text h"},
      {"file names, ANSI", CF_HDROP, DropFiles({"/a.txt", "/b.txt"}, false), "files /a.txt|/b.txt"},
      {"file names, wide", CF_HDROP, DropFiles({"/w.txt"}, true), "files /w.txt"},
      {"odd offset rounds down", CF_HDROP, DropFiles({"/w.txt"}, true, 22).replace(0, 4, Le32(23)), "files /w.txt"},
      {"offset past the block", CF_HDROP, Le32(500) + String(16, '\0'), "no files"},
      {"file header too short", CF_HDROP, Le32(8) + String(8, '\0'), "no files"},
      {"unterminated name", CF_HDROP, DropFiles({"/a.txt"}, false).substr(0, 24), "no files"},
      {"unterminated wide name", CF_HDROP, DropFiles({"/a.txt"}, true).substr(0, 25), "no files"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TFakeData data;
    data.Put(c.format, c.block);
    TEnumFormats formats(&data);
    String got;
    if (c.format == ids.col) {
      got = "col " + std::to_string(formats.Col());
    } else if (c.format == ids.cells) {
      auto s = formats.Stream();
      got = s ? "cells " + s->ReadAll() : "no cells";
    } else if (c.format == CF_HDROP) {
      if (!formats.ReadFileNames()) {
        got = "no files";
      } else {
        got = "files ";
        for (int i = 0; i < formats.Files()->Count(); ++i) got += (i ? "|" : "") + (*formats.Files())[i];
      }
    } else {
      got = "text " + formats.Text();
    }
    EXPECT_EQ(got, c.expected);
  }
}

// Dropped data from elsewhere with random damage: every block cut, grown or overwritten, and
// the length and offset fields set to values near the ends of their range. The readers take
// only what lies inside each block.
TEST(EnumFormats, RandomDamageStaysInsideTheBlocks) {
  const FormatIds ids = Ids();
  EnableRTFDragDrop(true);
  const std::vector<std::pair<CLIPFORMAT, String>> good = {
      {CF_UNICODETEXT_FORMAT, Utf16(u"hello there")},
      {ids.rtf, String("{\\rtf1 some rich text}\0", 24)},
      {ids.col, Le32(7)},
      {ids.cells, Le32(20) + Le32(0) + "twenty bytes of cell"},
      {CF_HDROP, DropFiles({"/first/file.txt", "/second.txt"}, true)},
      {ids.url, String("http://example.org/\0", 20)},
  };
  const uint32_t edges[] = {0, 1, 2, 3, 7, 8, 19, 20, 21, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFF8u, 0xFFFFFFFEu,
                            0xFFFFFFFFu};
  std::mt19937 random(1210);
  auto below = [&random](size_t n) { return static_cast<size_t>(random() % n); };
  for (int iteration = 0; iteration < 3000; ++iteration) {
    SCOPED_TRACE(iteration);
    TFakeData data;
    std::map<CLIPFORMAT, size_t> sizes;
    for (const auto& [format, block] : good) {
      if (below(5) == 0) continue;
      String bad = block;
      switch (below(4)) {
        case 0: bad.resize(below(bad.size() + 1)); break;
        case 1: bad += String(below(8), static_cast<char>(random() & 0xFF)); break;
        case 2:
          for (int n = 0; n < 3 && !bad.empty(); ++n) bad[below(bad.size())] = static_cast<char>(random() & 0xFF);
          break;
        default:
          if (bad.size() >= 4) {
            const size_t at = below(2) == 0 || bad.size() < 20 ? 0 : 16;  // a length, an offset or the flag
            bad.replace(at, 4, Le32(edges[below(std::size(edges))]));
          }
          break;
      }
      data.Put(format, bad);
      sizes[format] = bad.size();
    }
    TEnumFormats formats(&data);
    formats.Text();
    formats.RTF();
    formats.URL();
    formats.Col();
    if (std::unique_ptr<TMemoryStream> cells = formats.Stream()) {
      ASSERT_LE(cells->Size() + 8, static_cast<int64_t>(sizes[ids.cells]));
    }
    if (formats.ReadFileNames()) {
      ASSERT_LE(static_cast<size_t>(formats.Files()->Count()), sizes[CF_HDROP]);
    }
    TRecordingTarget target;
    target.AcceptCols = true;
    DWORD effect = 3;
    target.DragEnter(&data, 0, TPoint{}, effect);
    effect = 3;
    ASSERT_EQ(target.Drop(&data, 0, TPoint{}, effect), S_OK);
  }
  EnableRTFDragDrop(false);
}

TEST(DropTarget, AcceptsAndHandsOnByFormat) {
  const FormatIds ids = Ids();
  enum Content { kText = 1, kFiles = 2, kCol = 4, kCells = 8, kRTF = 16, kURL = 32, kBadCells = 64, kBadCol = 128 };
  struct TCase {
    const char* what;
    int content;
    bool acceptText, acceptCols, rtfSwitch;
    DWORD keys, allowed;
    DWORD effect;
    std::vector<String> log;
  } cases[] = {
      {"text refused", kText, false, false, false, 0, 3, DROPEFFECT_NONE, {}},
      {"text moved", kText, true, false, false, 0, 3, DROPEFFECT_MOVE, {"text:hello"}},
      {"text copied with Ctrl", kText, true, false, false, MK_CONTROL_DRAG, 3, DROPEFFECT_COPY, {"text:hello"}},
      {"copy when move is not allowed", kText, true, false, false, 0, 1, DROPEFFECT_COPY, {"text:hello"}},
      {"cells whatever the accept flags", kCells | kText, false, false, false, 0, 3, DROPEFFECT_MOVE,
       {"cells:CELLS"}},
      {"malformed cells fall back to text", kBadCells | kText, true, false, false, 0, 3, DROPEFFECT_MOVE,
       {"text:hello"}},
      {"text then files", kText | kFiles, true, false, false, 0, 3, DROPEFFECT_MOVE, {"text:hello", "files:/f.txt"}},
      {"column alone, text ignored", kCol | kText | kFiles, true, true, false, 0, 3, DROPEFFECT_MOVE, {"col:2"}},
      {"column not accepted", kCol, true, false, false, 0, 3, DROPEFFECT_NONE, {}},
      {"short column block falls back to text", kBadCol | kText, true, true, false, 0, 3, DROPEFFECT_MOVE,
       {"text:hello"}},
      {"rich text ignored while switched off", kRTF | kText, true, false, false, 0, 3, DROPEFFECT_MOVE,
       {"text:hello"}},
      {"rich text while switched on", kRTF | kText, true, false, true, 0, 3, DROPEFFECT_MOVE, {"rtf:{\\rtf1}"}},
      {"url", kURL | kText, true, false, false, 0, 3, DROPEFFECT_MOVE, {"text:hello", "url:http://x.org/"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TFakeData data;
    if (c.content & kText) data.Put(CF_UNICODETEXT_FORMAT, Utf16(u"hello"));
    if (c.content & kFiles) data.Put(CF_HDROP, DropFiles({"/f.txt"}, false));
    if (c.content & kCol) data.Put(ids.col, Le32(2));
    if (c.content & kBadCol) data.Put(ids.col, String("\x02\x00", 2));
    if (c.content & kCells) data.Put(ids.cells, Le32(5) + Le32(0) + "CELLS");
    if (c.content & kBadCells) data.Put(ids.cells, Le32(50) + Le32(0) + "CELLS");
    if (c.content & kRTF) data.Put(ids.rtf, String("{\\rtf1}\0", 8));
    if (c.content & kURL) data.Put(ids.url, String("http://x.org/\0", 14));
    EnableRTFDragDrop(c.rtfSwitch);
    TRecordingTarget target;
    target.AcceptText = c.acceptText;
    target.AcceptCols = c.acceptCols;
    DWORD effect = c.allowed;
    EXPECT_EQ(target.DragEnter(&data, c.keys, TPoint{1, 1}, effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    effect = c.allowed;
    target.DragOver(c.keys, TPoint{2, 2}, effect);
    EXPECT_EQ(effect, c.effect);
    effect = c.allowed;
    EXPECT_EQ(target.Drop(&data, c.keys, TPoint{2, 2}, effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    EXPECT_EQ(target.log, c.log);
  }
  EnableRTFDragDrop(false);
}

TEST(DropTarget, FormatsPresentAndRefusalWhileMoving) {
  const FormatIds ids = Ids();
  TFakeData data;
  data.Put(CF_UNICODETEXT_FORMAT, Utf16(u"t"));
  data.Put(ids.url, String("u\0", 2));
  TRecordingTarget target;
  DWORD effect = 3;
  target.DragEnter(&data, 0, TPoint{}, effect);
  EXPECT_EQ(target.DropFormats(), (TDropFormats{dfText, dfURL}));
  target.refuse = true;
  effect = 3;
  target.DragOver(0, TPoint{}, effect);
  EXPECT_EQ(effect, DROPEFFECT_NONE);

  TFakeData noEnumerator;
  noEnumerator.hasEnumerator = false;
  effect = 3;
  EXPECT_EQ(target.DragEnter(&noEnumerator, 0, TPoint{}, effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  EXPECT_TRUE(target.DropFormats().Empty());
}

struct TRecordingSource : TROZDropSource {
  int stopped = 0, queried = 0;
  void DragDropStopped() override { ++stopped; }
  void QueryDrag() override { ++queried; }
};

TEST(DropSource, FollowsKeysAndFeedback) {
  TRecordingSource source;
  EXPECT_EQ(source.QueryContinueDrag(false, MK_LBUTTON_DRAG), S_OK);
  EXPECT_EQ(source.stopped, 0);
  EXPECT_EQ(source.QueryContinueDrag(true, MK_LBUTTON_DRAG), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source.stopped, 2);
  EXPECT_EQ(source.queried, 3);
  EXPECT_EQ(source.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_TRUE(source.NoAccept());
  source.GiveFeedback(DROPEFFECT_COPY);
  EXPECT_FALSE(source.NoAccept());
}

TEST(Drag, FromSourceToTarget) {
  TRecordingTarget target;
  // The drag enters the target, the button is released over it, and the data is dropped.
  SetDoDragDropHook([&](IDataObject* data, IDropSource* source, DWORD ok, DWORD& effect) {
    effect = ok;
    target.DragEnter(data, MK_LBUTTON_DRAG, TPoint{3, 4}, effect);
    source->GiveFeedback(effect);
    if (source->QueryContinueDrag(false, 0) != DRAGDROP_S_DROP) return DRAGDROP_S_CANCEL;
    effect = ok;
    target.Drop(data, 0, TPoint{3, 4}, effect);
    return DRAGDROP_S_DROP;
  });
  TMemoryStream cells;
  cells.WriteString("XY");
  TROZDropSource source;
  DWORD effect = 0;
  EXPECT_EQ(BeginTextDrag(&source, "dragged", String(), &cells, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect),
            DRAGDROP_S_DROP);
  EXPECT_EQ(effect, DROPEFFECT_MOVE);
  EXPECT_EQ(target.log, std::vector<String>{"cells:XY"});

  // A target that takes nothing: the last feedback had no effect, so the drag counts as cancelled.
  target.log.clear();
  target.AcceptText = false;
  EXPECT_EQ(BeginTextDrag(&source, "dragged", String(), nullptr, DROPEFFECT_COPY, effect), DRAGDROP_S_CANCEL);
  EXPECT_TRUE(target.log.empty());

  target.AcceptCols = true;
  EXPECT_EQ(BeginColumnDrag(&source, 4, DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
  EXPECT_EQ(target.log, std::vector<String>{"col:4"});
  SetDoDragDropHook(nullptr);
  EXPECT_EQ(BeginColumnDrag(&source, 4, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
}

TEST(Drag, ThroughTheWindowSystemsDragData) {
  // Another running program's grid receives the same blocks.
  TMemoryStream cells;
  cells.WriteString(String("c\0ells", 6));
  TSourceDataObject source("text \xC3\xA9", &cells, 9, String());
  std::unique_ptr<TDragMimeData> mime = MimeFromDataObject(&source);
  std::shared_ptr<TBlockDataObject> received = DataObjectFromMime(*mime);
  TEnumFormats formats(received.get());
  EXPECT_EQ(formats.Text(), "text \xC3\xA9");
  EXPECT_EQ(formats.Col(), 9);
  std::unique_ptr<TMemoryStream> stream = formats.Stream();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->ReadAll(), String("c\0ells", 6));

  // Files dragged from a file manager; other addresses are not files.
  TDragMimeData files;
  files.SetData("text/uri-list", "file:///tmp/a%20b.txt\r\nhttp://example.org/x\r\nfile:///tmp/c.txt\r\n");
  std::shared_ptr<TBlockDataObject> fileData = DataObjectFromMime(files);
  TEnumFormats dropped(fileData.get());
  ASSERT_TRUE(dropped.ReadFileNames());
  EXPECT_EQ(dropped.Files()->Count(), 2);
  EXPECT_EQ((*dropped.Files())[0], "/tmp/a b.txt");
  EXPECT_EQ((*dropped.Files())[1], "/tmp/c.txt");
}

}  // namespace
