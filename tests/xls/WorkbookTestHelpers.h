// Helpers of the workbook tests: a workbook loaded from a compound file, saved into a copy of
// it, and the plain record list of a saved stream for checks on what was written.
#pragma once

#include "XlsTestHelpers.h"
#include "xls/vavUExcelRecords.h"

namespace xlstest {

inline std::unique_ptr<TWorkbook> LoadWorkbook(const std::string& compound) {
  std::istringstream in(compound);
  TOle2File file(in);
  file.SelectStream(u"Workbook");
  auto workbook = std::make_unique<TWorkbook>();
  workbook->LoadFromStream(file);
  return workbook;
}

// The workbook written into a copy of Container (whose other streams are kept).
inline std::string SaveWorkbook(TWorkbook& Workbook, const std::string& Container) {
  std::istringstream in(Container);
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  Workbook.SaveToStream(file);
  file.Close();
  return out.str();
}

struct TPlainRecord {
  Word Id;
  std::vector<Byte> Data;
  size_t Offset;
};

// Records of a stream as they lie, up to the zero padding.
inline std::vector<TPlainRecord> PlainRecords(const std::vector<Byte>& stream) {
  std::vector<TPlainRecord> out;
  size_t p = 0;
  while (p + 4 <= stream.size()) {
    const Word id = static_cast<Word>(stream[p] | (stream[p + 1] << 8));
    const size_t n = static_cast<size_t>(stream[p + 2] | (stream[p + 3] << 8));
    if (id == 0 || p + 4 + n > stream.size()) break;
    out.push_back({id, std::vector<Byte>(stream.begin() + static_cast<long>(p) + 4, stream.begin() + static_cast<long>(p + 4 + n)), p});
    p += 4 + n;
  }
  return out;
}

// The bytes a save writes into a fresh stream, checked against the size counted for them.
template <class F>
std::vector<Byte> WrittenBytes(F&& Save, Int64 Expected) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  Save(file);
  EXPECT_EQ(file.Position(), Expected) << "counted and written sizes differ";
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  stream.resize(static_cast<size_t>(Expected));
  return stream;
}

inline std::vector<Byte> JoinRecords(const std::vector<TPlainRecord>& records) {
  std::vector<Byte> out;
  for (const auto& r : records) {
    const std::vector<Byte> one = Rec(r.Id, r.Data);
    out.insert(out.end(), one.begin(), one.end());
  }
  return out;
}

}  // namespace xlstest
