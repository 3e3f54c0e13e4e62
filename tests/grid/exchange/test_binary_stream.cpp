// The binary cell stream: what travels, where it lands, and that a damaged stream is refused
// with the grid left as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Streams.h"
#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

// A grid with texts, properties, an owned bitmap, a radio group and a borrowed bitmap.
std::unique_ptr<TRivErodovOzar> RichGrid(TBitmap& Borrowed) {
  auto grid = MakeGrid(4, 4);
  grid->SetCells(1, 1, "Ωμέγα\r\nline");
  grid->SetCellBackColor(1, 1, 0x123456);
  grid->SetCellFontName(1, 1, "DejaVu Serif");
  grid->SetCellAlignment(1, 1, taRightJustify);
  TBitmap* bmp = grid->CreateBitmap(2, 1, false, haLeft, vaTop);
  bmp->SetSize(3, 2);
  bmp->Canvas()->SetPixel(1, 1, clRed);
  TStrings* radio = grid->CreateRadio(1, 2, 0, 1);
  radio->Add("one");
  radio->Add("two");
  Borrowed.SetSize(2, 2);
  grid->AddBitmap(2, 2, &Borrowed, false, haLeft, vaTop);
  grid->SetCells(2, 2, "borrowed");
  grid->SetColWidths(3, 77);
  grid->SetRowHeights(3, 33);
  return grid;
}

TEST(BinaryStream, FullGridRoundTripRestoresSizesTextsPropertiesAndOwnedGraphics) {
  TBitmap borrowed;
  auto source = RichGrid(borrowed);
  const String path = ::testing::TempDir() + "exchange_full.bin";
  source->SaveToBinFile(path);

  auto target = MakeGrid(9, 9);
  target->SetCells(8, 8, "cleared");
  target->LoadFromBinFile(path);
  std::remove(path.c_str());
  EXPECT_EQ(target->ColCount(), 4);
  EXPECT_EQ(target->RowCount(), 4);
  EXPECT_EQ(target->ColWidths(3), 77);
  EXPECT_EQ(target->RowHeights(3), 33);
  EXPECT_EQ(target->Cells(1, 1), "Ωμέγα\r\nline");
  EXPECT_EQ(target->GetCellBackColor(1, 1), 0x123456);
  ASSERT_NE(target->GetCellProperties(1, 1), nullptr);
  EXPECT_EQ(target->GetCellProperties(1, 1)->FontName(), "DejaVu Serif");
  EXPECT_EQ(target->GetCellProperties(1, 1)->Alignment(), taRightJustify);
  TBitmap* bmp = target->GetBitmap(2, 1);
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(bmp->Width(), 3);
  EXPECT_EQ(bmp->Canvas()->Pixel(1, 1), clRed);
  const TCellGraphic* radio = target->GetCellGraphic(1, 2);
  ASSERT_NE(radio, nullptr);
  EXPECT_EQ(radio->CellType, ctRadio);
  EXPECT_EQ(radio->CellIndex, 1);
  ASSERT_NE(dynamic_cast<TStrings*>(radio->CellBitmap), nullptr);
  EXPECT_EQ(dynamic_cast<TStrings*>(radio->CellBitmap)->CommaText(), "one,two");
  // A bitmap the grid does not own travels without its graphic.
  EXPECT_EQ(target->Cells(2, 2), "borrowed");
  EXPECT_EQ(target->GetCellGraphic(2, 2), nullptr);
}

TEST(BinaryStream, LoadingCountsTheNodeRows) {
  auto source = MakeGrid(3, 5);
  source->AddNode(1, 2);
  source->AddNode(3, 2);
  TMemoryStream stream;
  source->SaveToBinStream(&stream);
  stream.SetPosition(0);
  auto target = MakeGrid(3, 5);
  target->LoadFromBinStream(&stream);
  EXPECT_EQ(target->NumNodes(), 2);
  EXPECT_TRUE(target->IsNode(3));
}

TEST(BinaryStream, RectangleLandsAtThePoint) {
  auto source = MakeGrid(8, 10);
  for (int r = 7; r <= 9; ++r)
    for (int c = 5; c <= 6; ++c) source->SetCells(c, r, IntToStr(c) + ":" + IntToStr(r));
  TMemoryStream stream;
  source->SaveRectToBinStream(Rect(5, 7, 6, 9), &stream);
  stream.SetPosition(0);
  auto target = MakeGrid(4, 5);
  target->LoadAtPointFromBinStream(TPoint{1, 1}, &stream);
  EXPECT_EQ(target->Cells(1, 1), "5:7");
  EXPECT_EQ(target->Cells(2, 3), "6:9");
  EXPECT_EQ(target->Cells(0, 0), "");

  // An empty row range carries only the first record and changes no cell.
  TMemoryStream empty;
  source->SaveRectToBinStream(Rect(5, 7, 6, 6), &empty);
  empty.SetPosition(0);
  target->LoadAtPointFromBinStream(TPoint{0, 0}, &empty);
  EXPECT_EQ(target->Cells(1, 1), "5:7");
}

TEST(BinaryStream, PositionsBeyondWhatTheStreamCarriesAreRefused) {
  auto grid = MakeGrid(2, 2);
  TMemoryStream stream;
  EXPECT_THROW(grid->SaveRectToBinStream(Rect(0, 65535, 0, 65536), &stream), ERivGridError);
}

// Every truncation and many flipped bytes of a good stream: an error or a whole load, never a
// crash and never a grid changed half way.
TEST(BinaryStream, DamagedStreamsFailCleanlyAndLeaveTheGrid) {
  TBitmap borrowed;
  auto source = RichGrid(borrowed);
  TMemoryStream good;
  source->SaveRectToBinStream(Rect(1, 1, 2, 2), &good);
  const String bytes(good.Bytes().begin(), good.Bytes().end());

  auto snapshot = [](TRivErodovOzar& G) {
    String s;
    for (int r = 0; r < G.RowCount(); ++r)
      for (int c = 0; c < G.ColCount(); ++c) s += G.Cells(c, r) + "|" + IntToStr(G.GetCellBackColor(c, r)) + ";";
    return s + IntToStr(G.ColCount()) + "x" + IntToStr(G.RowCount());
  };
  auto target = MakeGrid(5, 5);
  target->SetCells(1, 1, "before");
  const String before = snapshot(*target);

  auto tryLoad = [&](const String& Damaged) {
    auto grid = MakeGrid(5, 5);
    grid->SetCells(1, 1, "before");
    TStringStream stream(Damaged);
    try {
      grid->LoadAtPointFromBinStream(TPoint{1, 1}, &stream);
    } catch (const Exception&) {
      EXPECT_EQ(snapshot(*grid), before);
    }
  };
  for (size_t n = 0; n < bytes.size(); ++n) {
    TStringStream stream(bytes.substr(0, n));
    EXPECT_THROW(target->LoadAtPointFromBinStream(TPoint{1, 1}, &stream), Exception) << "truncated at " << n;
    EXPECT_EQ(snapshot(*target), before);
  }
  for (size_t i = 0; i < bytes.size(); i += 3)
    for (const unsigned char mask : {0x01, 0x80, 0xFF}) {
      String damaged = bytes;
      damaged[i] = static_cast<char>(damaged[i] ^ mask);
      tryLoad(damaged);
    }
}

}  // namespace
