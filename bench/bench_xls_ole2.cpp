// Speed of the compound file and the record reader: writing and reading a large workbook
// stream, and reading a stream of many small records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUOle2Impl.h"

namespace {
std::string Template() {
  std::filesystem::path path = std::filesystem::path(__FILE__).parent_path().parent_path() / "tests/data/xls/small_grid.xls";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string WriteStream(const std::string& source, const std::vector<Byte>& data) {
  std::istringstream in(source);
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  file.WriteMem(data.data(), static_cast<Int64>(data.size()));
  file.Close();
  return out.str();
}

// Records of 20 data bytes, as cell records are.
std::vector<Byte> SmallRecords(size_t count) {
  std::vector<Byte> data;
  for (size_t i = 0; i < count; ++i) {
    data.insert(data.end(), {0x03, 0x02, 20, 0});
    data.insert(data.end(), 20, static_cast<Byte>(i));
  }
  return data;
}
}  // namespace

static void BM_WriteWorkbookStream(benchmark::State& state) {
  std::string source = Template();
  std::vector<Byte> data(static_cast<size_t>(state.range(0)), 0x5A);
  for (auto _ : state) benchmark::DoNotOptimize(WriteStream(source, data));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteWorkbookStream)->Arg(1 << 20)->Arg(16 << 20);

static void BM_ReadWorkbookStream(benchmark::State& state) {
  std::string compound = WriteStream(Template(), std::vector<Byte>(static_cast<size_t>(state.range(0)), 0x5A));
  std::vector<Byte> buffer(8224);
  for (auto _ : state) {
    std::istringstream in(compound);
    TOle2File file(in);
    file.SelectStream(u"Workbook");
    while (!file.Eof()) file.ReadMem(buffer.data(), std::min<Int64>(8224, file.Length() - file.Position()));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadWorkbookStream)->Arg(1 << 20)->Arg(16 << 20);

static void BM_ReadRecords(benchmark::State& state) {
  std::string compound = WriteStream(Template(), SmallRecords(static_cast<size_t>(state.range(0))));
  for (auto _ : state) {
    std::istringstream in(compound);
    TOle2File file(in);
    file.SelectStream(u"Workbook");
    TRecordHeader header;
    ReadRecordHeader(file, header);
    Int64 count = 0;
    while (!file.NextEof(3)) {
      benchmark::DoNotOptimize(ReadRecord(file, header));
      ++count;
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadRecords)->Arg(100000);
