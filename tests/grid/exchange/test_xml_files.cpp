// XML files: as independent readers see them (python3's lxml, xmllint), read back, and
// damaged.
#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

TEST(XMLFiles, RoundTripPlacesFieldsByNameAndValidates) {
  auto grid = MakeGrid(4, 4);
  grid->SaveFixedCells = false;
  grid->SetCells(1, 1, "a & b < c \"q\"");
  grid->SetCells(3, 1, "漢字 Ωμέγα é");
  grid->SetCells(2, 2, "two\r\nlines");
  grid->SetCells(3, 3, "&lt; stays");
  TStringList names;
  names.Add("first");
  names.Add("second");
  const String path = TempPath(".xml");
  // Named fields with the empty ones written, and numbered fields without them.
  for (const bool named : {true, false}) {
    for (const String encoding : {"ISO-8859-1", "UTF-8"}) {
      grid->XMLEncoding = encoding;
      grid->SaveToXML(path, "rows", "row", named ? &names : nullptr, named);
      String out;
      if (HaveTool("/usr/bin/xmllint")) {
        EXPECT_TRUE(RunCommand("/usr/bin/xmllint --noout " + path, out)) << out;
      }
      if (named && HaveTool("/usr/bin/python3")) {
        EXPECT_EQ(Python(R"(
import sys
from lxml import etree
for row in etree.parse(sys.argv[1]).getroot():
    print(';'.join('%s=%s' % (f.tag, (f.text or '').replace('\r', '\\r').replace('\n', '\\n')) for f in row))
)",
                         path),
                  "first=a & b < c \"q\";second=\"\";FIELD2=漢字 Ωμέγα é\n"
                  "first=\"\";second=two\\r\\nlines;FIELD2=\"\"\n"
                  "first=\"\";second=\"\";FIELD2=&lt; stays\n")
            << encoding;
      }

      auto loaded = MakeGrid(2, 2);
      loaded->SaveFixedCells = false;
      loaded->LoadFromXML(path);
      EXPECT_EQ(loaded->ColCount(), 4);
      EXPECT_EQ(loaded->RowCount(), 4);
      for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 4; ++c)
          EXPECT_EQ(loaded->Cells(c, r), grid->Cells(c, r)) << c << "," << r << " " << encoding << named;
    }
  }
  std::remove(path.c_str());
}

TEST(XMLFiles, EmptyElementsAndFieldNamesInTheHeaderRow) {
  const String path = TempPath(".xml");
  WriteBytes(path, "<?xml version=\"1.0\"?><list><rec><a>1</a><b/><c>3</c></rec><rec><c>6</c></rec></list>");
  auto grid = MakeGrid(2, 2);
  grid->LoadFromXML(path, false, true);
  EXPECT_EQ(grid->Cells(0, 0), "a");
  EXPECT_EQ(grid->Cells(2, 0), "c");
  EXPECT_EQ(grid->Cells(0, 1), "1");
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->Cells(2, 1), "3");
  EXPECT_EQ(grid->Cells(2, 2), "6") << "a field goes to the column of its name";
  std::remove(path.c_str());
}

TEST(XMLFiles, DamagedFilesFailWithTheParserErrorAndLeaveTheGrid) {
  auto source = MakeGrid(3, 3);
  source->SetCells(1, 1, "x&y");
  source->SetCells(2, 2, "Ωμέγα");
  const String path = TempPath(".xml");
  source->XMLEncoding = "UTF-8";
  source->SaveToXML(path, "l", "r", nullptr, true);
  const String good = ReadBytes(path);
  auto expectRefused = [&](const String& Bytes, const String& What) {
    auto grid = MakeGrid(2, 2);
    grid->SetCells(1, 1, "kept");
    WriteBytes(path, Bytes);
    try {
      grid->LoadFromXML(path);
    } catch (const Exception& e) {
      EXPECT_EQ(String(e.Message).rfind("XMLDOM Parsing error ", 0), 0U) << What << ": " << e.Message;
      EXPECT_EQ(grid->ColCount(), 2) << What;
      EXPECT_EQ(grid->Cells(1, 1), "kept") << What;
    }
    // A cut or a flip that still leaves a well-formed document loads it.
  };
  for (size_t n = 0; n + 1 < good.size(); n += 7) expectRefused(good.substr(0, n), "cut at " + IntToStr(static_cast<int>(n)));
  for (size_t i = 0; i < good.size(); i += 5) {
    String flipped = good;
    flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
    expectRefused(flipped, "flip at " + IntToStr(static_cast<int>(i)));
  }
  WriteBytes(path, String(300, '<') + "a>");
  expectRefused(ReadBytes(path), "garbage");
  String deep = "<?xml version=\"1.0\"?>";
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  expectRefused(deep, "nested too deeply");
  String laughs = "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\">";
  for (char c = 'b'; c <= 'j'; ++c)
    laughs += String("<!ENTITY ") + c + " \"" + [&] {
      String refs;
      for (int i = 0; i < 10; ++i) refs += String("&") + static_cast<char>(c - 1) + ";";
      return refs;
    }() + "\">";
  laughs += "]><l><r><f>&j;</f></r></l>";
  expectRefused(laughs, "entities that expand without end");
  std::remove(path.c_str());
  auto grid = MakeGrid(2, 2);
  EXPECT_THROW(grid->LoadFromXML(path), Exception);
}

}  // namespace
