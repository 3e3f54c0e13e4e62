// Workbooks written by LibreOffice, read into the shared strings, the cell store, the merged
// ranges and the column list, compared with an independent reader, and written back: the
// rewritten workbook must read the same in that reader.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>

#include "XlsTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffCells.h"
#include "xls/vavUBiffFormatRecords.h"
#include "xls/vavUWbkNumberFormat.h"

using namespace xlstest;

namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string DoubleHex(double v) {
  uint64_t bits = std::bit_cast<uint64_t>(v);
  std::string bytes(8, '\0');
  for (int i = 0; i < 8; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(bits >> (8 * i));
  return Hex(bytes);
}

// What the independent reader reports of the first sheet: one line per non-empty cell
// ("row col n <double bytes>" or "row col s <utf-8 bytes>"), then merges, widths and runs.
const char* ReaderScript =
    "import sys,struct,xlrd\n"
    "b=xlrd.open_workbook(sys.argv[1],formatting_info=True)\n"
    "s=b.sheet_by_index(0)\n"
    "for r in range(s.nrows):\n"
    "  for c in range(s.ncols):\n"
    "    t=s.cell_type(r,c); v=s.cell_value(r,c)\n"
    "    if t==2: print(r,c,'n',struct.pack('<d',v).hex())\n"
    "    elif t==1: print(r,c,'s',v.encode('utf-8').hex())\n"
    "for m in sorted(s.merged_cells): print('merge',*m)\n"
    "for c in range(8): print('width',c,s.colinfo_map[c].width if c in s.colinfo_map else '-')\n"
    "for k in sorted(s.rich_text_runlist_map): print('runs',*k,*[x for run in s.rich_text_runlist_map[k] for x in run])\n";

// A workbook read with the engine's classes.
struct TLoaded {
  std::vector<std::unique_ptr<TBaseRecord>> Globals;  // in file order, SST and EXTSST left out
  std::vector<std::unique_ptr<TBaseRecord>> SheetHead, SheetTail;  // around the cell area
  TSST SST;
  TColInfoList Cols;
  TCells Cells{&SST, &Cols};
  TMergedCells Merged;
  std::vector<Word> FontRecords;
};

void Load(const std::string& compound, TLoaded& w) {
  auto records = RecordsOf(compound);
  int bofs = 0;
  bool cellsSeen = false;
  for (auto& r : records) {
    if (r->Id == 0x0809) ++bofs;
    if (bofs > 2) break;  // the first sheet only
    if (bofs == 1) {
      if (auto* sst = dynamic_cast<TSSTRecord*>(r.get())) {
        w.SST.Load(*sst);
        continue;
      }
      if (r->Id == 0x00FF) continue;
      w.Globals.push_back(std::move(r));
      continue;
    }
    if (r->Id == 0x0200) {  // DIMENSIONS: the cell area starts; it is rebuilt
      cellsSeen = true;
      continue;
    }
    if (auto* label = dynamic_cast<TLabelSSTRecord*>(r.get())) label->AttachToSST(&w.SST);
    if (dynamic_cast<TRowRecord*>(r.get())) {
      w.Cells.AddRow(std::unique_ptr<TRowRecord>(static_cast<TRowRecord*>(r.release())));
    } else if (auto* cell = dynamic_cast<TCellRecord*>(r.get())) {
      const Integer at = cell->Row();
      w.Cells.AddCell(std::unique_ptr<TCellRecord>(static_cast<TCellRecord*>(r.release())), at);
    } else if (auto* mul = dynamic_cast<TMultipleValueRecord*>(r.get())) {
      w.Cells.AddMultipleCells(*mul);
    } else if (dynamic_cast<TColInfoRecord*>(r.get())) {
      w.Cols.AddRecord(std::unique_ptr<TColInfoRecord>(static_cast<TColInfoRecord*>(r.release())));
    } else if (r->Id == 0x00E5) {
      TMergedCells part;
      part.LoadFromStream(std::move(r));
      w.Merged.RangeValuesList->CopyFrom(*part.RangeValuesList);
    } else if (r->Id == 0x000A && bofs == 2) {
      // EOF: written after the merges
    } else {
      (cellsSeen ? w.SheetTail : w.SheetHead).push_back(std::move(r));
    }
  }
  w.Cells.FixRows();
}

// The engine's own report in the reader's format.
std::string Report(TLoaded& w) {
  std::string out;
  TCellList& cells = w.Cells.CellList();
  for (Integer r = 0; r < cells.Count(); ++r) {
    TCellRecordList* row = cells[r];
    if (!row) continue;
    row->Sort();
    for (Integer i = 0; i < row->Count(); ++i) {
      const TCellRecord* cell = (*row)[i];
      TXlsCellValue v = cells.GetValue(r, cell->Column());
      const std::string head = std::to_string(r) + " " + std::to_string(cell->Column());
      if (v.Value.IsNumeric()) out += head + " n " + DoubleHex(v.Value.AsDouble()) + "\n";
      else if (v.Value.IsString() && !v.Value.AsString().empty()) out += head + " s " + Hex(v.Value.AsString()) + "\n";
    }
  }
  std::vector<std::array<Integer, 4>> merges;
  for (Integer i = 0; i < w.Merged.MergedCount(); ++i) {
    TXlsCellRange m = w.Merged.MergedCell(i);
    merges.push_back({m.Top, m.Bottom + 1, m.Left, m.Right + 1});
  }
  std::sort(merges.begin(), merges.end());
  for (auto& m : merges)
    out += "merge " + std::to_string(m[0]) + " " + std::to_string(m[1]) + " " + std::to_string(m[2]) + " " + std::to_string(m[3]) + "\n";
  for (Integer c = 0; c < 8; ++c) {
    Integer index = 0;
    out += "width " + std::to_string(c) + " " + (w.Cols.Find(c, index) ? std::to_string(w.Cols[index]->Width) : "-") + "\n";
  }
  for (Integer r = 0; r < cells.Count(); ++r) {
    TCellRecordList* row = cells[r];
    for (Integer i = 0; row && i < row->Count(); ++i) {
      TXlsCellValue v;
      TRTFRunList runs;
      cells.GetValueX2(r, (*row)[i]->Column(), v, runs);
      if (runs.empty()) continue;
      out += "runs " + std::to_string(r) + " " + std::to_string((*row)[i]->Column());
      for (auto& run : runs) out += " " + std::to_string(run.FirstChar) + " " + std::to_string(run.FontIndex);
      out += "\n";
    }
  }
  return out;
}

std::vector<Byte> SavedBytes(const std::function<void(TOle2File&)>& save) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  save(file);
  const Int64 written = file.Position();
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  stream.resize(static_cast<size_t>(written));
  return stream;
}

// The workbook written back: the globals with the table saved by the engine, and the sheet
// with its column list, cell area and merges saved by the engine.
std::vector<Byte> Rewrite(TLoaded& w) {
  w.SST.FixRefs();
  std::vector<Byte> sst = SavedBytes([&](TOle2File& f) { w.SST.SaveToStream(f); });
  EXPECT_EQ(static_cast<Int64>(sst.size()), w.SST.TotalSize());
  std::vector<Byte> sheet = SavedBytes([&](TOle2File& f) {
    for (auto& r : w.SheetHead) r->SaveToStream(f);
    const Int64 before = f.Position();
    const Int64 counted = w.Cols.TotalSize() + w.Cells.TotalSize();
    w.Cols.SaveToStream(f);
    w.Cells.SaveToStream(f);
    EXPECT_EQ(f.Position() - before, counted);
    for (auto& r : w.SheetTail) r->SaveToStream(f);
    w.Merged.SaveToStream(f);
    f.WriteHeader(0x000A, 0);
  });
  // Globals: everything up to the EOF, the table before it, then the sheet at the offset the
  // BOUNDSHEET record names.
  TBoundSheetRecord* bound = nullptr;
  for (auto& r : w.Globals)
    if (auto* b = dynamic_cast<TBoundSheetRecord*>(r.get())) bound = b;
  EXPECT_NE(bound, nullptr);
  Int64 globalsSize = static_cast<Int64>(sst.size());
  for (auto& r : w.Globals) globalsSize += r->TotalSize();
  bound->SetOffset(static_cast<Cardinal>(globalsSize));
  std::vector<Byte> globals = SavedBytes([&](TOle2File& f) {
    for (auto& r : w.Globals) {
      if (r->Id == 0x000A) f.WriteMem(sst.data(), static_cast<Int64>(sst.size()));
      r->SaveToStream(f);
    }
  });
  return Join({globals, sheet});
}

TEST(WorkbookFixtures, CellsWrittenByLibreOfficeReadAsTheIndependentReaderReadsThem) {
  TLoaded w;
  Load(Fixture("cells.xls"), w);
  const std::string ours = Report(w);
  // Known from the source: the long strings, the merges and the column widths (B to D equal).
  EXPECT_NE(ours.find("2 0 s 6162636465"), std::string::npos);
  EXPECT_NE(ours.find("merge 5 7 0 2\nmerge 8 9 2 5\n"), std::string::npos);
  EXPECT_NE(ours.find("width 1 3226\nwidth 2 3226\nwidth 3 3226\n"), std::string::npos);
  TXlsCellValue longText = w.Cells.CellList().GetValue(2, 1);
  EXPECT_EQ(longText.Value.AsWideString().size(), 5000u);
  EXPECT_EQ(w.Cells.CellList().GetValue(2, 0).Value.AsWideString().size(), 9000u);

  std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  TempDir dir;
  EXPECT_EQ(RunXlrd(python, ReaderScript, FixturePath("cells.xls")), ours);

  // Written back by the engine, the workbook reads the same.
  std::string path = dir.File("rewritten.xls");
  WriteFileBytes(path, CompoundWithStream(Rewrite(w)));
  WriteFileBytes(dir.File("script.py"), ReaderScript);
  int status = 0;
  std::string theirs = RunCommand(python + " " + dir.File("script.py") + " " + path + " 2>&1", status);
  EXPECT_EQ(status, 0) << theirs;
  EXPECT_EQ(theirs, ours);
}

TEST(WorkbookFixtures, RichTextRunsReadAsTheIndependentReaderReadsThem) {
  TLoaded w;
  Load(Fixture("rich_text.xls"), w);
  const std::string ours = Report(w);
  EXPECT_NE(ours.find("runs "), std::string::npos);
  std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  EXPECT_EQ(RunXlrd(python, ReaderScript, FixturePath("rich_text.xls")), ours);
}

TEST(WorkbookFixtures, BooleansAndErrorsAsLibreOfficeWritesThem) {
  // LibreOffice keeps no Boolean or error constants: they arrive as formula results, whose
  // cached value is a Boolean (type 1) or an error code (type 2) in bytes 6 and 8.
  auto records = RecordsOf(Fixture("booleans_errors.xls"));
  std::vector<std::pair<Byte, Byte>> results;
  double plain = 0;
  for (auto& r : records) {
    if (r->Id == 0x0006 && r->DataSize() >= 14 && GetWord(r->Data, 12) == 0xFFFF) results.push_back({r->Data[6], r->Data[8]});
    if (auto* n = dynamic_cast<TNumberRecord*>(r.get())) plain = n->GetValue().AsDouble();
    if (auto* n = dynamic_cast<TRKRecord*>(r.get())) plain = n->GetValue().AsDouble();
  }
  EXPECT_EQ(results, (std::vector<std::pair<Byte, Byte>>{{1, 1}, {1, 0}, {2, 0x07}, {2, 0x2A}}));
  EXPECT_EQ(plain, 2.5);
  EXPECT_EQ(ErrorCodeText(0x07), "#DIV/0!");
  EXPECT_EQ(ErrorCodeText(0x2A), "#N/A");
}

}  // namespace
