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

std::string Save(TWorkbook& wb, const std::string& container) {
  std::istringstream in(container);
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  wb.SaveToStream(file);
  file.Close();
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

static void BM_LoadWorkbook(benchmark::State& state) {
  const std::string compound = MakeWorkbook(static_cast<Integer>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    TWorkbook wb;
    Load(wb, compound);
    benchmark::DoNotOptimize(wb.Sheets().Count());
  }
  state.SetComplexityN(state.range(0) * 10);
  state.SetItemsProcessed(state.iterations() * state.range(0) * 10);
}
BENCHMARK(BM_LoadWorkbook)
    ->ArgsProduct({{4096, 16384, 65536}, {0, 1}})
    ->ArgNames({"rows", "texts"})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

static void BM_SaveWorkbook(benchmark::State& state) {
  const std::string compound = MakeWorkbook(static_cast<Integer>(state.range(0)), state.range(1) != 0);
  TWorkbook wb;
  Load(wb, compound);
  for (auto _ : state) benchmark::DoNotOptimize(Save(wb, compound));
  state.SetComplexityN(state.range(0) * 10);
  state.SetItemsProcessed(state.iterations() * state.range(0) * 10);
}
BENCHMARK(BM_SaveWorkbook)
    ->ArgsProduct({{4096, 16384, 65536}, {0, 1}})
    ->ArgNames({"rows", "texts"})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
