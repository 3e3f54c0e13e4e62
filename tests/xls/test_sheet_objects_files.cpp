// Hyperlinks, page breaks, conditional formats and charts in real workbooks: a LibreOffice-made
// file read through the workbook file and saved, and links, breaks and a format we add, each
// checked in the flat ODS that LibreOffice makes of our save (fixture: tests/data/xls/README.md).
#include <gtest/gtest.h>

#include <regex>

#include "WorkbookTestHelpers.h"
#include "classlib/SysUtils.h"
#include "support/LibreOffice.h"
#include "xls/vavUBiffCondFmt.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

std::unique_ptr<TXLSFile> OpenObjectsBook(const std::string& Path) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->OpenFile(Path);
  return book;
}

// LibreOffice's flat ODS of a workbook in Dir.
std::string FlatOds(const TempDir& Dir, const std::string& Name) {
  testsupport::LibreOfficeConvert(Dir.Path, {Name}, "fods");
  return xlstest::ReadFileBytes(Dir.File(Name.substr(0, Name.rfind('.')) + ".fods"));
}

std::vector<std::string> All(const std::string& Text, const std::string& Pattern) {
  std::vector<std::string> out;
  const std::regex re(Pattern);
  for (auto it = std::sregex_iterator(Text.begin(), Text.end(), re); it != std::sregex_iterator(); ++it)
    out.push_back((*it)[1].str());
  return out;
}

// The 1-based rows (columns) of the first table that start a new page: the rows or columns
// whose automatic style breaks before them, counting repeated ones.
std::vector<Integer> PageStarts(const std::string& Fods, const std::string& Kind) {
  const std::vector<std::string> breaking =
      All(Fods, "<style:style style:name=\"([^\"]+)\" style:family=\"table-" + Kind + "\">\\s*<style:table-" + Kind +
                    "-properties[^>]*fo:break-before=\"page\"");
  // A chart's own data table inside the sheet's shapes is not the sheet.
  std::string first = Fods;
  const size_t shapes = first.find("<table:shapes>");
  if (shapes != std::string::npos) first.erase(shapes, first.find("</table:shapes>") - shapes);
  first = first.substr(0, first.find("</table:table>"));
  std::vector<Integer> out;
  Integer at = 1;
  const std::regex item("<table:table-" + Kind + "( [^>]*)?/?>");
  const std::regex style("table:style-name=\"([^\"]+)\"");
  const std::regex repeated("table:number-" + Kind + "s-repeated=\"([0-9]+)\"");
  for (auto it = std::sregex_iterator(first.begin(), first.end(), item); it != std::sregex_iterator(); ++it) {
    const std::string attributes = (*it)[1];
    std::smatch s, r;
    const Integer n = std::regex_search(attributes, r, repeated) ? std::stoi(r[1].str()) : 1;
    if (std::regex_search(attributes, s, style) &&
        std::find(breaking.begin(), breaking.end(), s[1].str()) != breaking.end())
      out.push_back(at);
    at += n;
  }
  return out;
}


}  // namespace

TEST(SheetObjectFiles, LibreOfficeLinksBreaksFormatsAndChartReadAndSaved) {
  auto book = OpenObjectsBook(FixturePath("sheet_objects.xls"));
  book->SetActiveSheet(1);
  ASSERT_EQ(book->HyperLinkCount(), 2);
  const THyperLink site = book->GetHyperLink(1);
  EXPECT_EQ(site.LinkType, THyperLinkType::hl_URL);
  EXPECT_EQ(Text(site.Text), "https://example.org/zorvan");
  EXPECT_EQ(Text(site.Description), "Site");
  EXPECT_EQ(book->GetHyperLinkCellRange(1), (TXlsCellRange{2, 1, 2, 1}));
  const THyperLink inside = book->GetHyperLink(2);
  EXPECT_EQ(inside.LinkType, THyperLinkType::hl_CurrentWorkbook);
  EXPECT_EQ(Text(inside.TextMark), "Notes!B3");
  EXPECT_EQ(book->GetHyperLinkCellRange(2), (TXlsCellRange{2, 2, 2, 2}));
  // Above row 6 of the interface and left of column D.
  EXPECT_TRUE(book->HasHPageBreak(5));
  EXPECT_TRUE(book->HasVPageBreak(3));
  const TRangeList& ranges = book->GetTWorkbook()->WorkSheetAt(0).Ranges();
  const TCondFmt* format = nullptr;
  for (Integer i = 0; i < ranges.Count(); ++i)
    if (auto* f = dynamic_cast<const TCondFmt*>(ranges[i])) format = f;
  ASSERT_NE(format, nullptr);
  EXPECT_EQ((*format->RangeValuesList)[0], (TRangeItem{0, 11, 0, 0}));
  EXPECT_EQ(format->CFs.Count(), 1);

  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "soffice is not installed";
  TempDir dir;
  book->Save(false, dir.File("ours.xls"), nullptr, nullptr, nullptr);
  // Two rows inserted at the top move the links, the breaks and the format with their cells.
  book->InsertAndCopyRows(65536, 65536, 1, 2, false);
  book->Save(false, dir.File("moved.xls"), nullptr, nullptr, nullptr);
  const std::string ours = FlatOds(dir, "ours.xls");
  EXPECT_EQ(All(ours, "<text:a [^>]*xlink:href=\"([^\"]+)\""),
            (std::vector<std::string>{"https://example.org/zorvan", "#Notes.B3"}));
  EXPECT_EQ(PageStarts(ours, "row"), std::vector<Integer>{6});
  EXPECT_EQ(PageStarts(ours, "column"), std::vector<Integer>{4});
  EXPECT_EQ(All(ours, "calcext:target-range-address=\"([^\"]+)\""), std::vector<std::string>{"Data.A1:Data.A12"});
  EXPECT_EQ(All(ours, "<calcext:condition [^>]*calcext:value=\"([^\"]+)\""), std::vector<std::string>{"&gt;5"});
  EXPECT_EQ(All(ours, "chart:values-cell-range-address=\"([^\"]+)\""), std::vector<std::string>{"Data.A1:Data.A12"});

  const std::string moved = FlatOds(dir, "moved.xls");
  EXPECT_EQ(All(moved, "<text:a [^>]*xlink:href=\"([^\"]+)\""),
            (std::vector<std::string>{"https://example.org/zorvan", "#Notes.B3"}));
  EXPECT_EQ(PageStarts(moved, "row"), std::vector<Integer>{8});
  EXPECT_EQ(All(moved, "calcext:target-range-address=\"([^\"]+)\""), std::vector<std::string>{"Data.A3:Data.A14"});
}

TEST(SheetObjectFiles, LinksBreaksAndFormatsWeAddAreShownByLibreOffice) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->NewFile(2);
  book->SetActiveSheet(2);
  book->SetActiveSheetName(u"Second");
  book->SetActiveSheet(1);
  book->SetActiveSheetName(u"First");
  for (Integer r = 1; r <= 10; ++r) book->SetCellValue(r, 1, Variant(static_cast<double>(r)));
  book->SetCellValue(1, 2, Variant(u"Added site"));
  book->SetCellValue(2, 2, Variant(u"Over there"));
  THyperLink site;
  site.Text = u"https://example.org/added";
  site.Description = u"Added";
  book->AddHyperLink({2, 1, 2, 1}, site);
  THyperLink there;
  there.LinkType = THyperLinkType::hl_CurrentWorkbook;
  there.TextMark = u"Second!C4";
  book->AddHyperLink({2, 2, 2, 2}, there);
  book->InsertHPageBreak(4);
  book->InsertHPageBreak(8);
  book->InsertVPageBreak(2);
  // A format on A1:A10: values above 5 get a fill (the condition of LibreOffice's own file).
  auto format = std::make_unique<TCondFmt>();
  std::vector<Byte> body = Join({Bytes16(1), Bytes16(1), Bytes16(0), Bytes16(9), Bytes16(0), Bytes16(0), Bytes16(1),
                                 Bytes16(0), Bytes16(9), Bytes16(0), Bytes16(0)});
  format->LoadFromStream(std::make_unique<TBaseRecord>(TCondFmt::Id_, body));
  format->CFs.Add(std::make_unique<TCFRecord>(
      TCFRecord::Id_, std::vector<Byte>{0x01, 0x05, 0x03, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x38, 0x20, 0x00, 0x00, 0x00,
                                        0x04, 0x1F, 0x15, 0x1E, 0x05, 0x00}));
  book->GetTWorkbook()->WorkSheetAt(0).Ranges().Add(std::move(format));

  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "soffice is not installed";
  TempDir dir;
  book->Save(false, dir.File("added.xls"), nullptr, nullptr, nullptr);
  const std::string fods = FlatOds(dir, "added.xls");
  EXPECT_EQ(All(fods, "<text:a [^>]*xlink:href=\"([^\"]+)\""),
            (std::vector<std::string>{"https://example.org/added", "#Second!C4"}));
  EXPECT_NE(fods.find(">Added site</text:a>"), std::string::npos);
  EXPECT_EQ(PageStarts(fods, "row"), (std::vector<Integer>{5, 9}));
  EXPECT_EQ(PageStarts(fods, "column"), std::vector<Integer>{3});
  EXPECT_EQ(All(fods, "calcext:target-range-address=\"([^\"]+)\""), std::vector<std::string>{"First.A1:First.A10"});
  EXPECT_EQ(All(fods, "<calcext:condition [^>]*calcext:value=\"([^\"]+)\""), std::vector<std::string>{"&gt;5"});

  // An independent reader sees the same links.
  const std::string python = PythonWithXlrd();
  if (python.empty()) return;
  const std::string out = RunXlrd(python,
                                  "import sys, xlrd\n"
                                  "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                  "for h in s.hyperlink_list:\n"
                                  "    print(h.frowx, h.fcolx, h.type, h.url_or_path or h.textmark, h.desc)\n",
                                  dir.File("added.xls"));
  EXPECT_NE(out.find("0 1 url https://example.org/added Added"), std::string::npos) << out;
  EXPECT_NE(out.find("1 1 workbook Second!C4"), std::string::npos) << out;
}
