// The grid bridge with what a sheet holds besides values: pictures, hidden rows and columns,
// rotated cells, cell borders and comment boxes, both ways.
#include <gtest/gtest.h>

#include <memory>

#include "XlsTestHelpers.h"
#include "support/LibreOffice.h"
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/Jpeg.h"
#include "classlib/Picture.h"
#include "grid/model/CellGraphic.h"
#include "grid/print/PrintSettings.h"
#include "xls/vavRivGridExcel.h"
#include "xls/vavUEscherRecords.h"
#include "xls/vavUXlsFile.h"

namespace {

using namespace xlstest;

std::unique_ptr<TRivErodovOzar> MakeGrid(int cols, int rows) {
  std::unique_ptr<TRivErodovOzar> g(New<TRivErodovOzar>(nullptr));
  g->SetColCount(cols);
  g->SetRowCount(rows);
  return g;
}

// Sheet cell A1 is grid cell (0, 0), as the program's forms have it.
std::unique_ptr<TRivGridExcelIO> MakeBridge(TRivErodovOzar* grid) {
  std::unique_ptr<TRivGridExcelIO> b(New<TRivGridExcelIO>(nullptr));
  b->SetRivErodovOzar(grid);
  b->SetGridStartRow(0);
  b->SetGridStartCol(0);
  return b;
}

std::unique_ptr<TXLSFile> OpenBook(const std::string& Path) {
  auto file = std::make_unique<TXLSFile>(nullptr);
  file->Connect();
  file->OpenFile(Path);
  return file;
}

void FillBitmap(TBitmap* Bitmap, int Width, int Height, TColor Color) {
  Bitmap->SetSize(Width, Height);
  Bitmap->Canvas()->Brush()->SetColor(Color);
  Bitmap->Canvas()->FillRect(TRect{0, 0, Width, Height});
}

ByteArray JpegOf(int Width, int Height, TColor Color) {
  TBitmap bitmap;
  FillBitmap(&bitmap, Width, Height, Color);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  const std::string bytes = jpeg.SaveToBytes();
  return ByteArray(bytes.begin(), bytes.end());
}

// Near a colour after JPEG's losses.
bool Near(TColor Actual, TColor Expected) {
  for (int shift : {0, 8, 16})
    if (std::abs(((Actual >> shift) & 0xFF) - ((Expected >> shift) & 0xFF)) > 40) return false;
  return true;
}

TImageProperties Box(Integer Col1, Integer Dx1, Integer Row1, Integer Dy1, Integer Col2, Integer Row2) {
  TImageProperties p;
  p.Col1 = Col1, p.dx1 = Dx1, p.Row1 = Row1, p.dy1 = Dy1, p.Col2 = Col2, p.dx2 = 512, p.Row2 = Row2, p.dy2 = 128;
  return p;
}

class GridBridgeSheetObjects : public ::testing::Test {
 protected:
  TempDir Dir;
};

// ---- Pictures ----

TEST_F(GridBridgeSheetObjects, CellPicturesGoOutAsSheetPicturesAndComeBackInTheirCells) {
  auto g = MakeGrid(5, 6);
  FillBitmap(g->CreateBitmap(1, 2, false, haLeft, vaTop), 40, 30, clRed);
  TPicture* centred = g->CreatePicture(3, 1, false, noStretch, 0, haCenter, vaCenter);
  TBitmap blue;
  FillBitmap(&blue, 20, 10, clBlue);
  centred->SetBitmap(&blue);
  const std::string path = Dir.File("pictures.xls");
  MakeBridge(g.get())->XLSExport(path);

  auto book = OpenBook(path);
  ASSERT_EQ(book->GetPicturesCount(-1), 2);
  TXlsImgTypes type = TXlsImgTypes::xli_Unknown;
  TClientAnchor a;
  TMemoryStream bytes;
  book->GetPicture(-1, 1, &bytes, type, a);
  EXPECT_EQ(type, TXlsImgTypes::xli_Jpeg);
  // One pixel in from the cell's corner, and as large as the bitmap.
  EXPECT_EQ(std::make_pair(Integer{a.Col1}, Integer{a.Row1}), std::make_pair(2, 3));
  EXPECT_EQ(AnchorPixelSize(book.get(), a), (TPoint{40, 30}));
  // Centred in its cell: half the room left over to each side.
  book->GetPicture(-1, 0, nullptr, type, a);
  const TPoint cell = g->CellSize(3, 1);
  EXPECT_EQ(a.Col1, 4);
  EXPECT_NEAR(a.Dx1 * book->GetColumnWidth(4) / (256.0 / 7.0) / 1024.0, (cell.X - 20) / 2, 1.0);
  book.reset();

  auto back = MakeGrid(2, 2);
  MakeBridge(back.get())->XLSImport(path);
  TPicture* red = back->GetPicture(1, 2);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(std::make_pair(red->Width(), red->Height()), std::make_pair(40, 30));
  EXPECT_TRUE(Near(red->Bitmap()->Canvas()->Pixel(20, 15), clRed));
  ASSERT_NE(back->GetPicture(3, 1), nullptr);
  EXPECT_TRUE(Near(back->GetPicture(3, 1)->Bitmap()->Canvas()->Pixel(10, 5), clBlue));

  // Without ImportImages the cells stay empty.
  auto plain = MakeGrid(2, 2);
  auto io = MakeBridge(plain.get());
  io->Options()->ImportImages = false;
  io->XLSImport(path);
  EXPECT_EQ(plain->GetCellGraphic(1, 2), nullptr);
}

// Where a sheet picture lands, and what happens to one the grid cannot show: its cell is merged
// over the picture's cells but holds no picture.
TEST_F(GridBridgeSheetObjects, SheetPicturesLandInTheCellTheyMostlyStartIn) {
  struct Case {
    const char* name;
    ByteArray bytes;
    TXlsImgTypes type;
    TImageProperties box;
    int col, row;  // grid cell of the picture
    bool shown;
  };
  const ByteArray jpeg = JpegOf(8, 8, clGreen);
  ByteArray damaged(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2));
  const Case cases[] = {
      {"half into its first column", jpeg, TXlsImgTypes::xli_Jpeg, Box(2, 512, 2, 0, 3, 3), 1, 1, true},
      {"past half its first column", jpeg, TXlsImgTypes::xli_Jpeg, Box(2, 513, 2, 0, 3, 3), 2, 1, true},
      {"half into its first row", jpeg, TXlsImgTypes::xli_Jpeg, Box(2, 0, 2, 127, 3, 3), 1, 1, true},
      {"past half its first row", jpeg, TXlsImgTypes::xli_Jpeg, Box(2, 0, 2, 128, 3, 3), 1, 2, true},
      {"damaged JPEG", damaged, TXlsImgTypes::xli_Jpeg, Box(2, 0, 2, 0, 3, 3), 1, 1, false},
      {"not a PNG at all", ByteArray(64, 0x11), TXlsImgTypes::xli_Png, Box(2, 0, 2, 0, 3, 3), 1, 1, false},
      // 200 columns of 64 pixels: far more than a cell bitmap may have.
      {"wider than a bitmap may be", jpeg, TXlsImgTypes::xli_Jpeg, Box(2, 0, 2, 0, 201, 3), 1, 1, false},
  };
  for (const Case& c : cases) {
    TXLSFile book(nullptr);
    book.Connect();
    book.NewFile(1);
    book.AddImage(c.bytes, c.type, c.box, TWbkAnchorType::at_MoveAndResize);
    const std::string path = Dir.File(std::string(c.name) + ".xls");
    book.Save(true, path, nullptr, nullptr, nullptr);
    book.CloseFile();

    auto g = MakeGrid(2, 2);
    MakeBridge(g.get())->XLSImport(path);
    EXPECT_EQ(g->GetPicture(c.col, c.row) != nullptr, c.shown) << c.name;
    // The grid grew to hold the picture's cells, which the picture's cell covers.
    EXPECT_GE(g->ColCount(), c.box.Col2 + 1) << c.name;
    EXPECT_EQ(g->CellSpan(c.col, c.row), (TPoint{c.box.Col2 - 1 - c.col, c.box.Row2 - 1 - c.row})) << c.name;
  }
}

// ---- Hidden rows and columns, rotation ----

TEST_F(GridBridgeSheetObjects, HiddenRowsAndColumnsGoOutHiddenWhenAskedAndComeBackHidden) {
  auto g = MakeGrid(4, 4);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) g->SetCells(c, r, String(1, static_cast<char>('a' + c)) + std::to_string(r));
  g->HideColumn(1);
  g->HideRow(2);
  ASSERT_EQ(g->ColCount(), 3);

  // By default hidden ones are left out and leave no gap.
  const std::string left = Dir.File("left_out.xls");
  MakeBridge(g.get())->XLSExport(left);
  auto book = OpenBook(left);
  EXPECT_EQ(book->GetCellValue(1, 2).AsString(), "c0");
  EXPECT_EQ(book->GetCellValue(3, 1).AsString(), "a3");
  EXPECT_FALSE(book->GetColumnHidden(2));
  book.reset();

  const std::string path = Dir.File("hidden.xls");
  auto out = MakeBridge(g.get());
  out->Options()->ExportHiddenColumns = true;
  out->Options()->ExportHiddenRows = true;
  out->XLSExport(path);
  EXPECT_EQ(g->ColCount(), 3) << "the grid is as it was";
  EXPECT_EQ(g->NumHiddenRows(), 1);
  book = OpenBook(path);
  EXPECT_TRUE(book->GetColumnHidden(2));
  EXPECT_TRUE(book->GetRowHidden(3));
  EXPECT_FALSE(book->GetRowHidden(2));
  EXPECT_EQ(book->GetCellValue(1, 2).AsString(), "b0");
  EXPECT_EQ(book->GetCellValue(3, 1).AsString(), "a2");
  EXPECT_EQ(book->GetCellValue(4, 4).AsString(), "d3");
  book.reset();

  auto back = MakeGrid(1, 1);
  MakeBridge(back.get())->XLSImport(path);
  EXPECT_TRUE(back->IsHiddenColumn(1));
  EXPECT_TRUE(back->IsHiddenRow(2));
  EXPECT_EQ(back->ColCount(), 3);
  EXPECT_EQ(back->RowCount(), 3);
  EXPECT_EQ(back->GetAllCell(1, 2), "b2");
  EXPECT_EQ(back->Cells(2, 2), "c3");

  // A second import brings the hidden ones of the first back before clearing.
  auto io = MakeBridge(back.get());
  io->XLSImport(left);
  EXPECT_EQ(back->NumHiddenColumns(), 0);
  EXPECT_EQ(back->NumHiddenRows(), 0);
  EXPECT_EQ(back->Cells(1, 0), "c0");
}

TEST_F(GridBridgeSheetObjects, RotatedCellsKeepTheirAngleBothWays) {
  // Grid angle, the sheet's rotation, and the grid angle read back.
  struct Case {
    int angle, stored, back;
  };
  const Case cases[] = {{45, 45, 45}, {90, 90, 90}, {-90, 180, 270}, {300, 150, 300}, {120, 0, -1}};
  auto g = MakeGrid(static_cast<int>(std::size(cases)), 1);
  for (size_t i = 0; i < std::size(cases); ++i) {
    g->SetCells(static_cast<int>(i), 0, "turned");
    g->SetRotated(static_cast<int>(i), 0, static_cast<int16_t>(cases[i].angle));
  }
  const std::string path = Dir.File("rotated.xls");
  MakeBridge(g.get())->XLSExport(path);
  auto book = OpenBook(path);
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(book->GetFormatList(book->GetCellFormat(1, static_cast<Integer>(i) + 1)).Rotation, cases[i].stored)
        << cases[i].angle;
  book.reset();

  auto back = MakeGrid(1, 1);
  auto io = MakeBridge(back.get());
  io->Options()->ImportCellProperties = true;
  io->XLSImport(path);
  for (size_t i = 0; i < std::size(cases); ++i) {
    int angle = -1;
    back->IsRotated(static_cast<int>(i), 0, angle);
    EXPECT_EQ(angle, cases[i].back) << cases[i].angle;
  }
}

// ---- Borders and comment boxes ----

TEST_F(GridBridgeSheetObjects, CellBordersGoOutAndAreHandedToTheNeighbours) {
  auto g = MakeGrid(3, 3);
  g->SetCells(1, 1, "framed");
  g->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* APen, TCellBorders& Borders) {
    if (ACol != 1 || ARow != 1) return;
    APen->SetColor(clRed);
    Borders = TCellBorders{cbBottom, cbRight};
  };
  const std::string path = Dir.File("borders.xls");
  MakeBridge(g.get())->XLSExport(path);
  auto book = OpenBook(path);
  auto borders = [&](Integer r, Integer c) { return book->GetFormatList(book->GetCellFormat(r, c)).Borders; };
  auto red = [&](const TWbkOneBorder& b) {
    return b.Style == TWbkBorderStyle::fbs_Thin && (book->GetColorPalette(b.ColorIndex) & 0xFFFFFF) == 0x0000FF;
  };
  EXPECT_TRUE(red(borders(2, 2).Bottom));
  EXPECT_TRUE(red(borders(2, 2).Right));
  EXPECT_EQ(borders(2, 2).Top.Style, TWbkBorderStyle::fbs_None);
  EXPECT_TRUE(red(borders(3, 2).Top)) << "the cell below takes the bottom border";
  EXPECT_TRUE(red(borders(2, 3).Left)) << "the cell on the right takes the right border";
  EXPECT_EQ(borders(3, 3).Top.Style, TWbkBorderStyle::fbs_None);
  EXPECT_EQ(borders(1, 1).Bottom.Style, TWbkBorderStyle::fbs_None);
  book.reset();

  // Grid lines as borders: vertical lines become top and bottom borders, horizontal ones
  // left and right.
  g->OnGetCellBorder = nullptr;
  g->SetOptions(g->Options() - goHorzLine + goVertLine);
  auto io = MakeBridge(g.get());
  io->Options()->ExportHardBorders = true;
  io->XLSExport(Dir.File("grid_lines.xls"));
  book = OpenBook(Dir.File("grid_lines.xls"));
  EXPECT_EQ(borders(2, 2).Top.Style, TWbkBorderStyle::fbs_Thin);
  EXPECT_EQ(borders(2, 2).Bottom.Style, TWbkBorderStyle::fbs_Thin);
  EXPECT_EQ(borders(2, 2).Left.Style, TWbkBorderStyle::fbs_None);
}

TEST_F(GridBridgeSheetObjects, CommentBoxesOpenBesideTheirCellsAtTheSizeAsked) {
  auto g = MakeGrid(6, 6);
  g->SetCells(1, 2, "noted");
  g->MergeCells(1, 2, 2, 1);
  g->AddComment(1, 2, "beside the block");
  const std::string path = Dir.File("boxes.xls");
  auto io = MakeBridge(g.get());
  WideString asked;
  io->OnGetCommentBoxSize = [&](TObject*, const WideString& Comment, Integer& Height, Integer& Width) {
    asked = Comment;
    Height = 40;
    Width = 200;
  };
  io->XLSExport(path);
  EXPECT_EQ(asked, u"beside the block");
  auto book = OpenBook(path);
  EXPECT_EQ(book->GetCellComment(3, 2), u"beside the block");
  // The box's anchor: one row up, right of the two merged columns, 14 and 8 pixels in.
  const TEscherAnchorCache& anchors = *book->GetTWorkbook()->WorkSheetAt(0).Drawing().RecordCache().Anchor;
  ASSERT_EQ(anchors.Count(), 1);
  const TClientAnchor box = static_cast<TEscherClientAnchorRecord*>(anchors[0])->GetAnchor();
  EXPECT_EQ(std::make_pair(Integer{box.Col1}, Integer{box.Row1}), std::make_pair(3, 1));
  const TPoint size = AnchorPixelSize(book.get(), TClientAnchor{0, Word(box.Col1 + 1), box.Dx1, Word(box.Row1 + 1), box.Dy1,
                                                                Word(box.Col2 + 1), box.Dx2, Word(box.Row2 + 1), box.Dy2});
  EXPECT_NEAR(size.X, 200, 1);
  EXPECT_NEAR(size.Y, 40, 1);
}

// ---- Whole-row looks, rich text, alignment ----

TEST_F(GridBridgeSheetObjects, RowFormatsColourTheirRowsAndTheGridAlignsAtTheBottom) {
  TXLSFile book(nullptr);
  book.Connect();
  book.NewFile(1);
  TWbkFormat fm = book.GetFormatList(15);
  fm.FillPattern.Pattern = 2;
  fm.FillPattern.FgColorIndex = 13;  // yellow in the standard palette
  fm.Font.ColorIndex = 10;           // red
  book.SetRowFormat(2, book.AddFormat(fm));
  book.SetCellValue(2, 1, Variant(WideString(u"in a yellow row")));
  book.SetCellValue(2, 3, Variant(WideString(u"far")));
  book.SetCellValue(3, 3, Variant(WideString(u"plain")));
  const std::string path = Dir.File("rows.xls");
  book.Save(true, path, nullptr, nullptr, nullptr);
  book.CloseFile();

  auto g = MakeGrid(1, 1);
  auto io = MakeBridge(g.get());
  io->Options()->ImportCellProperties = true;
  io->XLSImport(path);
  // B2 has no cell record: it shows its row's look.
  EXPECT_EQ(g->GetCellBackColor(1, 1), TColor(book.GetColorPalette(13)));
  EXPECT_EQ(g->GetCellProperties(1, 1)->FontColor(), TColor(book.GetColorPalette(10)));
  EXPECT_EQ(g->GetCellBackColor(1, 2), clWhite);
  EXPECT_EQ(g->VAlignment, vtaBottom);
}

TEST_F(GridBridgeSheetObjects, RichTextGoesOutAsItsPlainTextUnlessRawIsAsked) {
  auto g = MakeGrid(2, 1);
  g->SetCells(0, 0, "{\\rtf1\\ansi {\\b bold} plain\\par second line}");
  g->AddComment(1, 0, "{\\rtf1\\ansi a {\\i rich} note}");
  g->SetCells(1, 0, "x");
  const std::string plain = Dir.File("plain.xls");
  MakeBridge(g.get())->XLSExport(plain);
  auto book = OpenBook(plain);
  EXPECT_EQ(book->GetCellValue(1, 1).AsString(), "bold plain\nsecond line");
  EXPECT_EQ(book->GetCellComment(1, 2), u"a rich note");
  book.reset();

  const std::string raw = Dir.File("raw.xls");
  auto io = MakeBridge(g.get());
  io->Options()->ExportRawRTF = true;
  io->XLSExport(raw);
  book = OpenBook(raw);
  EXPECT_EQ(book->GetCellValue(1, 1).AsString(), "{\\rtf1\\ansi {\\b bold} plain\\par second line}");
}

// ---- Outline, orientation and print titles ----

// A grid with a title row and column, a node of four rows holding one of two, printed
// landscape with its fixed rows and columns on every page.
std::unique_ptr<TRivErodovOzar> OutlinedGrid() {
  auto g = MakeGrid(3, 7);
  g->SetFixedRows(1);
  g->SetFixedCols(1);
  for (int r = 0; r < 7; ++r) g->SetCells(1, r, "row " + std::to_string(r));
  g->AddNode(1, 4);
  g->AddNode(2, 2);
  g->PrintSettings()->Orientation = poLandscape;
  g->PrintSettings()->RepeatFixedRows = true;
  g->PrintSettings()->RepeatFixedCols = true;
  return g;
}

void ExpectOutlinedGrid(TRivErodovOzar* g, const std::string& From) {
  EXPECT_EQ(g->GetNodeSpan(1), 4) << From;
  EXPECT_EQ(g->GetNodeLevel(1), 1) << From;
  EXPECT_EQ(g->GetNodeSpan(2), 2) << From;
  EXPECT_EQ(g->GetNodeLevel(2), 2) << From;
  EXPECT_EQ(g->GetNodeSpan(5), -1) << From;
  EXPECT_EQ(g->PrintSettings()->Orientation, poLandscape) << From;
}

TEST_F(GridBridgeSheetObjects, NodesBecomeOutlineLevelsAndPrintSettingsGoWithTheSheet) {
  auto g = OutlinedGrid();
  const std::string path = Dir.File("outline.xls");
  MakeBridge(g.get())->XLSExport(path);
  auto book = OpenBook(path);
  std::vector<Integer> levels;
  for (Integer r = 1; r <= 7; ++r) levels.push_back(book->GetRowOutlineLevel(r));
  EXPECT_EQ(levels, (std::vector<Integer>{0, 0, 1, 2, 1, 0, 0}));
  EXPECT_EQ(book->GetPrintOptions() & 6, 0) << "printer settings present, landscape";
  ASSERT_EQ(book->GetRangeCount(), 1);
  EXPECT_EQ(book->GetRangeName(1), WideString(1, char16_t{7}));
  book.reset();

  auto back = MakeGrid(1, 1);
  auto io = MakeBridge(back.get());
  io->Options()->ImportCellProperties = true;
  io->XLSImport(path);
  ExpectOutlinedGrid(back.get(), "our file");

  // LibreOffice keeps them: a row group, header rows and columns, landscape pages; and a
  // workbook it writes of them comes back the same.
  if (!testsupport::LibreOfficeConvert(Dir.Path, {"outline.xls"}, "fods")) GTEST_SKIP() << "no LibreOffice";
  const std::string fods = xlstest::ReadFileBytes(Dir.File("outline.fods"));
  EXPECT_NE(fods.find("<table:table-row-group"), std::string::npos);
  EXPECT_NE(fods.find("<table:table-header-rows"), std::string::npos);
  EXPECT_NE(fods.find("<table:table-header-columns"), std::string::npos);
  EXPECT_NE(fods.find("style:print-orientation=\"landscape\""), std::string::npos);
  std::filesystem::create_directory(Dir.Path / "lo");
  std::filesystem::copy_file(Dir.File("outline.fods"), Dir.Path / "lo" / "outlined.fods");
  ASSERT_TRUE(testsupport::LibreOfficeConvert(Dir.Path / "lo", {"outlined.fods"}, "xls:MS Excel 97"));
  auto fromLibreOffice = MakeGrid(1, 1);
  auto in = MakeBridge(fromLibreOffice.get());
  in->Options()->ImportCellProperties = true;
  in->XLSImport((Dir.Path / "lo" / "outlined.xls").string());
  ExpectOutlinedGrid(fromLibreOffice.get(), "LibreOffice's file");
}

// ---- The grid workbook ----

TEST_F(GridBridgeSheetObjects, AGridWorkbookGoesOutSheetBySheetAndComesBackWhole) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  form->SetBounds(0, 0, 500, 400);
  auto makeBook = [&]() {
    TRivGridWorkbook* book = New<TRivGridWorkbook>(form.get());
    book->SetParent(form.get());
    book->SetBounds(0, 0, 480, 360);
    return book;
  };
  TRivGridWorkbook* book = makeBook();
  const char* names[] = {"Sheet 1", "Sheet 2", "Sheet 3"};
  for (int i = 0; i < 3; ++i) {
    book->SetActiveSheet(i);
    book->Grid()->SetCells(1, 1, std::string("on ") + names[i]);
  }
  book->Sheets()->Items(1)->SetName("Middle");
  book->SetActiveSheet(1);
  std::unique_ptr<TRivGridExcelIO> io(New<TRivGridExcelIO>(nullptr));
  io->SetRivGridWorkbook(book);
  io->SetGridStartRow(0);
  io->SetGridStartCol(0);
  const std::string path = Dir.File("book.xls");
  io->XLSExport(path);
  EXPECT_EQ(book->ActiveSheet(), 1) << "the sheet shown stays";

  auto file = OpenBook(path);
  ASSERT_EQ(file->SheetCount(), 3);
  for (Integer i = 1; i <= 3; ++i) {
    file->SetActiveSheet(i);
    EXPECT_EQ(file->GetActiveSheetName(), Utf8ToWide(i == 2 ? "Middle" : names[i - 1]));
    EXPECT_EQ(file->GetCellValue(2, 2).AsString(), std::string("on ") + names[i - 1]);
  }
  file.reset();

  TRivGridWorkbook* back = makeBook();
  std::unique_ptr<TRivGridExcelIO> in(New<TRivGridExcelIO>(nullptr));
  in->SetRivGridWorkbook(back);
  in->SetGridStartRow(0);
  in->SetGridStartCol(0);
  in->XLSImport(path);
  ASSERT_EQ(back->Sheets()->Count(), 3);
  EXPECT_EQ(back->Sheets()->Items(1)->Name(), "Middle");
  EXPECT_EQ(back->ActiveSheet(), 0);
  for (int i = 0; i < 3; ++i) {
    back->SetActiveSheet(i);
    EXPECT_EQ(back->Grid()->Cells(1, 1), std::string("on ") + names[i]);
  }
  // The file's active sheet when asked for; a file that cannot be read changes no sheet.
  in->Options()->ImportActiveSheet = true;
  in->XLSImport(path);
  EXPECT_EQ(back->ActiveSheet(), 0) << "the file shows its first sheet";
  WriteFileBytes(Dir.File("broken.xls"), "not a workbook");
  EXPECT_THROW(in->XLSImport(Dir.File("broken.xls")), Exception);
  EXPECT_EQ(back->Sheets()->Count(), 3);
  EXPECT_EQ(back->Grid()->Cells(1, 1), "on Sheet 1");
  // A sheet named or numbered goes into the grid shown, the other sheets untouched.
  in->XLSImport(path, 3);
  EXPECT_EQ(back->Sheets()->Count(), 3);
  EXPECT_EQ(back->Grid()->Cells(1, 1), "on Sheet 3");
}

// ---- The anchor arithmetic on its own ----

TEST_F(GridBridgeSheetObjects, PixelBoxesAndAnchorsConvertBothWays) {
  TXLSFile book(nullptr);
  book.Connect();
  book.NewFile(1);
  book.SetColumnWidth(2, 256 * 20);  // 140 pixels
  book.SetRowHeight(3, 600);         // 40 pixels
  struct Case {
    Integer row, col, width, height, dx, dy;
  };
  const Case cases[] = {{1, 1, 10, 10, 0, 0}, {3, 2, 300, 55, 150, 41}, {2, 1, 64, 20, 64, 20}, {100, 250, 380, 30, 0, 0}};
  for (const Case& c : cases) {
    const TImageProperties p = ImagePropertiesFromPixels(&book, c.row, c.col, c.width, c.height, c.dx, c.dy);
    const TClientAnchor a{0, Word(p.Col1), Word(p.dx1), Word(p.Row1), Word(p.dy1), Word(p.Col2), Word(p.dx2), Word(p.Row2), Word(p.dy2)};
    const TPoint size = AnchorPixelSize(&book, a);
    EXPECT_NEAR(size.X, c.width, 1) << c.row << "," << c.col;
    EXPECT_NEAR(size.Y, c.height, 1) << c.row << "," << c.col;
  }
  // A box that would reach past the sheet's last row and column moves back inside it.
  const TImageProperties corner = ImagePropertiesFromPixels(&book, 65535, 255, 500, 100, 0, 0);
  EXPECT_EQ(std::make_pair(corner.Row2, corner.Col2), std::make_pair(65536, 256));
  EXPECT_LT(corner.Row1, 65535);
  EXPECT_LT(corner.Col1, 255);
  EXPECT_THROW(ImagePropertiesFromPixels(nullptr, 1, 1, 1, 1, 0, 0), Exception);
}


// ---- Acceptance: LibreOffice's sheets in, our files read by LibreOffice ----

std::string Base64(const ByteArray& Data) {
  static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < Data.size(); i += 3) {
    const uint32_t n = (uint32_t{Data[i]} << 16) | (i + 1 < Data.size() ? uint32_t{Data[i + 1]} << 8 : 0) |
                       (i + 2 < Data.size() ? uint32_t{Data[i + 2]} : 0);
    out += digits[(n >> 18) & 63];
    out += digits[(n >> 12) & 63];
    out += i + 1 < Data.size() ? digits[(n >> 6) & 63] : '=';
    out += i + 2 < Data.size() ? digits[n & 63] : '=';
  }
  return out;
}

// A sheet as LibreOffice keeps it: a bold red bordered cell, a turned cell, a comment, a
// picture in D2, column B and row 3 hidden.
std::string SheetWithObjects() {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:xlink="http://www.w3.org/1999/xlink" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:automatic-styles>
  <style:style style:name="co1" style:family="table-column"><style:table-column-properties style:column-width="2.5cm"/></style:style>
  <style:style style:name="ro1" style:family="table-row"><style:table-row-properties style:row-height="0.6cm"/></style:style>
  <style:style style:name="red" style:family="table-cell"><style:table-cell-properties fo:background-color="#ff0000" fo:border="0.06pt solid #000000"/><style:text-properties fo:font-weight="bold"/></style:style>
  <style:style style:name="up" style:family="table-cell"><style:table-cell-properties style:rotation-angle="90"/></style:style>
 </office:automatic-styles>
 <office:body><office:spreadsheet><table:table table:name="Data">
  <table:table-column table:style-name="co1"/>
  <table:table-column table:style-name="co1" table:visibility="collapse"/>
  <table:table-column table:style-name="co1" table:number-columns-repeated="3"/>
  <table:table-row table:style-name="ro1">
   <table:table-cell table:style-name="red" office:value-type="string"><text:p>red</text:p></table:table-cell>
   <table:table-cell office:value-type="string"><text:p>hidden col</text:p></table:table-cell>
   <table:table-cell table:style-name="up" office:value-type="string"><text:p>up</text:p></table:table-cell>
   <table:table-cell table:number-columns-repeated="2"/>
  </table:table-row>
  <table:table-row table:style-name="ro1">
   <table:table-cell office:value-type="float" office:value="2"><office:annotation><text:p>a note</text:p></office:annotation><text:p>2</text:p></table:table-cell>
   <table:table-cell table:number-columns-repeated="2"/>
   <table:table-cell><draw:frame draw:z-index="0" svg:width="1cm" svg:height="0.4cm" svg:x="0.1cm" svg:y="0.1cm"><draw:image><office:binary-data>)" +
         Base64(JpegOf(38, 15, clGreen)) + R"(</office:binary-data></draw:image></draw:frame></table:table-cell>
   <table:table-cell/>
  </table:table-row>
  <table:table-row table:style-name="ro1" table:visibility="collapse">
   <table:table-cell office:value-type="string"><text:p>hidden row</text:p></table:table-cell>
   <table:table-cell table:number-columns-repeated="4"/>
  </table:table-row>
  <table:table-row table:style-name="ro1">
   <table:table-cell office:value-type="float" office:value="4"><text:p>4</text:p></table:table-cell>
   <table:table-cell table:number-columns-repeated="4"/>
  </table:table-row>
 </table:table></office:spreadsheet></office:body></office:document>
)";
}

// What LibreOffice shows of the first sheet of a zipped ODS: hidden columns and rows, cells
// with their text, fill and turn, comments and pictures by cell.
const char* ShownSheet =
    "import sys, zipfile, xml.etree.ElementTree as ET\n"
    "T='{urn:oasis:names:tc:opendocument:xmlns:table:1.0}'\n"
    "O='{urn:oasis:names:tc:opendocument:xmlns:office:1.0}'\n"
    "D='{urn:oasis:names:tc:opendocument:xmlns:drawing:1.0}'\n"
    "S='{urn:oasis:names:tc:opendocument:xmlns:style:1.0}'\n"
    "F='{urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0}'\n"
    "root=ET.fromstring(zipfile.ZipFile(sys.argv[1]).read('content.xml'))\n"
    "looks={}\n"
    "for st in root.iter(S+'style'):\n"
    "  p=st.find(S+'table-cell-properties')\n"
    "  if p is not None: looks[st.get(S+'name')]=(p.get(F+'background-color'),p.get(S+'rotation-angle'))\n"
    "sheet=next(root.iter(T+'table'))\n"
    "c=0\n"
    "for col in sheet.iter(T+'table-column'):\n"
    "  n=int(col.get(T+'number-columns-repeated','1'))\n"
    "  if col.get(T+'visibility')=='collapse': print('hidden column',c)\n"
    "  c+=n\n"
    "r=0\n"
    "for row in sheet.iter(T+'table-row'):\n"
    "  if r>5: break\n"
    "  if row.get(T+'visibility')=='collapse': print('hidden row',r)\n"
    "  c=0\n"
    "  for cell in row:\n"
    "    if cell.tag not in (T+'table-cell',T+'covered-table-cell'): continue\n"
    "    text=' '.join(''.join(p.itertext()) for p in cell.findall('{urn:oasis:names:tc:opendocument:xmlns:text:1.0}p'))\n"
    "    bg,rot=looks.get(cell.get(T+'style-name'),(None,None))\n"
    "    if text: print('cell',r,c,text,'fill',bg if bg not in (None,'transparent') else '-','turn',rot or '0')\n"
    "    for a in cell.findall(O+'annotation'):\n"
    "      print('note',r,c,' '.join(''.join(p.itertext()) for p in a if p.tag.endswith('}p')))\n"
    "    for f in cell.findall(D+'frame'):\n"
    "      if f.find(D+'image') is not None: print('image',r,c)\n"
    "    c+=int(cell.get(T+'number-columns-repeated','1'))\n"
    "  r+=int(row.get(T+'number-rows-repeated','1'))\n";

TEST_F(GridBridgeSheetObjects, ALibreOfficeSheetComesInWithItsObjectsAndGoesBackOutWithThem) {
  WriteFileBytes(Dir.File("objects.fods"), SheetWithObjects());
  if (!testsupport::LibreOfficeConvert(Dir.Path, {"objects.fods"}, "xls:MS Excel 97")) GTEST_SKIP() << "no LibreOffice";
  auto g = MakeGrid(1, 1);
  auto io = MakeBridge(g.get());
  io->Options()->ImportCellProperties = true;
  io->XLSImport(Dir.File("objects.xls"));

  EXPECT_EQ(g->Cells(0, 0), "red");
  EXPECT_EQ(g->GetCellBackColor(0, 0), clRed);
  EXPECT_TRUE(g->GetCellFontStyle(0, 0).Contains(fsBold));
  EXPECT_TRUE(g->IsHiddenColumn(1));
  EXPECT_EQ(g->Cells(1, 0), "hidden col") << "cells keep their real column";
  EXPECT_TRUE(g->IsHiddenRow(2));
  EXPECT_EQ(g->GetAllCell(0, 2), "hidden row");
  EXPECT_EQ(g->Cells(0, 2), "4") << "rows below a hidden one move up on screen";
  int angle = 0;
  EXPECT_TRUE(g->IsRotated(2, 0, angle));
  EXPECT_EQ(angle, 90);
  String comment;
  ASSERT_TRUE(g->IsComment(0, 1, comment));
  EXPECT_EQ(comment, "a note");
  TPicture* picture = g->GetPicture(3, 1);
  ASSERT_NE(picture, nullptr);
  // 1 cm of a 2.5 cm column, 0.4 cm of a 0.6 cm row.
  EXPECT_NEAR(double(picture->Width()) / g->ColWidths(g->DisplColFromReal(3)), 0.4, 0.03);
  EXPECT_NEAR(double(picture->Height()) / g->RowHeights(1), 0.4 / 0.6, 0.05);
  EXPECT_TRUE(Near(picture->Bitmap()->Canvas()->Pixel(19, 7), clGreen));

  auto out = MakeBridge(g.get());
  out->Options()->ExportHiddenColumns = true;
  out->Options()->ExportHiddenRows = true;
  out->XLSExport(Dir.File("ours.xls"));
  ASSERT_TRUE(testsupport::LibreOfficeConvert(Dir.Path, {"ours.xls"}, "ods", Dir.Path / "ods"));
  bool ok = false;
  const std::string shown = RunPythonReader("python3", ShownSheet, (Dir.Path / "ods" / "ours.ods").string(), ok);
  ASSERT_TRUE(ok) << shown;
  for (const char* line : {"hidden column 1\n", "hidden row 2\n", "cell 0 0 red fill #ff0000 turn 0\n",
                           "cell 0 1 hidden col fill - turn 0\n", "cell 0 2 up fill - turn 90\n",
                           "note 1 0 a note\n", "image 1 3\n", "cell 2 0 hidden row fill - turn 0\n"})
    EXPECT_NE(shown.find(line), std::string::npos) << line << "in\n" << shown;
}

}  // namespace
