// Damaged whole workbooks: mutated copies of the fixtures' record streams go through the
// workbook's load, a save of what loaded, a second load and the sheet operations. Each either
// works or fails with the engine's own error; a crash, a hang, a sanitizer report or another
// exception fails the test.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <regex>
#include <set>
#include <typeinfo>

#include "WorkbookTestHelpers.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

void Mutate(std::vector<Byte>& bytes, std::mt19937& rng) {
  const int changes = 1 + static_cast<int>(rng() % 6);
  for (int k = 0; k < changes && bytes.size() > 8; ++k) {
    const size_t pos = rng() % (bytes.size() - 4);
    switch (rng() % 4) {
      case 0: bytes[pos] = static_cast<Byte>(rng()); break;
      case 1:  // a record size or id
        bytes[pos] = static_cast<Byte>(rng() % 3 == 0 ? 0xFF : rng());
        bytes[pos + 1] = static_cast<Byte>(rng() % 2 ? 0 : rng());
        break;
      case 2: {
        const size_t end = std::min(bytes.size(), pos + 1 + rng() % 16);
        bytes.erase(bytes.begin() + static_cast<long>(pos), bytes.begin() + static_cast<long>(end));
        break;
      }
      default: bytes.resize(pos + 4); break;
    }
  }
}

// The engine's messages a damaged workbook may give, as patterns with their placeholders open.
// An internal consistency message ("Logical Error") or another exception class is a fault.
bool IsEngineMessage(const String& message) {
  static const std::vector<std::regex> patterns = [] {
    std::vector<std::regex> out;
    for (const char* text :
         {XlsMsg::ExcelInvalid, XlsMsg::ReadingRecord, XlsMsg::InvalidVersion, XlsMsg::InvalidRecordId, XlsMsg::TooManyEntries,
          XlsMsg::TwoContinues, XlsMsg::DuplicatedSheetName, XlsMsg::DuplicatedRow, XlsMsg::MissingRow,
          XlsMsg::InvalidSheetNumber, XlsMsg::InvalidRow, XlsMsg::InvalidColumn, XlsMsg::InvalidString,
          XlsMsg::StrLenLengthInvalid, XlsMsg::EndOfStream, XlsMsg::FileInvalid, XlsMsg::InvalidOleOperation,
          XlsMsg::SectionNotLoaded, XlsMsg::SelectVisibleSheet, XlsMsg::NoVisibleSheets,
          XlsMsg::CantDeleteSheetWithMacros, XlsMsg::InsertAndCopyRowsArgs, XlsMsg::UnsupportedDrawing,
          XlsMsg::InvalidCondFmt, XlsMsg::PasswordProtected, XlsMsg::NotImplementedRecord, XlsMsg::EscherNotLoaded,
          XlsMsg::EscherLoading, XlsMsg::EscherDupBStore, XlsMsg::EscherDupDg, XlsMsg::EscherDupDgg,
          XlsMsg::EscherDupSolver, XlsMsg::EscherProcessing, XlsMsg::InvalidSheetName, XlsMsg::TokenNotSupported,
          XlsMsg::FormulaNotSupported, XlsMsg::WorksheetNameInFormula, XlsMsg::IndexOutOfRange,
          XlsMsg::NoSharedFormula, XlsMsg::StringStackEmpty, XlsMsg::CantCopyOle}) {
      std::string pattern;
      for (const char* p = text; *p; ++p) {
        if (*p == '%') {
          pattern += ".*";
          ++p;
          while (*p && !std::isalpha(static_cast<unsigned char>(*p))) ++p;
          if (!*p) break;
        } else if (std::strchr(".^$|()[]{}*+?\\", *p)) {
          pattern += '\\';
          pattern += *p;
        } else {
          pattern += *p;
        }
      }
      out.emplace_back(pattern);
    }
    return out;
  }();
  for (const std::regex& r : patterns)
    if (std::regex_match(message, r)) return true;
  return false;
}

enum class Outcome { Worked, Refused };

// What a save counted is what it wrote, and each BOUNDSHEET points at its sheet's BOF. The
// records are walked by their sizes up to the counted end (a damaged file may carry a record
// whose id is 0, which ends the plain record list).
void ExpectCountedAsWritten(TWorkbook& wb, const std::string& saved) {
  const std::vector<Byte> stream = StreamOf(saved, u"Workbook");
  Int64 total = wb.Globals().TotalSize();
  for (Integer i = 0; i < wb.Sheets().Count(); ++i) total += wb.Sheets()[i]->TotalSize();
  ASSERT_LE(total, static_cast<Int64>(stream.size()));
  std::set<size_t> bofs;
  std::vector<size_t> offsets;
  size_t p = 0;
  while (static_cast<Int64>(p) < total && p + 4 <= stream.size()) {
    const Word id = GetWord(stream, p);
    const size_t size = GetWord(stream, p + 2);
    if (id == BiffId::BOF) bofs.insert(p);
    if (id == 0x0085) offsets.push_back(GetCardinal(stream, p + 4));
    p += 4 + size;
  }
  EXPECT_EQ(static_cast<Int64>(p), total);
  for (size_t offset : offsets) EXPECT_TRUE(bofs.count(offset)) << offset;
}

// Reads the text of every formula of every worksheet; a damaged formula fails on its own.
void ReadFormulas(TWorkbook& wb) {
  for (Integer s = 0; s < wb.Sheets().Count(); ++s) {
    if (!wb.IsWorksheet(s)) continue;
    TCellList& cells = wb.WorkSheetAt(s).Cells().CellList();
    for (Integer r = 0; r < cells.Count(); ++r)
      for (Integer i = 0; cells[r] && i < cells[r]->Count(); ++i) {
        const TCellRecord* cell = (*cells[r])[i];
        if (cell->Id != 0x0006) continue;
        try {
          cells.GetFormula(r, cell->Column());
        } catch (const Exception& e) {
          EXPECT_TRUE(typeid(e) == typeid(Exception)) << typeid(e).name() << ": " << e.Message;
          EXPECT_TRUE(IsEngineMessage(e.Message)) << e.Message;
        }
      }
  }
}

Outcome Exercise(const std::string& compound) {
  try {
    auto wb = LoadWorkbook(compound);
    ReadFormulas(*wb);
    const std::string saved = SaveWorkbook(*wb, compound);
    ExpectCountedAsWritten(*wb, saved);
    auto again = LoadWorkbook(saved);
    if (again->Sheets().Count() > 0) {
      again->InsertSheets(0, again->Sheets().Count(), 1);
      again->InsertAndCopyRowsAndCols(0, 0, 1, 3, 1, 0, 0, 0, 0, false);
      again->DeleteRowsAndCols(0, 0, 1, 0, 1);
      again->DeleteSheets(0, 1);
      SaveWorkbook(*again, compound);
    }
    return Outcome::Worked;
  } catch (const Exception& e) {
    EXPECT_TRUE(typeid(e) == typeid(Exception)) << typeid(e).name() << ": " << e.Message;
    EXPECT_TRUE(IsEngineMessage(e.Message)) << e.Message;
    return Outcome::Refused;
  }
}


// Each fixture is mutated 250 times from a seed of its own, one test each, so that the fixtures
// run side by side.
void FuzzWorkbook(const char* Name, unsigned Seed) {
  std::mt19937 rng(Seed);
  int refused = 0, worked = 0;
  const std::string original = Fixture(Name);
  const std::vector<Byte> stream = StreamOf(original, u"Workbook");
  for (int i = 0; i < 250; ++i) {
    std::vector<Byte> copy = stream;
    Mutate(copy, rng);
    if (copy.size() < 4096) copy.resize(4096 + rng() % 3, 0);
    (Exercise(RewriteStream(original, u"Workbook", copy)) == Outcome::Worked ? worked : refused)++;
  }
  EXPECT_GT(refused, 0) << Name;
  EXPECT_GT(worked, 0) << Name;
}

}  // namespace

TEST(WorkbookFuzz, SmallGrid) { FuzzWorkbook("small_grid.xls", 4711); }
TEST(WorkbookFuzz, RichText) { FuzzWorkbook("rich_text.xls", 4712); }
TEST(WorkbookFuzz, Cells) { FuzzWorkbook("cells.xls", 4713); }
TEST(WorkbookFuzz, BooleansErrors) { FuzzWorkbook("booleans_errors.xls", 4714); }
TEST(WorkbookFuzz, WorkbookFeatures) { FuzzWorkbook("workbook_features.xls", 4715); }
TEST(WorkbookFuzz, SheetReferences) { FuzzWorkbook("sheet_references.xls", 4716); }
TEST(WorkbookFuzz, Formulas) { FuzzWorkbook("formulas.xls", 4717); }

namespace {

// Drawings made by the engine and by LibreOffice (a chart, comments, pictures), damaged inside
// their drawing records only, so that the damage reaches the drawing readers rather than the
// record stream.
// 600 damaged copies in all, 200 from each of three seeds that run side by side.
void FuzzDrawingRecords(unsigned Seed) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->OpenFile(FixturePath("workbook_features.xls"));
  TImageProperties box;
  box.Col1 = 5, box.Row1 = 3, box.Col2 = 7, box.Row2 = 9;
  book->AddImage(std::vector<Byte>(300, 0x5A), TXlsImgTypes::xli_Jpeg, box, TWbkAnchorType::at_MoveAndDontResize);
  book->AddImage(std::vector<Byte>(), TXlsImgTypes::xli_Bmp, box, TWbkAnchorType::at_MoveAndResize);
  book->SetCellComment(6, 2, u"a comment of ours", box);
  book->SetCellComment(7, 3, WideString(300, u'Ω'), TImageProperties{});
  TMemoryStream saved;
  book->Save(false, "", nullptr, nullptr, &saved);
  const std::string original(saved.Bytes().begin(), saved.Bytes().end());
  const std::vector<Byte> stream = StreamOf(original, u"Workbook");
  std::vector<std::pair<size_t, size_t>> spans;  // data of the drawing records
  for (const TPlainRecord& r : PlainRecords(stream))
    if (r.Id == 0x00EB || r.Id == 0x00EC || r.Id == 0x005D || r.Id == 0x01B6 || r.Id == 0x001C || r.Id == 0x003C)
      if (!r.Data.empty()) spans.emplace_back(r.Offset + 4, r.Data.size());
  ASSERT_GT(spans.size(), 6u);

  std::mt19937 rng(Seed);
  int refused = 0, worked = 0;
  for (int i = 0; i < 200; ++i) {
    std::vector<Byte> copy = stream;
    const int changes = 1 + static_cast<int>(rng() % 4);
    for (int k = 0; k < changes; ++k) {
      const auto& [start, size] = spans[rng() % spans.size()];
      const size_t pos = start + rng() % size;
      switch (rng() % 3) {
        case 0: copy[pos] = static_cast<Byte>(rng()); break;
        case 1: copy[pos] = static_cast<Byte>(copy[pos] ^ (1u << (rng() % 8))); break;
        default: copy[pos] = rng() % 2 ? 0xFF : 0x00; break;
      }
    }
    (Exercise(RewriteStream(original, u"Workbook", copy)) == Outcome::Worked ? worked : refused)++;
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(worked, 0);
}

}  // namespace

TEST(WorkbookFuzz, DrawingRecordsSeed1848) { FuzzDrawingRecords(1848); }
TEST(WorkbookFuzz, DrawingRecordsSeed1849) { FuzzDrawingRecords(1849); }
TEST(WorkbookFuzz, DrawingRecordsSeed1850) { FuzzDrawingRecords(1850); }
