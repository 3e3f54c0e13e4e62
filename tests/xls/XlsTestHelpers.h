// Shared helpers of the workbook-engine tests: fixture files, in-memory compound files, and
// the independent compound-file reader used to check what the engine writes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

#include "support/LibreOffice.h"
#include "support/TestCache.h"
#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUOle2Impl.h"

namespace xlstest {

// A workbook text as UTF-8, for comparing with literals.
inline std::string Text(const WideString& s) { return WideToUtf8(s); }

inline std::string FixturePath(const std::string& name) { return std::string(ZORVAN_TEST_DATA) + "/xls/" + name; }

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string Fixture(const std::string& name) { return ReadFileBytes(FixturePath(name)); }

inline std::vector<Byte> ReadWholeStream(TOle2File& file, const WideString& name) {
  file.SelectStream(name);
  std::vector<Byte> data(static_cast<size_t>(file.Length()));
  file.Read(data);
  return data;
}

inline std::vector<Byte> StreamOf(const std::string& fileBytes, const WideString& name) {
  std::istringstream in(fileBytes);
  TOle2File file(in);
  return ReadWholeStream(file, name);
}

inline uint32_t Crc32(const std::vector<Byte>& data) {
  static std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (Byte b : data) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

inline std::string HexUtf16(const WideString& s) {
  static const char* hex = "0123456789abcdef";
  std::string out;
  for (char16_t c : s)
    for (int b : {c & 0xFF, c >> 8}) {
      out += hex[b >> 4];
      out += hex[b & 15];
    }
  return out;
}

// A temporary folder for files the tests write, removed with the object.
class TempDir {
 public:
  TempDir() {
    Path = std::filesystem::temp_directory_path() / ("zorvan_xls_" + std::to_string(getpid()) + "_" + std::to_string(counter()++));
    std::filesystem::create_directories(Path);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  std::string File(const std::string& name) const { return (Path / name).string(); }
  std::filesystem::path Path;

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string RunCommand(const std::string& command, int& status) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    status = -1;
    return out;
  }
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
  status = pclose(pipe);
  return out;
}

// A python3 that has olefile, or "" (the system one first: a user's own python may lack it).
inline std::string PythonWithOlefile() {
  static const std::string python = [] {
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
      int status = 0;
      RunCommand(std::string(candidate) + " -c \"import olefile\" 2>/dev/null", status);
      if (status == 0) return std::string(candidate);
    }
    return std::string();
  }();
  return python;
}

// Runs a python script on a file and gives its output; ok is false when the script fails.
// The answer for the same script, bytes and python is kept between runs (support/TestCache.h).
inline std::string RunPythonReader(const std::string& python, const std::string& script, const std::string& path,
                                   bool& ok) {
  const std::string key =
      testsupport::TestCacheKey({testsupport::ProgramIdentity(python), script, testsupport::ReadFileBytes(path)});
  ok = true;
  return testsupport::CachedOutput("python", key, [&](bool& produced) {
    TempDir scratch;  // never beside the file read: fixtures live in the source tree
    const std::string scriptPath = scratch.File("read.py");
    WriteFileBytes(scriptPath, script);
    int status = 0;
    std::string out = RunCommand(python + " " + scriptPath + " " + path + " 2>&1", status);
    produced = ok = status == 0;
    return out;
  });
}

// Streams of a compound file as the independent reader sees them: UTF-16LE name in hex ->
// "size crc32". Empty map and ok = false when the reader refuses the file.
inline std::map<std::string, std::string> OlefileListing(const std::string& python, const std::string& path, bool& ok) {
  const std::string script =
      "import olefile,sys,zlib\n"
      "o=olefile.OleFileIO(sys.argv[1], raise_defects=olefile.DEFECT_INCORRECT)\n"
      "for e in o.listdir(streams=True, storages=False):\n"
      "  d=o.openstream(e).read()\n"
      "  print('/'.join(e).encode('utf-16-le').hex(), len(d), zlib.crc32(d) & 0xffffffff)\n";
  const std::string out = RunPythonReader(python, script, path, ok);
  std::map<std::string, std::string> listing;
  if (!ok) {
    ADD_FAILURE() << "olefile refused " << path << ":\n" << out;
    return listing;
  }
  std::istringstream lines(out);
  std::string name, size, crc;
  while (lines >> name >> size >> crc) listing[name] = size + " " + crc;
  return listing;
}

// The same listing made with the engine's reader.
inline std::map<std::string, std::string> EngineListing(const std::string& fileBytes) {
  std::istringstream in(fileBytes);
  TOle2File file(in);
  std::map<std::string, std::string> listing;
  for (const WideString& name : file.StreamNames()) {
    std::vector<Byte> data = ReadWholeStream(file, name);
    listing[HexUtf16(name)] = std::to_string(data.size()) + " " + std::to_string(Crc32(data));
  }
  return listing;
}

// Checks that the independent reader sees the same streams with the same bytes as the engine.
inline void ExpectOlefileAgrees(const std::string& fileBytes, const TempDir& dir, const std::string& name) {
  std::string python = PythonWithOlefile();
  if (python.empty()) GTEST_SKIP() << "python3 with olefile is not installed";
  std::string path = dir.File(name);
  WriteFileBytes(path, fileBytes);
  bool ok = false;
  auto theirs = OlefileListing(python, path, ok);
  if (ok) {
    EXPECT_EQ(theirs, EngineListing(fileBytes));
  }
}

// Writes a copy of a compound file in which StreamName holds Data.
inline std::string RewriteStream(const std::string& source, const WideString& StreamName, const std::vector<Byte>& Data,
                                 const std::vector<WideString>& DeleteStorages = {}) {
  std::istringstream in(source);
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, StreamName, DeleteStorages);
  file.WriteMem(Data.data(), static_cast<Int64>(Data.size()));
  file.Close();
  return out.str();
}

inline std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message;
  }
  return "(no error)";
}

// Bytes of one record: header and data.
inline std::vector<Byte> Rec(Word id, const std::vector<Byte>& data) {
  std::vector<Byte> out;
  out.reserve(4 + data.size());
  for (unsigned v : {unsigned(id), unsigned(data.size())}) {
    out.push_back(static_cast<Byte>(v));
    out.push_back(static_cast<Byte>(v >> 8));
  }
  for (Byte b : data) out.push_back(b);
  return out;
}

inline std::vector<Byte> Join(std::initializer_list<std::vector<Byte>> parts) {
  std::vector<Byte> out;
  for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A record long enough that a stream starting with it is not padded when written.
inline std::vector<Byte> Filler() { return Rec(0x0042, std::vector<Byte>(4200, 0xAB)); }

// A compound file whose workbook stream holds exactly the given bytes (at least 4096 of them).
inline std::string CompoundWithStream(const std::vector<Byte>& stream) {
  return RewriteStream(Fixture("small_grid.xls"), u"Workbook", stream);
}

// Every record of the workbook stream, section after section, up to the last section's EOF.
inline std::vector<std::unique_ptr<TBaseRecord>> ReadAllRecords(TOle2File& file) {
  std::vector<std::unique_ptr<TBaseRecord>> records;
  TRecordHeader header;
  ReadRecordHeader(file, header);
  int depth = 0, sections = 0, sheets = 0;
  for (;;) {
    records.push_back(ReadRecord(file, header));
    Word id = records.back()->Id;
    if (id == BiffId::BOF) ++depth;
    if (id == 0x0085) ++sheets;
    if (id == BiffId::EOF_ && --depth <= 0) {
      depth = 0;
      ++sections;
      if (file.NextEof(3) || (sheets > 0 && sections >= 1 + sheets)) break;
    }
  }
  return records;
}

inline std::vector<std::unique_ptr<TBaseRecord>> RecordsOf(const std::string& compound) {
  std::istringstream in(compound);
  TOle2File file(in);
  file.SelectStream(u"Workbook");
  return ReadAllRecords(file);
}

// The workbook stream that saving the records gives.
inline std::vector<Byte> SavedStream(const std::vector<std::unique_ptr<TBaseRecord>>& records) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  Int64 expected = 0;
  for (auto& r : records) {
    r->SaveToStream(file);
    expected += r->TotalSize();
    EXPECT_EQ(file.Position(), expected) << "size bookkeeping of record 0x" << std::hex << r->Id;
  }
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  if (expected < 4096) stream.resize(static_cast<size_t>(expected));  // drop the padding
  return stream;
}

}  // namespace xlstest

namespace xlstest {

inline std::vector<Byte> Bytes16(unsigned v) { return {static_cast<Byte>(v), static_cast<Byte>(v >> 8)}; }
inline std::vector<Byte> Bytes32(uint32_t v) {
  return {static_cast<Byte>(v), static_cast<Byte>(v >> 8), static_cast<Byte>(v >> 16), static_cast<Byte>(v >> 24)};
}

// A BIFF8 BOF record of the given section type.
inline std::vector<Byte> BofRecord(Word type) {
  return Rec(0x0809, Join({Bytes16(0x0600), Bytes16(type), Bytes16(0x0DBB), Bytes16(0x07CC), Bytes32(0), Bytes32(6)}));
}

// The workbook stream of one sheet named "Sheet1": the globals (BOF, the given records,
// BOUNDSHEET, EOF) and the sheet (BOF, the given records, EOF).
inline std::vector<Byte> OneSheetWorkbook(const std::vector<Byte>& globals, const std::vector<Byte>& sheet) {
  const std::vector<Byte> name = {6, 0, 'S', 'h', 'e', 'e', 't', '1'};
  const std::vector<Byte> eof = Rec(0x000A, {});
  const size_t boundSheetSize = 4 + 6 + name.size();
  const size_t sheetStart = BofRecord(5).size() + globals.size() + boundSheetSize + eof.size();
  return Join({BofRecord(5), globals, Rec(0x0085, Join({Bytes32(static_cast<uint32_t>(sheetStart)), Bytes16(0), name})),
               eof, BofRecord(0x10), sheet, eof});
}

// One FONT record and 21 cell XF records (font 0, format General), enough for readers that
// look up the format of every cell.
inline std::vector<Byte> MinimalFormats() {
  std::vector<Byte> out = Rec(0x0031, Join({Bytes16(200), Bytes16(0), Bytes16(0x7FFF), Bytes16(400), Bytes16(0),
                                            {0, 0, 0, 0}, {5, 0, 'A', 'r', 'i', 'a', 'l'}}));
  for (int i = 0; i < 21; ++i) {
    std::vector<Byte> xf = Join({Bytes16(0), Bytes16(0), Bytes16(i < 15 ? 0xFFF5 : 0x0001), Bytes16(0x20), Bytes16(0),
                                 Bytes32(0), Bytes32(0), Bytes16(0x20C0)});
    out = Join({out, Rec(0x00E0, xf)});
  }
  return out;
}

// A python3 that has xlrd, or "".
inline std::string PythonWithXlrd() {
  static const std::string python = [] {
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
      int status = 0;
      RunCommand(std::string(candidate) + " -c \"import xlrd\" 2>/dev/null", status);
      if (status == 0) return std::string(candidate);
    }
    return std::string();
  }();
  return python;
}

// Runs a python script (with xlrd) on a file and gives its output; fails the test when the
// script fails.
inline std::string RunXlrd(const std::string& python, const std::string& script, const std::string& path) {
  bool ok = false;
  std::string out = RunPythonReader(python, script, path, ok);
  EXPECT_TRUE(ok) << out;
  return out;
}

}  // namespace xlstest
