// The grid bridge against a small in-memory workbook file: the sheet-to-grid mapping, sizes,
// cell looks, merged blocks in both directions, and that the file object is always closed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

#include "classlib/SysUtils.h"
#include "xls/vavRivGridExcel.h"
#include "xls/vavUXlsFile.h"

namespace {

// One sheet of cells; what the import asks and nothing more. Formats by index: 15 is the
// default cell format, others are added by a test.
class TSheetDouble : public TExcelFile {
 public:
  struct TCell {
    Variant Value;
    Integer XF = -1;
    WideString Formula;
  };
  std::map<std::pair<Integer, Integer>, TCell> Cells;  // (row, col), 1-based
  std::vector<TXlsCellRange> Merges;
  std::map<Integer, TWbkFormat> Formats{{15, TWbkFormat{}}};
  std::map<Integer, Integer> RowHeights, ColWidths;
  Integer Zoom = 100;
  bool FailOnClose = false;
  std::vector<String>* Calls = nullptr;

  void Connect() override { Calls->push_back("Connect"); }
  void Disconnect() override { Calls->push_back("Disconnect"); }
  void CloseFile() override {
    Calls->push_back("CloseFile");
    if (FailOnClose) throw Exception("close failed");
  }
  void OpenFile(const String& FileName) override {
    Calls->push_back("OpenFile " + FileName);
    if (FileName == "broken.xls") throw Exception("Error reading Excel records. File invalid");
  }
  Integer SheetCount() override { return 1; }
  Integer GetActiveSheet() override { return 1; }
  void SetActiveSheet(Integer) override {}
  WideString GetActiveSheetName() override { return u"Sheet1"; }
  void SelectSheet(Integer) override {}
  void ParseComments() override {}
  Integer GetCommentsCount(Integer) override { return 0; }
  Integer GetPicturesCount(Integer) override { return 0; }
  bool GetRowHidden(Integer) override { return false; }
  bool GetColumnHidden(Integer) override { return false; }
  Byte GetPrintOptions() override { return 4; }  // no printer settings
  Integer GetRowOutlineLevel(Integer) override { return 0; }
  Integer GetSheetZoom() override { return Zoom; }
  Integer MaxRow() override {
    Integer m = 0;
    for (const auto& [k, v] : Cells) m = std::max(m, k.first);
    return m;
  }
  Integer MaxCol() override {
    Integer m = 0;
    for (const auto& [k, v] : Cells) m = std::max(m, k.second);
    return m;
  }
  Integer ColIndexCount(Integer Row) override { return static_cast<Integer>(RowColumns(Row).size()); }
  Integer ColByIndex(Integer Row, Integer ColIndex) override {
    const std::vector<Integer> cols = RowColumns(Row);
    return ColIndex >= 1 && ColIndex <= static_cast<Integer>(cols.size()) ? cols[static_cast<size_t>(ColIndex - 1)] : 0;
  }
  Integer CellMergedListCount() override { return static_cast<Integer>(Merges.size()); }
  TXlsCellRange GetCellMergedList(Integer Index) override { return Merges.at(static_cast<size_t>(Index)); }
  Integer GetDefaultRowHeight() override { return 300; }  // 20 pixels
  Integer GetDefaultColWidth() override { return 2560; }  // 70 pixels
  Integer GetRowHeight(Integer Row) override { return RowHeights.count(Row) ? RowHeights[Row] : 300; }
  Integer GetColumnWidth(Integer Col) override { return ColWidths.count(Col) ? ColWidths[Col] : 2560; }
  Integer GetRowFormat(Integer) override { return -1; }
  Integer GetColumnFormat(Integer) override { return -1; }
  Integer GetCellFormat(Integer Row, Integer Col) override {
    auto it = Cells.find({Row, Col});
    return it == Cells.end() ? -1 : it->second.XF;
  }
  TWbkFormat GetFormatList(Integer Index) override { return Formats.at(Index); }
  Cardinal GetColorPalette(Integer Index) override { return Index == 10 ? 0x0000FF : 0x000000; }  // 10: red
  TXlsCellRange GetCellMergedBounds(Integer Row, Integer Col) override {
    for (const TXlsCellRange& m : Merges)
      if (Row >= m.Top && Row <= m.Bottom && Col >= m.Left && Col <= m.Right) return m;
    return TXlsCellRange{Col, Row, Col, Row};
  }
  Variant GetCellValue(Integer Row, Integer Col) override {
    auto it = Cells.find({Row, Col});
    return it == Cells.end() ? Variant() : it->second.Value;
  }
  WideString GetCellFormula(Integer Row, Integer Col) override {
    auto it = Cells.find({Row, Col});
    return it == Cells.end() ? WideString() : it->second.Formula;
  }
  bool GetOptions1904Dates() override { return false; }

 private:
  std::vector<Integer> RowColumns(Integer Row) const {
    std::vector<Integer> cols;
    for (const auto& [k, v] : Cells)
      if (k.first == Row) cols.push_back(k.second);
    return cols;
  }
};

class TDoubleAdapter : public TExcelAdapter {
 public:
  using TExcelAdapter::TExcelAdapter;
  std::function<void(TSheetDouble&)> Setup;
  std::vector<String> Calls;
  std::unique_ptr<TExcelFile> GetWorkbook() override {
    auto file = std::make_unique<TSheetDouble>();
    file->Calls = &Calls;
    if (Setup) Setup(*file);
    return file;
  }
};

struct Bridge {
  std::unique_ptr<TRivErodovOzar> Grid{New<TRivErodovOzar>(nullptr)};
  std::unique_ptr<TDoubleAdapter> Adapter{New<TDoubleAdapter>(nullptr)};
  std::unique_ptr<TRivGridExcelIO> IO{New<TRivGridExcelIO>(nullptr)};
  Bridge() {
    IO->SetRivErodovOzar(Grid.get());
    IO->SetAdapter(Adapter.get());
  }
};

TEST(GridBridgeDouble, SheetCellsLandWhereTheStartsSayAndTheGridTakesTheSheetsSize) {
  struct Case {
    int gridStart, fixed;
    int rows, cols;  // expected counts
    int textCol, textRow;
  };
  // A1 only: with grid start 0 the counts become 1 only when the grid has no fixed cells; with
  // grid start 1 the grid needs 2 rows and 2 columns.
  for (const Case& c : {Case{0, 0, 1, 1, 0, 0}, Case{0, 1, 3, 3, 0, 0}, Case{1, 1, 2, 2, 1, 1}}) {
    Bridge b;
    b.Grid->SetColCount(3);
    b.Grid->SetRowCount(3);
    b.Grid->SetFixedCols(c.fixed);
    b.Grid->SetFixedRows(c.fixed);
    b.IO->SetGridStartRow(c.gridStart);
    b.IO->SetGridStartCol(c.gridStart);
    b.Adapter->Setup = [](TSheetDouble& f) { f.Cells[{1, 1}] = {Variant(String("  A1  ")), -1, {}}; };
    b.IO->XLSImport("one.xls");
    EXPECT_EQ(b.Grid->RowCount(), c.rows);
    EXPECT_EQ(b.Grid->ColCount(), c.cols);
    EXPECT_EQ(b.Grid->Cells(c.textCol, c.textRow), "A1");
  }
}

TEST(GridBridgeDouble, SizesFollowTheSheetAndItsZoom) {
  Bridge b;
  b.IO->SetGridStartRow(0);
  b.IO->SetGridStartCol(0);
  b.Adapter->Setup = [](TSheetDouble& f) {
    f.Cells[{2, 2}] = {Variant(1.0), -1, {}};
    f.RowHeights[2] = 450;  // 30 pixels
    f.ColWidths[1] = 1024;  // 28 pixels
    f.Zoom = 50;
  };
  b.IO->XLSImport("sizes.xls");
  EXPECT_EQ(b.Grid->DefaultRowHeight(), 10);
  EXPECT_EQ(b.Grid->DefaultColWidth(), 35);
  EXPECT_EQ(b.Grid->RowHeights(1), 15);
  EXPECT_EQ(b.Grid->ColWidths(0), 14);
  b.IO->ZoomSaved = false;
  b.IO->XLSImport("sizes.xls");
  EXPECT_EQ(b.Grid->RowHeights(1), 30);
}

TEST(GridBridgeDouble, CellLooksAndFormulasComeOnlyWithCellProperties) {
  Bridge b;
  b.IO->SetGridStartRow(0);
  b.IO->SetGridStartCol(0);
  b.Adapter->Setup = [](TSheetDouble& f) {
    TWbkFormat red;
    red.Font.ColorIndex = 10;
    red.Font.Size20 = 240;
    red.Font.Name = u"Liberation Serif";
    red.Font.Style = {flsBold, flsItalic};
    red.FillPattern = {2, 10, 1};
    f.Formats[20] = red;
    f.Cells[{1, 1}] = {Variant(3.0), 20, u"=1+2"};
    f.Cells[{1, 2}] = {Variant(true), -1, {}};
    f.Cells[{1, 3}] = {Variant(String(" text ")), -1, {}};
  };
  b.IO->XLSImport("looks.xls");
  EXPECT_EQ(b.Grid->Cells(0, 0), "3");
  EXPECT_FALSE(b.Grid->HasCellProperties(0, 0));

  b.IO->Options()->ImportCellProperties = true;
  b.IO->UseUnicode = true;  // texts keep their blanks
  b.IO->XLSImport("looks.xls");
  EXPECT_EQ(b.Grid->Cells(0, 0), "=1+2");
  EXPECT_EQ(b.Grid->Cells(2, 0), " text ");
  TCellProperties* p = b.Grid->GetCellProperties(0, 0);
  EXPECT_EQ(p->FontColor(), 0x0000FF);
  EXPECT_EQ(p->BrushColor(), 0x0000FF);
  EXPECT_EQ(p->FontSize(), 12);
  EXPECT_EQ(p->FontName(), "Liberation Serif");
  EXPECT_TRUE(p->FontStyle().Contains(fsBold));
  EXPECT_TRUE(p->FontStyle().Contains(fsItalic));
  EXPECT_FALSE(p->FontStyle().Contains(fsUnderline));
  // General alignment: numbers right, Booleans centred, texts left.
  EXPECT_EQ(p->Alignment(), taRightJustify);
  EXPECT_EQ(b.Grid->GetCellProperties(1, 0)->Alignment(), taCenter);
  EXPECT_EQ(b.Grid->GetCellProperties(2, 0)->Alignment(), taLeftJustify);
  EXPECT_EQ(b.Grid->GetCellProperties(1, 0)->BrushColor(), 0xFFFFFF);
}

TEST(GridBridgeDouble, TheFileObjectIsClosedWhateverHappens) {
  for (bool failOnClose : {false, true}) {
    Bridge b;
    b.Grid->SetCells(1, 1, "kept");
    b.Adapter->Setup = [&](TSheetDouble& f) { f.FailOnClose = failOnClose; };
    try {
      b.IO->XLSImport("broken.xls");
      ADD_FAILURE();
    } catch (const Exception& e) {
      // The reading error, not the closing one.
      EXPECT_EQ(e.Message, "Error reading Excel records. File invalid");
    }
    EXPECT_EQ(b.Adapter->Calls, (std::vector<String>{"Connect", "OpenFile broken.xls", "CloseFile", "Disconnect"}));
    EXPECT_EQ(b.Grid->Cells(1, 1), "kept");
  }
}

// Export into a real workbook file: a merged grid block becomes a merged sheet range whose
// cells all take the base cell's format; the covered cells write nothing else. White cells
// get no fill, coloured ones (the title, given its own colour: the default look's header
// gradient starts white) a solid one.
TEST(GridBridgeDouble, AMergedGridBlockBecomesAMergedSheetRange) {
  std::unique_ptr<TRivErodovOzar> g(New<TRivErodovOzar>(nullptr));
  g->SetColCount(3);
  g->SetRowCount(4);
  g->SetFixedCols(0);
  g->SetFixedRows(1);
  g->SetCells(0, 0, "title");
  g->SetCellBackColor(0, 0, 0xC0C0C0);
  g->SetCells(0, 1, "block");
  g->MergeCells(0, 1, 2, 2);
  g->SetCells(2, 3, "1");
  std::unique_ptr<TRivGridExcelIO> io(New<TRivGridExcelIO>(nullptr));
  io->SetRivErodovOzar(g.get());
  io->SetGridStartRow(0);
  io->SetGridStartCol(0);
  const String path = (std::filesystem::temp_directory_path() / ("zorvan_bridge_merge_" + std::to_string(getpid()) + ".xls")).string();
  io->XLSExport(path);

  TXLSFile file(nullptr);
  file.Connect();
  file.OpenFile(path);
  EXPECT_EQ(file.GetCellMergedBounds(3, 2), (TXlsCellRange{1, 2, 2, 3}));
  EXPECT_EQ(file.GetCellValue(2, 1).AsString(), "block");
  EXPECT_TRUE(file.GetCellValue(3, 2).IsEmpty());
  const Integer xf = file.GetCellFormat(2, 1);
  for (auto [r, c] : {std::pair{2, 2}, {3, 1}, {3, 2}}) EXPECT_EQ(file.GetCellFormat(r, c), xf);
  const TWbkFormat plain = file.GetFormatList(xf);
  EXPECT_EQ(plain.FillPattern.Pattern, 1);
  // The grid's default font, -11 pixels at 96 per inch: 8.25 points.
  EXPECT_EQ(plain.Font.Size20, 165);
  const TWbkFormat title = file.GetFormatList(file.GetCellFormat(1, 1));
  EXPECT_EQ(title.FillPattern.Pattern, 2);
  EXPECT_NE(file.GetColorPalette(title.FillPattern.FgColorIndex), 0xFFFFFFu);
  file.Disconnect();
  DeleteFile(path);
}

}  // namespace
