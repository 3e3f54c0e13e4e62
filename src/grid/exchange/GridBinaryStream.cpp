// The binary cell stream: a rectangle of cells with texts, cell properties and graphics (and
// the graphics' own objects). The reader parses the whole stream first and changes the grid
// only when every record was read, so a damaged stream leaves the grid as it was.
#include <algorithm>
#include <optional>

#include "classlib/Bitmap.h"
#include "classlib/Picture.h"
#include "classlib/StringList.h"
#include "grid/exchange/GridStreamCarriers.h"
#include "grid/model/RivErodovOzar.h"

using GridStream::TBinary;
using GridStream::TRecord;

namespace {

constexpr int kMostPosition = 65535;

int32_t WindowID(TRivErodovOzar& Grid) {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(Grid.Handle()));
}

TRecord PropertiesRecord(const TCellProperties& P, bool HasGraphic) {
  TRecord r{"TGridCellPropIO", {}};
  auto add = [&r](const char* Name, GridStream::TValue V) { r.Add(String("CellProperties.") + Name, std::move(V)); };
  add("IsBaseCell", P.IsBaseCell());
  add("CellSpanX", P.CellSpanX());
  add("CellSpanY", P.CellSpanY());
  add("OwnerCol", P.OwnerCol());
  add("OwnerRow", P.OwnerRow());
  add("Alignment", static_cast<int32_t>(P.Alignment()));
  add("BorderColor", P.BorderColor());
  add("BorderWidth", P.BorderWidth());
  add("BrushColor", P.BrushColor());
  add("BrushColorTo", P.BrushColorTo());
  add("BrushStyle", static_cast<int32_t>(P.BrushStyle()));
  add("CellObject", P.CellObject());
  add("FontColor", P.FontColor());
  add("FontName", P.FontName());
  add("FontSize", P.FontSize());
  add("FontStyle", static_cast<int32_t>(P.FontStyle().Bits()));
  add("Editor", static_cast<int32_t>(P.Editor()));
  add("GradientDirection", static_cast<int32_t>(P.GradientDirection()));
  add("ReadOnly", P.ReadOnly());
  add("VAlignment", static_cast<int32_t>(P.VAlignment()));
  add("WordWrap", P.WordWrap());
  add("NodeLevel", P.NodeLevel());
  r.Add("HasGraphic", HasGraphic);
  return r;
}

// Properties absent from the record keep the target's values.
void ApplyProperties(const TRecord& R, TCellProperties& P) {
  auto name = [](const char* N) { return String("CellProperties.") + N; };
  P.SetIsBaseCell(R.Bool(name("IsBaseCell"), P.IsBaseCell()));
  P.SetCellSpanX(R.Int(name("CellSpanX"), P.CellSpanX()));
  P.SetCellSpanY(R.Int(name("CellSpanY"), P.CellSpanY()));
  P.SetAlignment(static_cast<TAlignment>(std::clamp(R.Int(name("Alignment"), P.Alignment()), 0, 2)));
  P.SetBorderColor(R.Int(name("BorderColor"), P.BorderColor()));
  P.SetBorderWidth(R.Int(name("BorderWidth"), P.BorderWidth()));
  P.SetBrushColor(R.Int(name("BrushColor"), P.BrushColor()));
  P.SetBrushColorTo(R.Int(name("BrushColorTo"), P.BrushColorTo()));
  P.SetBrushStyle(static_cast<TBrushStyle>(std::clamp(R.Int(name("BrushStyle"), P.BrushStyle()), 0, 7)));
  P.SetCellObject(R.Int(name("CellObject"), P.CellObject()));
  P.SetFontColor(R.Int(name("FontColor"), P.FontColor()));
  if (R.Find(name("FontName")) != nullptr) P.SetFontName(R.Str(name("FontName")));
  P.SetFontSize(R.Int(name("FontSize"), P.FontSize()));
  P.SetFontStyle(TFontStyles::FromBits(static_cast<uint32_t>(R.Int(name("FontStyle"), static_cast<int32_t>(P.FontStyle().Bits()))) & 0xF));
  P.SetEditor(static_cast<TEditorType>(std::max(0, R.Int(name("Editor"), P.Editor()))));
  P.SetGradientDirection(static_cast<TCellGradientDirection>(
      std::clamp(R.Int(name("GradientDirection"), P.GradientDirection()), 0, 1)));
  P.SetReadOnly(R.Bool(name("ReadOnly"), P.ReadOnly()));
  P.SetVAlignment(static_cast<TVAlignment>(std::clamp(R.Int(name("VAlignment"), P.VAlignment()), 0, 2)));
  P.SetWordWrap(R.Bool(name("WordWrap"), P.WordWrap()));
  P.SetNodeLevel(R.Int(name("NodeLevel"), P.NodeLevel()));
}

TRecord GraphicRecord(const TCellGraphic& G) {
  TRecord r{"TGridGraphicIO", {}};
  auto add = [&r](const char* Name, GridStream::TValue V) { r.Add(String("CellGraphic.") + Name, std::move(V)); };
  add("CellType", static_cast<int32_t>(G.CellType));
  add("CellVAlign", static_cast<int32_t>(G.CellVAlign));
  add("CellHAlign", static_cast<int32_t>(G.CellHAlign));
  add("CellIndex", G.CellIndex);
  add("CellTransparent", G.CellTransparent);
  add("CellCreated", G.CellCreated);
  add("CellBoolean", G.CellBoolean);
  add("CellAngle", G.CellAngle);
  add("CellValue", G.CellValue);
  add("CellErrFrom", G.CellErrFrom);
  add("CellErrLen", G.CellErrLen);
  add("CellText", G.CellText);
  return r;
}

bool CarriesObject(TCellType T) {
  switch (T) {
    case ctBitmap: case ctBitButton: case ctIcon: case ctRadio: case ctImages: case ctPicture: case ctFilePicture:
      return true;
    default:
      return false;
  }
}

// Graphics whose object belongs to somebody else travel without it.
bool HasGraphic(const TCellGraphic* G) {
  if (G == nullptr || G->CellType == ctEmpty || G->CellType == ctNone) return false;
  return CarriesObject(G->CellType) ? G->CellCreated : true;
}

String ImageBytes(const TGraphic* G) { return G != nullptr && !G->Empty() ? G->SaveToBytes() : String(); }

TRecord ObjectRecord(const TCellGraphic& G) {
  switch (G.CellType) {
    case ctBitmap:
    case ctBitButton:
      return TRecord{"TGridBMPIO", {{"Bitmap.Data", TBinary{ImageBytes(dynamic_cast<TBitmap*>(G.CellBitmap))}}}};
    case ctIcon:
      return TRecord{"TGridIconIO", {{"Icon.Data", TBinary{ImageBytes(G.CellIcon)}}}};
    case ctPicture: {
      const auto* pic = dynamic_cast<TPicture*>(G.CellBitmap);
      return TRecord{"TGridPicIO", {{"Picture.Data", TBinary{pic != nullptr && pic->Graphic() != nullptr ? pic->SaveToBytes() : String()}}}};
    }
    case ctFilePicture: {
      const auto* pic = dynamic_cast<TFilePicture*>(G.CellBitmap);
      TRecord r{"TGridFilePicIO", {}};
      r.Add("Picture.Filename", pic != nullptr ? pic->Filename() : String());
      r.Add("Picture.Width", pic != nullptr ? pic->Width() : 0);
      r.Add("Picture.Height", pic != nullptr ? pic->Height() : 0);
      return r;
    }
    case ctRadio: {
      std::vector<String> items;
      if (const auto* sl = dynamic_cast<TStrings*>(G.CellBitmap))
        for (int i = 0; i < sl->Count(); ++i) items.push_back(sl->Strings(i));
      return TRecord{"TGridSLIO", {{"Strings.Strings", items}}};
    }
    default: {  // ctImages
      std::vector<String> items;
      if (const auto* list = dynamic_cast<TIntList*>(G.CellBitmap)) items.push_back(list->StrValue());
      return TRecord{"TGridSLIO", {{"Strings.Strings", items}}};
    }
  }
}

const char* ObjectRecordClass(TCellType T) {
  switch (T) {
    case ctBitmap: case ctBitButton: return "TGridBMPIO";
    case ctIcon: return "TGridIconIO";
    case ctPicture: return "TGridPicIO";
    case ctFilePicture: return "TGridFilePicIO";
    default: return "TGridSLIO";
  }
}

// The numbers of a comma list; EReadError for anything else.
std::vector<int> NumberList(const String& S) {
  std::vector<int> out;
  if (S.empty()) return out;
  size_t start = 0;
  for (;;) {
    const size_t comma = S.find(',', start);
    int v = 0;
    if (!TryStrToInt(S.substr(start, comma == String::npos ? String::npos : comma - start), v))
      throw EReadError("Invalid stream format");
    out.push_back(v);
    if (comma == String::npos) break;
    start = comma + 1;
  }
  return out;
}

// One cell as read, with its objects decoded, before anything is applied.
struct TReadCell {
  int Col = 0;
  int Row = 0;
  String Text;
  std::optional<TRecord> Props;
  std::optional<TRecord> Graphic;
  std::optional<TRecord> Object;
  std::unique_ptr<TGraphic> Image;
  std::unique_ptr<TPicture> Picture;
};

struct TReadStream {
  int32_t ColCount = 0;
  int32_t RowCount = 0;
  bool FullGrid = false;
  std::vector<int> Widths;
  std::vector<int> Heights;
  std::vector<TReadCell> Cells;
};

// Decodes the image of an object record, so that a damaged image fails before the grid changes.
void DecodeObject(TReadCell& Cell, TCellType Type) {
  const TRecord& obj = *Cell.Object;
  switch (Type) {
    case ctBitmap:
    case ctBitButton:
      Cell.Image = std::make_unique<TBitmap>();
      if (const String data = obj.Bin("Bitmap.Data"); !data.empty()) Cell.Image->LoadFromBytes(data);
      break;
    case ctIcon:
      Cell.Image = std::make_unique<TIcon>();
      if (const String data = obj.Bin("Icon.Data"); !data.empty()) Cell.Image->LoadFromBytes(data);
      break;
    case ctPicture:
      Cell.Picture = std::make_unique<TPicture>();
      if (const String data = obj.Bin("Picture.Data"); !data.empty()) Cell.Picture->LoadFromBytes(data);
      break;
    default:
      break;
  }
}

void ParseStream(TStream& Stream, TReadStream& Parsed) {
  const Int64 left = Stream.Size() - Stream.Position();
  String bytes(static_cast<size_t>(std::max<Int64>(0, left)), '\0');
  if (!bytes.empty()) Stream.ReadBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
  GridStream::TRecordReader reader(std::move(bytes));
  TGridPropIO head(nullptr);
  head.FromRecord(reader.Read("TGridPropIO"));
  if (head.ColCount < 0 || head.RowCount < 0 || head.ColCount > kMostPosition + 1 || head.RowCount > kMostPosition + 1)
    throw EReadError("Invalid stream format");
  Parsed.ColCount = head.ColCount;
  Parsed.RowCount = head.RowCount;
  Parsed.FullGrid = head.FullGrid;
  Parsed.Widths = NumberList(head.ColWidths);
  Parsed.Heights = NumberList(head.RowHeights);
  const int64_t cells = static_cast<int64_t>(head.ColCount) * head.RowCount;
  while (reader.Remaining() >= 2) {
    if (static_cast<int64_t>(Parsed.Cells.size()) >= cells) throw EReadError("Invalid stream format");
    TGridCellIO io(nullptr);
    io.FromRecord(reader.Read("TGridCellIO"));
    TReadCell cell;
    cell.Col = io.Col;
    cell.Row = io.Row;
    cell.Text = io.Cell;
    if (io.HasProp) {
      cell.Props = reader.Read("TGridCellPropIO");
      if (cell.Props->Bool("HasGraphic")) {
        cell.Graphic = reader.Read("TGridGraphicIO");
        const int32_t kind = cell.Graphic->Int("CellGraphic.CellType");
        if (kind < 0 || kind > ctEmpty) throw EReadError("Invalid stream format");
        const auto type = static_cast<TCellType>(kind);
        if (CarriesObject(type)) {
          cell.Object = reader.Read(ObjectRecordClass(type));
          DecodeObject(cell, type);
        }
      }
    }
    Parsed.Cells.push_back(std::move(cell));
  }
  if (reader.Remaining() != 0) throw EReadError("Invalid stream format");
  // The writer writes a record for every cell of the rectangle.
  if (static_cast<int64_t>(Parsed.Cells.size()) != cells) throw EReadError("Invalid stream format");
}

}  // namespace

void ValidateCellStream(const String& Bytes) {
  TStringStream stream(Bytes);
  TReadStream parsed;
  ParseStream(stream, parsed);
}

void TRivErodovOzar::SaveRectToBinStream(const TRect& R, TStream* Stream) {
  if (R.Right > kMostPosition || R.Bottom > kMostPosition || R.Left < 0 || R.Top < 0)
    throw ERivGridError("Cells beyond row or column 65535 cannot be copied");
  TGridPropIO head(nullptr);
  head.RowCount = std::max(0, R.Bottom - R.Top + 1);
  head.ColCount = std::max(0, R.Right - R.Left + 1);
  head.FullGrid = SaveFixedCells ? head.RowCount == RowCount() && head.ColCount == ColCount()
                                 : head.RowCount == RowCount() - FixedRows() && head.ColCount == ColCount() - FixedCols();
  head.ID = WindowID(*this);
  for (int c = R.Left; c <= R.Right; ++c) head.ColWidths += (c > R.Left ? "," : "") + IntToStr(GetAllColWidth(c));
  for (int r = R.Top; r <= R.Bottom; ++r) head.RowHeights += (r > R.Top ? "," : "") + IntToStr(RowHeights(r));
  GridStream::WriteRecord(*Stream, head.ToRecord());
  int lastProgress = -1;
  ExportNotification(esExportStart, R.Top);
  for (int r = R.Top; r <= R.Bottom; ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = R.Left; c <= R.Right; ++c) {
      TGridCellIO cell(nullptr);
      cell.Col = static_cast<Word>(c);
      cell.Row = static_cast<Word>(r);
      cell.Cell = TBaseGrid::Cells(c, r);
      cell.HasProp = HasCellProperties(c, r);
      GridStream::WriteRecord(*Stream, cell.ToRecord());
      if (!cell.HasProp) continue;
      const TCellGraphic* graphic = dynamic_cast<const TCellGraphic*>(PropertiesGraphic(Props(c, r)));
      const bool hasGraphic = HasGraphic(graphic);
      GridStream::WriteRecord(*Stream, PropertiesRecord(*Props(c, r), hasGraphic));
      if (!hasGraphic) continue;
      GridStream::WriteRecord(*Stream, GraphicRecord(*graphic));
      if (CarriesObject(graphic->CellType)) GridStream::WriteRecord(*Stream, ObjectRecord(*graphic));
    }
    if (OnFileProgress) {
      const int p = GridCSV::ProgressPercent(r, std::max(1, R.Bottom - R.Top));
      if (p != lastProgress) {
        lastProgress = p;
        OnFileProgress(this, static_cast<int16_t>(p));
      }
    }
  }
  ExportNotification(esExportDone, -1);
}

void TRivErodovOzar::SaveToBinStream(TStream* Stream) {
  if (SaveFixedCells) SaveRectToBinStream(Rect(0, 0, ColCount() - 1, RowCount() - 1), Stream);
  else SaveRectToBinStream(Rect(FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1), Stream);
}

void TRivErodovOzar::LoadAtPointFromBinStream(const TPoint& Point, TStream* Stream) {
  TReadStream parsed;
  ParseStream(*Stream, parsed);
  if (parsed.FullGrid) {
    Clear();
    SetRowCount(parsed.RowCount);
    SetColCount(parsed.ColCount);
    for (int i = 0; i < ColCount() && i < static_cast<int>(parsed.Widths.size()); ++i)
      SetColWidths(i, std::max(0, parsed.Widths[static_cast<size_t>(i)]));
    for (int i = 0; i < RowCount() && i < static_cast<int>(parsed.Heights.size()); ++i)
      SetRowHeights(i, std::max(0, parsed.Heights[static_cast<size_t>(i)]));
  }
  TPoint origin{0, 0};
  if (!parsed.FullGrid && !parsed.Cells.empty()) origin = TPoint{parsed.Cells[0].Col, parsed.Cells[0].Row};
  int lastRow = -1;
  int lastProgress = -1;
  for (TReadCell& cell : parsed.Cells) {
    const int tc = cell.Col - origin.X + Point.X;
    const int tr = cell.Row - origin.Y + Point.Y;
    // Cells that fall outside the grid are dropped.
    if (tc < 0 || tr < 0 || tc >= AllColCount() || tr >= RowCount()) continue;
    TBaseGrid::SetCells(tc, tr, cell.Text);
    if (tr != lastRow && OnFileProgress) {
      lastRow = tr;
      const int p = GridCSV::ProgressPercent(tr, std::max(1, RowCount()));
      if (p != lastProgress) {
        lastProgress = p;
        OnFileProgress(this, static_cast<int16_t>(p));
      }
    }
    if (!cell.Props) continue;
    TCellProperties* props = GetCellProperties(tc, tr);
    ApplyProperties(*cell.Props, *props);
    props->SetOwnerCol(tc);
    props->SetOwnerRow(tr);
    if (!cell.Graphic) continue;
    const TRecord& gr = *cell.Graphic;
    const auto type = static_cast<TCellType>(gr.Int("CellGraphic.CellType"));
    TCellGraphic* g = CreateCellGraphic(tc, tr);
    if (type == ctImages) {
      g->SetMultiImage(tc, tr, 0, haLeft, vaTop,
                       [this](TObject* Sender, int C, int R) { ImageIndexesChanged(Sender, C, R); });
      const std::vector<String> items = cell.Object->List("Strings.Strings");
      if (auto* list = dynamic_cast<TIntList*>(g->CellBitmap); list != nullptr && !items.empty()) {
        try {
          list->SetStrValue(items[0]);
        } catch (const EConvertError&) {
          // A damaged index list keeps the indexes read before the fault.
        }
      }
    } else if (type == ctIcon) {
      g->OwnIcon(static_cast<TIcon*>(cell.Image.release()));
    } else if (cell.Image) {
      g->OwnObject(cell.Image.release());
    } else if (cell.Picture) {
      g->OwnObject(cell.Picture.release());
    } else if (type == ctFilePicture) {
      auto pic = std::make_unique<TFilePicture>();
      const String name = cell.Object->Str("Picture.Filename");
      // A picture file that is gone leaves the cell without its picture.
      if (!name.empty() && FileExists(name)) pic->SetFilename(name);
      g->OwnObject(pic.release());
    } else if (type == ctRadio) {
      auto items = std::make_unique<TStringList>();
      for (const String& s : cell.Object->List("Strings.Strings")) items->Add(s);
      g->OwnObject(items.release());
    }
    g->CellType = type;
    g->CellVAlign = static_cast<TCellVAlign>(std::clamp(gr.Int("CellGraphic.CellVAlign"), 0, static_cast<int>(vaFull)));
    g->CellHAlign = static_cast<TCellHAlign>(std::clamp(gr.Int("CellGraphic.CellHAlign"), 0, static_cast<int>(haFull)));
    g->CellIndex = gr.Int("CellGraphic.CellIndex");
    g->CellTransparent = gr.Bool("CellGraphic.CellTransparent");
    g->CellBoolean = gr.Bool("CellGraphic.CellBoolean");
    g->CellAngle = gr.Int("CellGraphic.CellAngle");
    g->CellValue = gr.Dbl("CellGraphic.CellValue");
    g->CellErrFrom = gr.Int("CellGraphic.CellErrFrom");
    g->CellErrLen = gr.Int("CellGraphic.CellErrLen");
    g->CellText = gr.Str("CellGraphic.CellText");
  }
}

void TRivErodovOzar::LoadFromBinStream(TStream* Stream) {
  LoadAtPointFromBinStream(TPoint{0, 0}, Stream);
  int nodes = 0;
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (GetCellType(0, r) == ctNode) ++nodes;
  FNumNodes = nodes;
  if (nodes > 0) RepaintCol(0);
}

void TRivErodovOzar::SaveToBinFile(const String& FileName) {
  TMemoryStream stream;
  SaveToBinStream(&stream);
  stream.SaveToFile(FileName);
}

void TRivErodovOzar::LoadFromBinFile(const String& FileName) {
  TMemoryStream stream;
  stream.LoadFromFile(FileName);
  stream.SetPosition(0);
  LoadFromBinStream(&stream);
}
