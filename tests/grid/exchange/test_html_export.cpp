// The HTML file as an independent reader sees it (python3's html5lib).
#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

TEST(HTMLExport, ParsesAndShowsCellsColoursSpansAndLinks) {
  if (!HaveTool("/usr/bin/python3")) GTEST_SKIP() << "no python3";
  auto grid = MakeGrid(4, 4);
  grid->SetCells(1, 0, "Head & <b>");
  grid->SetCells(1, 1, "red right");
  grid->SetCellBackColor(1, 1, clRed);
  grid->SetCellAlignment(1, 1, taRightJustify);
  grid->SetCells(2, 1, "http://example.org/a?b=\"c\"&d");
  grid->SetURLShow(true);
  grid->SetCells(1, 2, "merged");
  grid->MergeCells(1, 2, 2, 2);
  grid->SetCells(3, 3, "Ωμέγα\r\nline");
  grid->HTMLSettings()->ConvertSpecialChars = true;
  const String path = TempPath(".html");
  grid->SaveToHTML(path);
  const String report = Python(R"(
import sys, html5lib
doc = html5lib.parse(open(sys.argv[1], 'rb').read(), namespaceHTMLElements=False)
style = doc.find('.//style').text
for tr in doc.iter('tr'):
    cells = []
    for td in tr.findall('td'):
        cls = td.get('class')
        rule = [l for l in style.splitlines() if l.startswith('.' + cls + ' ')][0]
        a = td.find('a')
        cells.append(''.join(td.itertext()).replace('\xa0', '_').replace('\n', '') + ('@' + a.get('href') if a is not None else '')
                     + ('#span%sx%s' % (td.get('colspan'), td.get('rowspan')) if td.get('colspan') else '')
                     + ('#red' if 'background-color: #FF0000' in rule else '')
                     + ('#right' if 'text-align: right' in rule else ''))
    print('|'.join(cells))
)",
                               path);
  EXPECT_EQ(report,
            "_|Head & <b>|_|_\n"
            "_|red right#red#right|example.org/a?b=\"c\"&d@http://example.org/a?b=\"c\"&d|_\n"
            "_|merged#span2x2|_\n"
            "_|Ωμέγαline\n");
  std::remove(path.c_str());
}

TEST(HTMLExport, PicturesAreWrittenBesideThePageFromOneOnEachExport) {
  auto grid = MakeGrid(3, 3);
  TImageList images(nullptr);
  TBitmap square(4, 4);
  images.Add(&square);
  grid->SetGridImages(&images);
  grid->CreateBitmap(1, 1, false, haLeft, vaTop)->SetSize(5, 3);
  grid->SetCells(1, 1, "bmp");
  grid->AddImageIdx(2, 1, 0, haLeft, vaTop);
  grid->SetCells(2, 1, "listed");
  grid->AddDataImage(1, 2, 0, haLeft, vaTop);
  grid->SetCells(1, 2, "0");
  grid->AddDataImage(2, 2, 0, haLeft, vaTop);
  grid->SetCells(2, 2, "7");
  const String dir = ::testing::TempDir() + "exchange_pictures/";
  ForceDirectories(dir);
  const String path = dir + "page.html";
  for (int round = 0; round < 2; ++round) {
    grid->SaveToHTML(path);
    const String page = ReadBytes(path);
    EXPECT_NE(page.find("bmp<img src= \"file://" + dir + "images/img1.jpg\">"), String::npos) << page;
    EXPECT_NE(page.find("<img src= \"file://" + dir + "images/img2.jpg\">listed"), String::npos);
    EXPECT_NE(page.find(">" "<img src= \"file://" + dir + "images/img3.jpg\"></td>"), String::npos) << "a data image alone";
    EXPECT_EQ(page.find("img4"), String::npos) << "an index outside the images writes an empty cell";
    EXPECT_EQ(page.find(">7<"), String::npos);
    EXPECT_TRUE(FileExists(dir + "images/img3.jpg"));
  }
  grid->SetGridImages(nullptr);
}

}  // namespace
