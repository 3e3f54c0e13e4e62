// The XLS file object: opening workbooks, new workbooks from the built-in template, and saving
// them so that independent readers (LibreOffice, python3-xlrd, python3-olefile) read the same.
#include <gtest/gtest.h>

#include <random>

#include "XlsTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/resources/XlsTemplate.h"
#include "xls/vavUWbkNumberFormat.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

std::unique_ptr<TXLSFile> NewBook(Integer Sheets = 1) {
  auto file = std::make_unique<TXLSFile>(nullptr);
  file->Connect();
  file->NewFile(Sheets);
  return file;
}

std::unique_ptr<TXLSFile> OpenBook(const std::string& Path) {
  auto file = std::make_unique<TXLSFile>(nullptr);
  file->Connect();
  file->OpenFile(Path);
  return file;
}

std::string Utf8(const WideString& s) { return WideToUtf8(s); }

// The text a cell shows: its value through its number format.
std::string Shown(TXLSFile& file, Integer Row, Integer Col) {
  const TXlsCellValue v = file.GetCellValueX(Row, Col);
  Integer color = 0;
  return FormatCellValue(v.Value, WideToUtf8(file.GetFormatList(v.XF).Format), file.GetOptions1904Dates(), color);
}

// Converts files to CSV with LibreOffice in one run; each gives DIR/<stem>.csv. False when
// LibreOffice is not installed.
bool LibreOfficeToCsv(const TempDir& dir, const std::vector<std::string>& names) {
  return testsupport::LibreOfficeConvert(dir.Path, names, "csv:Text - txt - csv (StarCalc):44,34,76");
}

const char* XlrdCells =
    "import sys,xlrd\n"
    "b=xlrd.open_workbook(sys.argv[1])\n"
    "print('sheets',*b.sheet_names())\n"
    "s=b.sheet_by_index(0)\n"
    "for r in range(s.nrows):\n"
    "  for c in range(s.ncols):\n"
    "    t=s.cell_type(r,c)\n"
    "    if t!=0: print(r,c,t,repr(s.cell_value(r,c)))\n";

TEST(XlsFile, TheBuiltInTemplateIsTheDescribedCompoundFile) {
  const std::string& bytes = XlsEmptyWorkbookTemplate();
  ASSERT_EQ(bytes.size(), 13824u);
  std::istringstream in(bytes);
  TOle2File file(in);
  EXPECT_EQ(file.Header().SectorSize, 512u);
  EXPECT_EQ(file.Header().MiniSectorCutoff(), 4096u);
  std::vector<WideString> names = file.StreamNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<WideString>{u"\x05" u"DocumentSummaryInformation", u"\x05" u"SummaryInformation", u"Workbook"}));
  for (const WideString& name : names) {
    file.SelectStream(name);
    EXPECT_EQ(file.Length(), 4096);
  }
}

TEST(XlsFile, NewFileHasTheTemplateSheetAndNumberedAddedSheets) {
  auto one = NewBook(1);
  EXPECT_EQ(one->SheetCount(), 1);
  EXPECT_EQ(one->GetActiveSheet(), 1);
  EXPECT_EQ(Utf8(one->GetActiveSheetName()), "Sheet1");
  EXPECT_TRUE(one->IsWorksheet(1));
  EXPECT_EQ(one->MaxRow(), 0);
  EXPECT_EQ(one->FontListCount(), 5);
  EXPECT_EQ(one->FormatListCount(), 21);

  auto three = NewBook(3);
  ASSERT_EQ(three->SheetCount(), 3);
  std::vector<std::string> names;
  for (Integer i = 1; i <= 3; ++i) {
    three->SetActiveSheet(i);
    EXPECT_TRUE(three->IsWorksheet(i));
    names.push_back(Utf8(three->GetActiveSheetName()));
  }
  EXPECT_EQ(names[0], "Sheet1");
  EXPECT_NE(names[1], names[2]);
  EXPECT_NE(names[1], "Sheet1");
  EXPECT_NE(names[2], "Sheet1");
}

TEST(XlsFile, OperationsBeforeConnectSayThereIsNoOpenFile) {
  TXLSFile file(nullptr);
  EXPECT_EQ(MessageOf([&] { file.NewFile(1); }), "There is no open file");
  EXPECT_EQ(MessageOf([&] { file.SheetCount(); }), "There is no open file");
  file.Connect();
  file.NewFile(1);
  file.Disconnect();
  EXPECT_EQ(MessageOf([&] { file.GetCellValue(1, 1); }), "There is no open file");
}

// A new workbook with text, numbers and Booleans, saved and read back by the engine, by
// python3-xlrd and by LibreOffice.
TEST(XlsFile, SavedNewWorkbookReadsTheSameInIndependentReaders) {
  TempDir dir;
  const std::string path = dir.File("made.xls");
  {
    auto book = NewBook(1);
    book->SetCellValue(1, 1, Variant(u"Species"));
    book->SetCellValue(1, 2, Variant(u"Zürich"));
    book->SetCellValue(2, 1, Variant(1.5));
    book->SetCellValue(2, 2, Variant(Integer{42}));
    book->SetCellValue(3, 1, Variant(true));
    book->SetCellValue(3, 2, Variant(false));
    book->SetCellValue(4, 3, Variant(-0.001));
    EXPECT_TRUE(book->GetInvalidateFormulas());
    book->Save(false, path, nullptr, nullptr, nullptr);
  }
  auto back = OpenBook(path);
  EXPECT_EQ(Utf8(back->GetActiveSheetName()), "Sheet1");
  EXPECT_EQ(back->GetCellValue(1, 1).AsString(), "Species");
  EXPECT_EQ(back->GetCellValue(1, 2).AsString(), "Zürich");
  EXPECT_DOUBLE_EQ(back->GetCellValue(2, 1).AsDouble(), 1.5);
  EXPECT_DOUBLE_EQ(back->GetCellValue(2, 2).AsDouble(), 42);
  EXPECT_EQ(back->GetCellValue(3, 1).VType(), varBoolean);
  EXPECT_TRUE(back->GetCellValue(3, 1).AsBoolean());
  EXPECT_FALSE(back->GetCellValue(3, 2).AsBoolean());
  EXPECT_EQ(back->MaxRow(), 4);
  EXPECT_EQ(back->MaxCol(), 3);
  EXPECT_FALSE(back->GetInvalidateFormulas());

  ExpectOlefileAgrees(xlstest::ReadFileBytes(path), dir, "copy.xls");

  const std::string python = PythonWithXlrd();
  if (!python.empty()) {
    EXPECT_EQ(RunXlrd(python, XlrdCells, path),
              "sheets Sheet1\n"
              "0 0 1 'Species'\n0 1 1 'Zürich'\n"
              "1 0 2 1.5\n1 1 2 42.0\n"
              "2 0 4 1\n2 1 4 0\n"
              "3 2 2 -0.001\n");
  }
  if (!LibreOfficeToCsv(dir, {"made.xls"})) GTEST_SKIP() << "soffice is not installed";
  // LibreOffice shows a Boolean in a cell of the General format as 1 or 0, as it does in
  // workbooks it writes itself (booleans_errors.xls).
  EXPECT_EQ(xlstest::ReadFileBytes(dir.File("made.csv")), "Species,Zürich,\n1.5,42,\n1,0,\n,,-0.001\n");
}

TEST(XlsFile, OpeningLibreOfficeFixturesGivesTheirValuesAndTexts) {
  auto grid = OpenBook(FixturePath("small_grid.xls"));
  EXPECT_EQ(grid->SheetCount(), 1);
  const std::string csv = Fixture("small_grid.csv");
  // Every cell of the source CSV, as the sheet shows it.
  std::istringstream lines(csv);
  std::string line;
  Integer row = 0;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++row;
    std::istringstream cells(line);
    std::string cell;
    Integer col = 0;
    while (std::getline(cells, cell, ',')) {
      ++col;
      if (cell.size() >= 2 && cell.front() == '"') cell = cell.substr(1, cell.size() - 2);
      EXPECT_EQ(Shown(*grid, row, col), cell) << "row " << row << " col " << col;
    }
  }
  EXPECT_GT(row, 2);

  auto features = OpenBook(FixturePath("workbook_features.xls"));
  ASSERT_EQ(features->SheetCount(), 3);
  EXPECT_EQ(Utf8(features->GetActiveSheetName()), "Data");
  features->SetActiveSheet(3);
  EXPECT_EQ(Utf8(features->GetActiveSheetName()), "Hidden");
  EXPECT_EQ(features->GetActiveSheetVisible(), TXlsSheetVisible::sv_Hidden);
  features->SetActiveSheet(1);
  EXPECT_EQ(features->GetCommentsCount(2), 1);
  EXPECT_EQ(features->GetCommentText(2, 0), u"A note on beta");
  EXPECT_EQ(features->GetCommentColumn(2, 0), 2);
  EXPECT_EQ(features->GetCellComment(2, 2), u"A note on beta");
  EXPECT_EQ(features->GetCellComment(2, 1), u"");
  EXPECT_EQ(features->GetCommentsCount(1), 0);
  EXPECT_EQ(features->GetCommentColumn(900, 0), 1);
  EXPECT_EQ(MessageOf([&] { features->GetCommentText(2, 1); }),
            "The index \"1\" of the property \"Index\" is not in the range 0-0");
  EXPECT_EQ(features->CellMergedListCount(), 1);
  EXPECT_EQ(features->GetCellMergedBounds(5, 3), (TXlsCellRange{2, 4, 3, 5}));
}

// The first field of every CSV line (quoted fields may hold commas and doubled quotes).
std::vector<std::string> FirstFields(const std::string& csv) {
  std::vector<std::string> out;
  std::istringstream lines(csv);
  std::string line;
  while (std::getline(lines, line)) {
    std::string field;
    if (!line.empty() && line[0] == '"') {
      for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') field += line[i++];
        else if (line[i] == '"') break;
        else field += line[i];
      }
    } else {
      field = line.substr(0, line.find(','));
    }
    out.push_back(field);
  }
  return out;
}

TEST(XlsFile, NumberFormatsOfAnOpenedFileRenderAsLibreOfficeShowsThem) {
  // The en-US settings LibreOffice rendered the file with.
  FormatSettings = TFormatSettings::Invariant();
  FormatSettings.DateSeparator = '/';
  FormatSettings.ShortDateFormat = "m/d/yyyy";
  FormatSettings.LongDateFormat = "dddd, mmmm d, yyyy";
  FormatSettings.ShortTimeFormat = "h:nn AMPM";
  FormatSettings.LongTimeFormat = "h:nn:ss AMPM";
  auto book = OpenBook(FixturePath("number_formats.xls"));
  const std::vector<std::string> shown = FirstFields(Fixture("number_formats.csv"));
  ASSERT_EQ(book->MaxRow(), static_cast<Integer>(shown.size()));
  for (Integer r = 1; r <= book->MaxRow(); ++r) {
    const TXlsCellValue v = book->GetCellValueX(r, 1);
    const std::string format = WideToUtf8(book->GetFormatList(v.XF).Format);
    // Fractions are not interpreted, and LibreOffice writes General exponents with three digits.
    if (format.find("?/?") != std::string::npos || (format == "General" && v.Value.AsDouble() >= 1e15)) continue;
    EXPECT_EQ(Shown(*book, r, 1), shown[static_cast<size_t>(r - 1)]) << "row " << r << ": " << format;
  }
  FormatSettings = TFormatSettings::Invariant();
}

TEST(XlsFile, SavingAnOpenedFileUnchangedKeepsItsOtherStreams) {
  TempDir dir;
  for (const char* name : {"workbook_features.xls", "small_grid.xls"}) {
    SCOPED_TRACE(name);
    auto book = OpenBook(FixturePath(name));
    const std::string path = dir.File(std::string("saved_") + name);
    book->Save(false, path, nullptr, nullptr, nullptr);
    std::map<std::string, std::string> before = EngineListing(Fixture(name));
    std::map<std::string, std::string> after = EngineListing(xlstest::ReadFileBytes(path));
    const std::string workbook = HexUtf16(u"Workbook");
    before.erase(workbook);
    ASSERT_TRUE(after.count(workbook));
    after.erase(workbook);
    EXPECT_EQ(after, before);
  }
}

TEST(XlsFile, SaveRefusesToReplaceAFileUnlessAllowedAndWritesToAGivenStream) {
  TempDir dir;
  const std::string path = dir.File("there.xls");
  WriteFileBytes(path, "old contents");
  auto book = NewBook();
  book->SetCellValue(1, 1, Variant(7.0));
  EXPECT_EQ(MessageOf([&] { book->Save(false, path, nullptr, nullptr, nullptr); }),
            "Can't write to file \"" + path + "\". Check it is not in use by another user");
  EXPECT_EQ(xlstest::ReadFileBytes(path), "old contents");

  // The file-name callback may send the file elsewhere.
  const std::string other = dir.File("other.xls");
  book->Save(false, path, [&](TObject*, Integer format, String& name) {
    EXPECT_EQ(format, 0);
    name = other;
  }, nullptr, nullptr);
  EXPECT_EQ(OpenBook(other)->GetCellValue(1, 1).AsDouble(), 7.0);

  TXLSFile allowed(nullptr, true);
  allowed.Connect();
  allowed.NewFile(1);
  allowed.Save(false, path, nullptr, nullptr, nullptr);
  EXPECT_EQ(OpenBook(path)->SheetCount(), 1);

  TMemoryStream stream;
  book->Save(false, "", nullptr, nullptr, &stream);
  stream.SetPosition(0);
  TXLSFile fromStream(nullptr);
  fromStream.Connect();
  fromStream.LoadFromStream(&stream);
  EXPECT_EQ(fromStream.GetCellValue(1, 1).AsDouble(), 7.0);
}

TEST(XlsFile, FilesThatAreNoWorkbooksFailWithTheEngineMessage) {
  TempDir dir;
  std::mt19937 random(7);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  WriteFileBytes(dir.File("noise.xls"), noise);
  WriteFileBytes(dir.File("text.xls"), "Species,Site 1,Site 2\nA,1,0\n");
  WriteFileBytes(dir.File("empty.xls"), "");
  // A compound file whose workbook stream lost its name: the stream selection refuses it.
  std::string renamed = Fixture("small_grid.xls");
  const std::string workbook("W\0o\0r\0k\0b\0o\0o\0k\0", 16);
  ASSERT_NE(renamed.find(workbook), std::string::npos);
  renamed[renamed.find(workbook) + 14] = 'x';
  WriteFileBytes(dir.File("nostream.xls"), renamed);
  const struct {
    const char* Name;
    std::string Message;
  } cases[] = {
      {"missing.xls", "Cannot open file \"" + dir.File("missing.xls") + "\""},
      {"noise.xls", "The file \"" + dir.File("noise.xls") + "\" is invalid"},
      {"text.xls", "The file \"" + dir.File("text.xls") + "\" is invalid"},
      {"empty.xls", "The file \"" + dir.File("empty.xls") + "\" is invalid"},
      {"nostream.xls", "The file \"" + dir.File("nostream.xls") + "\" is invalid"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TXLSFile file(nullptr);
    file.Connect();
    EXPECT_EQ(MessageOf([&] { file.OpenFile(dir.File(c.Name)); }), c.Message);
    file.Disconnect();
  }
  // From a stream there is no file to name.
  TMemoryStream stream;
  stream.WriteBuffer(renamed.data(), static_cast<Integer>(renamed.size()));
  stream.SetPosition(0);
  TXLSFile fromStream(nullptr);
  fromStream.Connect();
  EXPECT_EQ(MessageOf([&] { fromStream.LoadFromStream(&stream); }), "Error reading Excel records. File invalid");
}

// Damaged copies of a real workbook either load or fail with an engine message, and what
// loads can be saved.
TEST(XlsFile, DamagedWorkbooksLoadOrFailCleanly) {
  const std::string original = Fixture("workbook_features.xls");
  std::mt19937 random(11);
  for (int round = 0; round < 60; ++round) {
    std::string damaged = original;
    const int flips = 1 + static_cast<int>(random() % 8);
    for (int k = 0; k < flips; ++k) damaged[random() % damaged.size()] = static_cast<char>(random());
    if (round % 10 == 0) damaged.resize(random() % damaged.size());
    TStringStream stream(damaged);
    TXLSFile file(nullptr);
    file.Connect();
    try {
      file.LoadFromStream(&stream);
      TMemoryStream out;
      file.Save(false, "", nullptr, nullptr, &out);
    } catch (const Exception&) {
      // A clean refusal is all that is asked.
    }
  }
}

}  // namespace
