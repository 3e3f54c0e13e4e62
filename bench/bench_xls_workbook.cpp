// Speed of the workbook: loading and saving a sheet of rows x 10 columns of numbers or of
// texts, up to 65,536 rows. Both must grow linearly with the number of cells.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "xls/vavUExcelRecords.h"

namespace {
std::string Template() {
  std::filesystem::path path = std::filesystem::path(__FILE__).parent_path().parent_path() / "tests/data/xls/small_grid.xls";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Load(TWorkbook& wb, const std::string& compound) {
  std::istringstream in(compound);
  TOle2File file(in);
  file.SelectStream(u"Workbook");
  wb.LoadFromStream(file);
}

// Writes the workbook from the start of Out; Out may already hold a buffer as large as the
// file, so that growing the string stream is not timed with the save.
void SaveInto(TWorkbook& wb, const std::string& container, std::stringstream& Out) {
  std::istringstream in(container);
  Out.seekp(0);
  TOle2File file(in);
  file.PrepareForWrite(Out, u"Workbook");
  wb.SaveToStream(file);
  file.Close();
}

std::string Save(TWorkbook& wb, const std::string& container) {
  std::stringstream out;
  SaveInto(wb, container, out);
  return out.str();
}

// A workbook whose first sheet holds Rows x 10 cells: numbers, or texts that all differ.
std::string MakeWorkbook(Integer Rows, bool Texts) {
  const std::string container = Template();
  TWorkbook wb;
  Load(wb, container);
  TCellList& cells = wb.WorkSheetAt(0).Cells().CellList();
  for (Integer r = 0; r < Rows; ++r)
    for (Integer c = 0; c < 10; ++c) {
      TXlsCellValue v;
      v.XF = 15;
      if (Texts) {
        const std::string text = "cell " + std::to_string(r) + ":" + std::to_string(c);
        v.Value = Variant(WideString(text.begin(), text.end()));
      } else {
        v.Value = Variant(r * 10.0 + c + 0.25);
      }
      cells.SetValueX2(r, c, v, {}, false);
    }
  return Save(wb, container);
}
}  // namespace

// Numbers and texts are separate families, so each gets its own fit of time against cells.
static void BM_LoadWorkbook(benchmark::State& state, bool Texts) {
  const std::string compound = MakeWorkbook(static_cast<Integer>(state.range(0)), Texts);
  for (auto _ : state) {
    TWorkbook wb;
    Load(wb, compound);
    benchmark::DoNotOptimize(wb.Sheets().Count());
  }
  state.SetComplexityN(state.range(0) * 10);
  state.SetItemsProcessed(state.iterations() * state.range(0) * 10);
}
BENCHMARK_CAPTURE(BM_LoadWorkbook, numbers, false)
    ->RangeMultiplier(2)->Range(4096, 65536)->ArgName("rows")->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_LoadWorkbook, texts, true)
    ->RangeMultiplier(2)->Range(4096, 65536)->ArgName("rows")->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

static void BM_SaveWorkbook(benchmark::State& state, bool Texts) {
  const std::string compound = MakeWorkbook(static_cast<Integer>(state.range(0)), Texts);
  TWorkbook wb;
  Load(wb, compound);
  std::stringstream out;
  out.str(std::string(compound.size() * 2, '\0'));
  for (auto _ : state) {
    SaveInto(wb, compound, out);
    benchmark::DoNotOptimize(out.tellp());
  }
  state.SetComplexityN(state.range(0) * 10);
  state.SetItemsProcessed(state.iterations() * state.range(0) * 10);
}
BENCHMARK_CAPTURE(BM_SaveWorkbook, numbers, false)
    ->RangeMultiplier(2)->Range(4096, 65536)->ArgName("rows")->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_SaveWorkbook, texts, true)
    ->RangeMultiplier(2)->Range(4096, 65536)->ArgName("rows")->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
