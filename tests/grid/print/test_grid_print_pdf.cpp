// Printing on the printer object into a PDF file, read back by independent readers: the pages,
// titles and page numbers by pdftotext, the grid lines of page 1 by pdftoppm.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "grid/print/PrintFixture.h"
#include "classlib/Printers.h"

namespace {

std::string ReadCommand(const std::string& Command) {
  std::string out;
  FILE* pipe = popen(Command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

class GridPrintPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    FFile = (std::filesystem::temp_directory_path() / ("grid_print_" + std::to_string(getpid()) + ".pdf")).string();
    std::filesystem::remove(FFile);
    Printer()->FileName = FFile;
    Printer()->PrinterName.clear();
  }
  void TearDown() override {
    std::filesystem::remove(FFile);
    Printer()->FileName.clear();
  }
  std::string PageText(int Page) {
    return ReadCommand("pdftotext -f " + std::to_string(Page) + " -l " + std::to_string(Page) + " -layout '" + FFile + "' -");
  }
  std::string FFile;
};

TEST_F(GridPrintPdf, TableOfTwoHundredRowsWithTitlesAndPageNumbersOnEveryPage) {
  auto grid = gridprint::NamedGrid(10, 201);
  grid->SetFixedRows(1);
  for (int c = 0; c < 10; ++c) grid->SetCells(c, 0, "Head" + IntToStr(c));
  TPrintSettings* s = grid->PrintSettings();
  s->RepeatFixedRows = true;
  s->Title = ppTopCenter;
  s->TitleText = "Null model table";
  s->PageNr = ppBottomRight;
  s->PagePrefix = "Page";
  s->PageNumSep = " of ";
  s->Date = ppTopLeft;
  s->JobName = "Grid print";
  grid->Print();

  ASSERT_TRUE(std::filesystem::exists(FFile));
  const int pages = grid->PrintNrOfPages();
  ASSERT_GE(pages, 3);
  const std::string info = ReadCommand("pdfinfo '" + FFile + "'");
  const size_t at = info.find("Pages:");
  ASSERT_NE(at, std::string::npos) << info;
  EXPECT_EQ(std::stoi(info.substr(at + 6)), pages) << info;
  for (int p = 1; p <= pages; ++p) {
    const std::string text = PageText(p);
    EXPECT_NE(text.find("Null model table"), std::string::npos) << "page " << p;
    EXPECT_NE(text.find("Head0"), std::string::npos) << "fixed row on page " << p;
    EXPECT_NE(text.find("Page " + std::to_string(p) + " of " + std::to_string(pages)), std::string::npos)
        << "page " << p << ":\n" << text;
  }
  EXPECT_NE(PageText(1).find("r1 "), std::string::npos);
  EXPECT_NE(PageText(pages).find("r200"), std::string::npos);
  EXPECT_EQ(grid->PreviewPage(), 1) << "printing leaves the preview page alone";

  // Page 1 as a picture: grid lines are long runs of dark pixels along a row.
  const std::string ppm = ReadCommand("pdftoppm -f 1 -l 1 -r 72 -gray '" + FFile + "'");
  std::istringstream in(ppm);
  std::string magic;
  int width = 0, height = 0, maxval = 0;
  in >> magic >> width >> height >> maxval;
  in.get();
  ASSERT_EQ(magic, "P5");
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height);
  in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  int lines = 0;
  for (int y = 0; y < height; ++y) {
    int run = 0, longest = 0;
    for (int x = 0; x < width; ++x) {
      run = pixels[static_cast<size_t>(y) * width + x] < 128 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    if (longest > width / 3) ++lines;
  }
  EXPECT_GT(lines, 20) << "horizontal grid lines on page 1";
}

TEST_F(GridPrintPdf, RefusedPageRangePrintsNothing) {
  auto grid = gridprint::NamedGrid(3, 20);
  grid->OnPrintStart = [](TObject*, int, int&, int& To) { To = 0; };
  grid->Print();
  EXPECT_FALSE(std::filesystem::exists(FFile));
  EXPECT_FALSE(Printer()->Printing());
}

}  // namespace
