// Random texts through every reader of matrix and weights files: nothing but the readers' own
// outcomes, and what a reader hands to a grid is exactly what the grid then shows. Run under
// AddressSanitizer too, where a read past a line or a cell shows at once.
#include <fstream>
#include <random>

#include "analysis/common/WeightsFile.h"
#include "grid/exchange/GridCSV.h"
#include "support/ProgramFixture.h"

namespace {

// Texts built from the characters the readers look at, in runs, with a byte-order mark now
// and then; short enough to reach the cell limits set below.
String RandomText(std::mt19937& Rng) {
  static const char kAlphabet[] = {' ', ',', ';', '\t', '"', '"', '\r', '\n', '\v', '~', '^', 'a', '1', '0', '\0', '\xFF'};
  std::uniform_int_distribution<int> pick(0, sizeof kAlphabet - 1);
  std::uniform_int_distribution<int> length(0, 200);
  String text;
  switch (Rng() % 8) {
    case 0: text = "\xEF\xBB\xBF"; break;
    case 1: text = "\xFF\xFE"; break;
    case 2: text = "\xFE\xFF"; break;
    default: break;
  }
  const int n = length(Rng);
  while (static_cast<int>(text.size()) < n) text.append(static_cast<size_t>(Rng() % 4 + 1), kAlphabet[pick(Rng)]);
  return text;
}

using TextReadersFuzz = ProgramTest;

TEST_F(TextReadersFuzz, DelimitedCellsKeepTheirLimitsAndReachTheGridWhole) {
  std::mt19937 rng(20261211);
  std::unique_ptr<TStringGrid> grid(New<TStringGrid>(nullptr));
  for (int i = 0; i < 20000; ++i) {
    const String text = RandomText(rng);
    const char delimiter = "\0 ,;\t"[rng() % 5];
    const int64_t limit = rng() % 2 ? 0 : static_cast<int64_t>(rng() % 12 + 1);
    GridCSV::TCellTexts cells;
    const bool read = GridCSV::ReadCells(text, delimiter, static_cast<int>(rng() % 4) - 1, limit, cells);
    ASSERT_EQ(read, !cells.TooLarge) << i;
    size_t widest = 0;
    for (const TStringGridRow& row : cells.Rows) widest = std::max(widest, row.Texts.size());
    if (!read) continue;
    ASSERT_EQ(cells.Widest, widest) << i;
    if (limit > 0 && !cells.Rows.empty()) {
      const int64_t dataRows = static_cast<int64_t>(cells.Rows.size()) - 1;
      const int64_t dataCols = std::max<int64_t>(static_cast<int64_t>(widest) - 1, 0);
      ASSERT_LE(dataRows * dataCols, limit) << i;
      ASSERT_LE(dataRows, limit) << i;
    }
    std::vector<std::vector<String>> expected;
    for (const TStringGridRow& row : cells.Rows) {
      std::vector<String> texts;
      for (const TCellText& cell : row.Texts) texts.push_back(cell.Str());
      texts.resize(std::max<size_t>(widest, 1));
      expected.push_back(texts);
    }
    grid->SetRowCount(std::max<int>(1, static_cast<int>(cells.Rows.size())));
    grid->SetColCount(std::max<int>(1, static_cast<int>(widest)));
    grid->TakeRows(std::move(cells.Rows));
    for (size_t r = 0; r < expected.size(); ++r) ASSERT_EQ(grid->RowTexts(static_cast<int>(r)), expected[r]) << i;
  }
}

TEST_F(TextReadersFuzz, WeightsCellsAreWholeLinesSplitAtBlanks) {
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    const String text = RandomText(rng);
    const size_t maxLines = rng() % 6;
    const TWeightsFileCells cells = ReadWeightsFileCells(text, maxLines);
    ASSERT_LE(cells.Lines.size(), maxLines + 1) << i;
    // The cells joined again give back the text's first complete lines.
    String joined;
    for (const TStringGridRow& line : cells.Lines) {
      for (size_t c = 0; c < line.Texts.size(); ++c) {
        const String cell = line.Texts[c].Str();
        ASSERT_EQ(cell.find_first_of(" \r\n"), String::npos) << i;
        joined += (c > 0 ? " " : "") + cell;
      }
      joined += '\n';
    }
    String lines;
    size_t k = 0;
    for (size_t taken = 0; taken < cells.Lines.size(); ++taken) {
      const size_t end = text.find_first_of("\r\n", k);
      ASSERT_NE(end, String::npos) << i;
      lines += text.substr(k, end - k) + '\n';
      k = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    ASSERT_EQ(joined, lines) << i;
  }
}

TEST_F(TextReadersFuzz, BatchReaderTakesOrRefusesEveryText) {
  std::mt19937 rng(11);
  const String path = ::testing::TempDir() + "zorvan_batch_fuzz.txt";
  for (int i = 0; i < 3000; ++i) {
    const String text = RandomText(rng);
    std::ofstream(path, std::ios::binary) << text;
    Application->Hooks.Messages.clear();
    Zorvan->FileName = path;
    Zorvan->OpenBatchFile();
    TStringGrid* grid = Zorvan->MainGrid;
    ASSERT_GE(grid->RowCount(), 1);
    ASSERT_GE(grid->ColCount(), 1);
    if (Zorvan->Flag) {
      ASSERT_TRUE(Application->Hooks.Messages.empty()) << i;
      ASSERT_GE(grid->RowCount(), 2) << i;
      ASSERT_GE(grid->ColCount(), 2) << i;
    } else {
      ASSERT_LE(Application->Hooks.Messages.size(), 1u) << i;
    }
  }
  std::remove(path.c_str());
}

}  // namespace
