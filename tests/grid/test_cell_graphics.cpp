// Cell graphics: the TCellGraphic object (setters, ownership, copying, picture sizes), the
// cell attribute operations of every kind, button rectangles, radio groups and the room a
// graphic takes.
#include <gtest/gtest.h>

#include <functional>

#include "RivGridFixture.h"
#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/InterfacedPersistent.h"
#include "classlib/Picture.h"
#include "classlib/StringList.h"
#include "grid/model/GridCellDrawer.h"

using namespace rivgrid;

namespace {

// An object of an interfaced cell that reports a fixed size.
class TSizedDrawer : public TInterfacedPersistent, public IGridCellDrawer {
 public:
  TSizedDrawer(int W, int H) : FW(W), FH(H) {}
  void Draw(TCanvas*, const TRect&, TRivErodovOzar*, bool, int, int) override {}
  int GetWidth() override { return FW; }
  int GetHeight() override { return FH; }
  bool IsBackground() override { return false; }

 private:
  int FW, FH;
};

// Counts of live graphics and of the objects they own, compared before and after.
struct LiveCounts {
  int graphics = TCellGraphic::LiveCount();
  int owned = TCellGraphic::OwnedObjectCount();
  bool operator==(const LiveCounts&) const = default;
};

std::unique_ptr<TPicture> PictureOf(int W, int H) {
  auto picture = std::make_unique<TPicture>();
  TBitmap bitmap(W, H);
  picture->SetBitmap(&bitmap);
  return picture;
}

// ---- TCellGraphic ----

TEST(CellGraphicObject, AngleIsBroughtIntoZeroTo360) {
  TCellGraphic g;
  const std::pair<int, int> cases[] = {{-90, 270}, {720, 360}, {360, 360}, {0, 0}, {-360, 0}, {45, 45}, {-750, 330}};
  for (auto [in, out] : cases) {
    g.SetAngle(in);
    EXPECT_EQ(g.CellType, ctRotated);
    EXPECT_EQ(g.CellAngle, out) << in;
  }
}

TEST(CellGraphicObject, PictureSizeByStretchMode) {
  auto picture = PictureOf(100, 50);
  auto small = PictureOf(30, 20);
  struct Case {
    TPicture* picture;
    TStretchMode mode;
    int padding;
    TPoint size;
  };
  const Case cases[] = {
      {picture.get(), noStretch, 0, {100, 50}},
      {picture.get(), Stretch, 0, {50, 50}},
      {picture.get(), Stretch, 10, {40, 40}},
      {picture.get(), StretchWithAspectRatio, 0, {50, 25}},
      {picture.get(), Shrink, 0, {50, 50}},
      {picture.get(), ShrinkWithAspectRatio, 0, {50, 25}},
      {small.get(), Shrink, 0, {30, 20}},
      {small.get(), ShrinkWithAspectRatio, 0, {30, 20}},
      {small.get(), StretchWithAspectRatio, 0, {50, 33}},  // 20 * 50 / 30 = 33.3
  };
  for (const Case& c : cases) {
    TCellGraphic g;
    g.SetPicture(c.picture, false, c.mode, c.padding, haLeft, vaTop);
    EXPECT_EQ(g.GetPictureSize(50, 50, true), c.size) << c.mode << " padding " << c.padding;
  }
  TCellGraphic other;
  other.SetBitmap(nullptr, false, haLeft, vaTop);
  EXPECT_EQ(other.GetPictureSize(50, 50, false), Point(0, 0));
}

TEST(CellGraphicObject, OwnsOnlyWhatItMadeAndFreesItOnceWhenReplaced) {
  const LiveCounts before;
  TBitmap mine(8, 8);
  {
    TCellGraphic g;
    g.SetBitmap(&mine, true, haLeft, vaTop);
    EXPECT_FALSE(g.OwnsBitmapObject());
    g.SetIcon(nullptr, haLeft, vaTop);
    g.SetBitmap(nullptr, false, haLeft, vaTop);
    g.OwnObject(new TBitmap(4, 4));
    EXPECT_EQ(TCellGraphic::OwnedObjectCount(), before.owned + 1);
    // Handing the graphic its own bitmap again keeps it owned, not freed.
    g.SetBitmap(static_cast<TBitmap*>(g.CellBitmap), false, haRight, vaTop);
    EXPECT_TRUE(g.CellCreated);
    EXPECT_EQ(TCellGraphic::OwnedObjectCount(), before.owned + 1);
    // Another kind frees the owned bitmap.
    g.SetCheckBox(true, false, true, haBeforeText, vaTop);
    EXPECT_EQ(TCellGraphic::OwnedObjectCount(), before.owned);
    EXPECT_EQ(g.CellBitmap, nullptr);
    g.SetMultiImage(1, 2, 0, haLeft, vaTop, nullptr);
    EXPECT_EQ(TCellGraphic::OwnedObjectCount(), before.owned + 1);
  }
  EXPECT_EQ(LiveCounts(), before);
  EXPECT_EQ(mine.Width(), 8);  // the caller's bitmap is alive
}

TEST(CellGraphicObject, AssignCopiesTheDescriptionButNoObject) {
  TBitmap bitmap(3, 3);
  TCellGraphic source;
  source.SetBitmap(&bitmap, true, haAfterText, vaCenter);
  source.CellValue = 2.5;
  source.CellErrFrom = 4;
  source.CellErrLen = 2;
  source.CellText = "t";
  source.CellVar = 7;
  TCellGraphic target;
  target.CellType = ctRadio;
  target.OwnObject(new TStringList());
  const int owned = TCellGraphic::OwnedObjectCount();
  target.Assign(&source);
  EXPECT_EQ(TCellGraphic::OwnedObjectCount(), owned - 1);
  EXPECT_EQ(target.CellType, ctBitmap);
  EXPECT_EQ(target.CellHAlign, haAfterText);
  EXPECT_EQ(target.CellVAlign, vaCenter);
  EXPECT_TRUE(target.CellTransparent);
  EXPECT_EQ(target.CellValue, 2.5);
  EXPECT_EQ(target.CellErrFrom, 4);
  EXPECT_EQ(target.CellErrLen, 2);
  EXPECT_EQ(target.CellText, "t");
  EXPECT_EQ(target.CellBitmap, nullptr);
  EXPECT_TRUE(VarIsEmpty(target.CellVar));
  TStringList notAGraphic;
  target.Assign(&notAGraphic);
  EXPECT_EQ(target.CellType, ctBitmap);
}

// ---- The attribute operations, kind by kind ----

struct AttributeCase {
  const char* name;
  TCellType type;
  std::function<void(TGrid&)> add;
  std::function<void(TGrid&, TCellGraphic&)> check;
  std::function<void(TGrid&)> remove;
};

constexpr int C = 2;
constexpr int R = 3;

TEST(CellAttributes, EveryKindIsAddedReadBackAndRemoved) {
  const LiveCounts before;
  TBitmap bitmap(10, 6), glyph(8, 8);
  TIcon icon;
  TStringList options;
  options.Add("A");
  options.Add("B");
  options.Add("C");
  TSizedDrawer drawer(30, 12);
  auto picture = PictureOf(20, 10);
  TImageList images(nullptr);
  TPicture* created = nullptr;
  TFilePicture* createdFile = nullptr;
  const std::vector<AttributeCase> cases = {
      {"picture", ctPicture,
       [&](TGrid& g) { g.AddPicture(C, R, picture.get(), true, Stretch, 1, haCenter, vaBottom); },
       [&](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(g.GetPicture(C, R), picture.get());
         EXPECT_EQ(x.CellAngle, Stretch);
         EXPECT_EQ(x.CellIndex, 1);
         EXPECT_FALSE(x.CellCreated);
       },
       [](TGrid& g) { g.RemovePicture(C, R); }},
      {"created picture", ctPicture,
       [&](TGrid& g) { created = g.CreatePicture(C, R, false, noStretch, 0, haLeft, vaTop); },
       [&](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(g.GetPicture(C, R), created);
         EXPECT_EQ(created->Width(), 0);
         EXPECT_TRUE(x.CellCreated);
       },
       [](TGrid& g) { g.RemovePicture(C, R); }},
      {"bitmap", ctBitmap, [&](TGrid& g) { g.AddBitmap(C, R, &bitmap, true, haRight, vaBottom); },
       [&](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(g.GetBitmap(C, R), &bitmap);
         EXPECT_TRUE(x.CellTransparent);
         EXPECT_EQ(x.CellHAlign, haRight);
         EXPECT_EQ(x.CellVAlign, vaBottom);
         EXPECT_EQ(g.GetCellGraphicObjectValue(C, R), reinterpret_cast<intptr_t>(&bitmap));
       },
       [](TGrid& g) { g.RemoveBitmap(C, R); }},
      {"file picture", ctFilePicture,
       [&](TGrid& g) { createdFile = g.CreateFilePicture(C, R, false, Shrink, 2, haLeft, vaTop); },
       [&](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(g.GetFilePicture(C, R), createdFile);
         EXPECT_EQ(x.CellAngle, Shrink);
         EXPECT_EQ(g.GetPicture(C, R), nullptr);
       },
       [](TGrid& g) { g.RemoveFilePicture(C, R); }},
      {"icon", ctIcon, [&](TGrid& g) { g.AddIcon(C, R, &icon, haCenter, vaCenter); },
       [&](TGrid&, TCellGraphic& x) {
         EXPECT_EQ(x.CellIcon, &icon);
         EXPECT_FALSE(x.OwnsIcon());
       },
       [](TGrid& g) { g.RemoveIcon(C, R); }},
      {"comment", ctComment, [](TGrid& g) { g.AddComment(C, R, "note"); },
       [](TGrid& g, TCellGraphic& x) {
         String text;
         EXPECT_TRUE(g.IsComment(C, R, text));
         EXPECT_EQ(text, "note");
         EXPECT_EQ(x.CellIndex, g.ControlLook()->CommentColor());
       },
       [](TGrid& g) { g.RemoveComment(C, R); }},
      {"coloured comment", ctComment, [](TGrid& g) { g.AddColorComment(C, R, "c", 0x00FF00); },
       [](TGrid&, TCellGraphic& x) { EXPECT_EQ(x.CellIndex, 0x00FF00); },
       [](TGrid& g) { g.RemoveComment(C, R); }},
      {"balloon", ctBalloon, [](TGrid& g) { g.AddBalloon(C, R, "Title", "Text", biWarning); },
       [](TGrid& g, TCellGraphic& x) {
         String title, text;
         TBalloonIcon balloonIcon = biNone;
         EXPECT_TRUE(g.HasBalloon(C, R));
         EXPECT_TRUE(g.IsBalloon(C, R, title, text, balloonIcon));
         EXPECT_EQ(title, "Title");
         EXPECT_EQ(text, "Text");
         EXPECT_EQ(balloonIcon, biWarning);
         EXPECT_EQ(x.CellAngle, 0);
       },
       [](TGrid& g) { g.RemoveBalloon(C, R); }},
      {"radio", ctRadio, [&](TGrid& g) { g.AddRadio(C, R, 0, 1, &options); },
       [&](TGrid& g, TCellGraphic& x) {
         int idx = -5;
         EXPECT_TRUE(g.IsRadio(C, R));
         EXPECT_TRUE(g.GetRadioIdx(C, R, idx));
         EXPECT_EQ(idx, 1);
         EXPECT_EQ(g.GetRadioStrings(C, R), &options);
         EXPECT_EQ(x.CellAngle, 3);
         EXPECT_FALSE(x.CellBoolean);  // vertical
       },
       [](TGrid& g) { g.RemoveRadio(C, R); }},
      {"interfaced cell", ctInterface, [&](TGrid& g) { g.AddInterfacedCell(C, R, &drawer); },
       [&](TGrid& g, TCellGraphic&) {
         EXPECT_EQ(g.GetInterfacedCell(C, R), &drawer);
         EXPECT_EQ(g.GetCellGraphicSize(C, R), Point(30, 12));
       },
       [](TGrid& g) { g.RemoveInterfacedCell(C, R); }},
      {"progress", ctProgress,
       [](TGrid& g) { g.AddProgressFormatted(C, R, 0x0000FF, 0xFFFFFF, 0x00FF00, 0x000000, "%d%%", 10, 90); },
       [](TGrid&, TCellGraphic& x) {
         EXPECT_EQ(x.CellBitmapColor, 0x0000FF);
         EXPECT_EQ(x.CellIconColor, 0x00FF00);
         EXPECT_EQ(x.CellIndex, 0xFFFFFF);
         EXPECT_EQ(x.CellAngle, 0x000000);
         EXPECT_TRUE(x.CellBoolean);
         EXPECT_EQ(x.CellText, "%d%%");
         EXPECT_EQ(x.CellErrFrom, 10);
         EXPECT_EQ(x.CellErrLen, 90);
       },
       [](TGrid& g) { g.RemoveProgress(C, R); }},
      {"multi-level progress", ctXPProgress, [](TGrid& g) { g.AddRivProgress(C, R, 5, 50); },
       [](TGrid&, TCellGraphic& x) {
         EXPECT_EQ(x.CellErrFrom, 5);
         EXPECT_EQ(x.CellErrLen, 50);
         EXPECT_FALSE(x.CellBoolean);
       },
       [](TGrid& g) { g.RemoveRivProgress(C, R); }},
      {"pie", ctProgressPie, [](TGrid& g) { g.AddProgressPie(C, R, 0x0000FF, 40); },
       [](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(x.CellAngle, 40);
         EXPECT_EQ(x.CellHAlign, haBeforeText);
         g.SetProgressPie(C, R, 60);
         EXPECT_EQ(x.CellAngle, 60);
         EXPECT_EQ(g.GetCellGraphicSize(C, R), Point(20, 20));
       },
       [](TGrid& g) { g.RemoveProgressPie(C, R); }},
      {"range indicator", ctRangeIndicator, [](TGrid& g) { g.AddRangeIndicator(C, R, 50, 0x0000FF, 0x00FF00, true); },
       [](TGrid&, TCellGraphic& x) {
         EXPECT_EQ(x.CellIndex, 50);
         EXPECT_EQ(x.CellBitmapColor, 0x0000FF);
         EXPECT_EQ(x.CellIconColor, 0x00FF00);
         EXPECT_TRUE(x.CellBoolean);
       },
       [](TGrid& g) { g.RemoveRangeIndicator(C, R); }},
      {"shape", ctShape, [](TGrid& g) { g.AddShape(C, R, csCircle, 0x00FFFF, 0x000080, haCenter, vaCenter); },
       [](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(x.CellAngle, csCircle);
         EXPECT_EQ(g.GetShapeColor(C, R), 0x00FFFF);
         g.SetShapeColor(C, R, 0x123456);
         EXPECT_EQ(g.GetShapeColor(C, R), 0x123456);
         EXPECT_EQ(x.CellBitmapColor, 0x000080);
       },
       [](TGrid& g) { g.RemoveShape(C, R); }},
      {"rating", ctRating, [](TGrid& g) { g.AddRating(C, R, 5, 0x00FFFF, 0xC0C0C0); },
       [](TGrid& g, TCellGraphic& x) {
         EXPECT_TRUE(g.HasRating(C, R));
         EXPECT_EQ(x.CellAngle, 5);
         EXPECT_EQ(x.CellHAlign, haFull);
         EXPECT_EQ(g.GetCellGraphicSize(C, R), Point(90, 16));  // never widened to the cell
       },
       [](TGrid& g) { g.RemoveRating(C, R); }},
      {"scroll bar", ctScrollbar, [](TGrid& g) { g.AddScrollBar(C, R, false); },
       [](TGrid& g, TCellGraphic&) {
         EXPECT_TRUE(g.HasScrollBar(C, R));
         EXPECT_FALSE(g.HasAutoRangeScrollBar(C, R));
         EXPECT_EQ(g.GetScrollProp(C, R).PageSize, 0);
         EXPECT_EQ(g.GetScrollProp(C, R).Range, 100);
         g.SetScrollProp(C, R, TScrollProp{5, 40});
         g.SetScrollPosition(C, R, 7);
         EXPECT_EQ(g.GetScrollPosition(C, R), 7);
         EXPECT_EQ(g.GetScrollProp(C, R).Range, 40);
       },
       [](TGrid& g) { g.RemoveScrollBar(C, R); }},
      {"marker", ctEmpty, [](TGrid& g) { g.AddMarker(C, R, 2, 3); },
       [](TGrid& g, TCellGraphic&) {
         int from = 0, len = 0;
         g.GetMarker(C, R, from, len);
         EXPECT_EQ(from, 2);
         EXPECT_EQ(len, 3);
       },
       [](TGrid& g) { g.RemoveMarker(C, R); }},
      {"button", ctButton, [](TGrid& g) { g.AddButton(C, R, 80, 20, "Go", haLeft, vaTop); },
       [](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(x.CellIndex, 1310800);
         EXPECT_TRUE(g.HasButton(C, R));
         EXPECT_EQ(g.GetButtonText(C, R), "Go");
         g.SetButtonText(C, R, "Stop");
         g.PushButton(C, R, true);
         EXPECT_EQ(x.CellText, "Stop");
         EXPECT_TRUE(x.CellBoolean);
       },
       [](TGrid& g) { g.RemoveButton(C, R); }},
      {"bit button", ctBitButton, [&](TGrid& g) { g.AddBitButton(C, R, 60, 24, "Ok", &glyph, haLeft, vaTop); },
       [&](TGrid& g, TCellGraphic& x) {
         EXPECT_EQ(x.CellBitmap, &glyph);
         EXPECT_TRUE(g.HasButton(C, R));
         EXPECT_EQ(x.CellText, "Ok");
       },
       [](TGrid& g) { g.RemoveButton(C, R); }},
      {"image index", ctImageList, [](TGrid& g) { g.AddImageIdx(C, R, 2, haLeft, vaTop); },
       [](TGrid& g, TCellGraphic&) {
         int idx = -1;
         EXPECT_TRUE(g.GetImageIdx(C, R, idx));
         EXPECT_EQ(idx, 2);
         g.SetImageIdx(C, R, 3);
         EXPECT_EQ(g.GetCellGraphicObjectValue(C, R), 3);
       },
       [](TGrid& g) { g.RemoveImageIdx(C, R); }},
      {"data image", ctDataImage, [](TGrid& g) { g.AddDataImage(C, R, 1, haLeft, vaTop); },
       [](TGrid& g, TCellGraphic&) {
         EXPECT_TRUE(g.HasDataImage(C, R));
         EXPECT_EQ(g.Cells(C, R), "1");
       },
       [](TGrid& g) { g.RemoveDataImage(C, R); }},
      {"multi image", ctImages, [](TGrid& g) { g.AddMultiImage(C, R, 0, haLeft, vaTop); },
       [](TGrid& g, TCellGraphic&) {
         auto* list = dynamic_cast<TIntList*>(g.GetCellImageIndexes(C, R));
         ASSERT_NE(list, nullptr);
         list->Add(0);
         list->Add(1);
         g.SetCells(C, R, "");
         EXPECT_EQ(g.GetCellGraphicSize(C, R), Point(32, 16));
       },
       [](TGrid& g) { g.RemoveMultiImage(C, R); }},
      {"rotated", ctRotated, [](TGrid& g) { g.AddRotated(C, R, -90, "up"); },
       [](TGrid& g, TCellGraphic&) {
         int angle = 0;
         EXPECT_TRUE(g.IsRotated(C, R, angle));
         EXPECT_EQ(angle, 270);
         EXPECT_EQ(g.Cells(C, R), "up");
       },
       [](TGrid& g) { g.RemoveRotated(C, R); }},
  };
  {
    auto grid = MakeGrid(5, 6);
    grid->SetGridImages(&images);
    for (const AttributeCase& c : cases) {
      SCOPED_TRACE(c.name);
      grid->SetCells(C, R, "");
      c.add(*grid);
      ASSERT_NE(grid->GetCellGraphic(C, R), nullptr);
      EXPECT_EQ(grid->GetCellType(C, R), c.type);
      c.check(*grid, *grid->GetCellGraphic(C, R));
      // Removing another kind leaves the cell as it is.
      if (c.type == ctComment)
        grid->RemoveBitmap(C, R);
      else
        grid->RemoveComment(C, R);
      EXPECT_EQ(grid->GetCellType(C, R), c.type);
      c.remove(*grid);
      EXPECT_EQ(grid->GetCellGraphic(C, R), nullptr);
      EXPECT_EQ(grid->GetCellType(C, R), ctEmpty);
    }
    grid->SetGridImages(nullptr);
  }
  EXPECT_EQ(LiveCounts(), before);
  // The caller's objects outlived every graphic that showed them.
  EXPECT_EQ(bitmap.Width(), 10);
  EXPECT_EQ(picture->Width(), 20);
  EXPECT_EQ(options.Count(), 3);
}

TEST(CellAttributes, ReplacingKeepingAndRefusing) {
  const LiveCounts before;
  {
    auto grid = MakeGrid(5, 6);
    TBitmap bitmap(4, 4);
    // A bitmap replaces a comment; removing a comment afterwards changes nothing.
    grid->AddComment(1, 1, "c");
    grid->AddBitmap(1, 1, &bitmap, false, haLeft, vaTop);
    grid->RemoveComment(1, 1);
    EXPECT_EQ(grid->GetBitmap(1, 1), &bitmap);
    // Removing a bitmap leaves a picture.
    grid->CreatePicture(1, 2, false, noStretch, 0, haLeft, vaTop);
    grid->RemoveBitmap(1, 2);
    EXPECT_EQ(grid->GetCellType(1, 2), ctPicture);
    // A marker joins a button and goes again without it.
    grid->AddButton(2, 2, 40, 16, "b", haLeft, vaTop);
    grid->AddMarker(2, 2, 1, 4);
    EXPECT_EQ(grid->GetCellType(2, 2), ctButton);
    grid->RemoveMarker(2, 2);
    int from = -1, len = -1;
    grid->GetMarker(2, 2, from, len);
    EXPECT_EQ(grid->GetCellType(2, 2), ctButton);
    EXPECT_EQ(from + len, 0);
    // A balloon joins only a check box or radio button.
    grid->AddBalloon(1, 1, "t", "x", biInfo);
    EXPECT_EQ(grid->GetBitmap(1, 1), &bitmap);
    grid->AddCheckBox(3, 3, false, false);
    const int owned = TCellGraphic::OwnedObjectCount();
    grid->AddBalloon(3, 3, "t", "x", biInfo);
    grid->AddBalloon(3, 3, "t2", "x2", biError);  // replaces the first list
    EXPECT_EQ(TCellGraphic::OwnedObjectCount(), owned + 1);
    String title, text;
    TBalloonIcon balloonIcon = biNone;
    EXPECT_TRUE(grid->IsBalloon(3, 3, title, text, balloonIcon));
    EXPECT_EQ(title, "t2");
    EXPECT_TRUE(grid->HasCheckBox(3, 3));
    EXPECT_FALSE(grid->HasBalloon(3, 3));
    grid->RemoveBalloon(3, 3);
    EXPECT_EQ(TCellGraphic::OwnedObjectCount(), owned);
    EXPECT_TRUE(grid->HasCheckBox(3, 3));
    // A created bitmap handed in again stays owned, now by the new graphic.
    TBitmap* made = grid->CreateBitmap(4, 4, false, haLeft, vaTop);
    grid->AddBitmap(4, 4, made, true, haRight, vaTop);
    EXPECT_TRUE(grid->GetCellGraphic(4, 4)->CellCreated);
    EXPECT_EQ(made->Width(), 0);
    // SetRotated keeps the graphic and frees what the old kind owned.
    grid->CreateBitButton(4, 5, 10, 10, "x", haLeft, vaTop);
    grid->SetRotated(4, 5, 450);
    int angle = 0;
    EXPECT_TRUE(grid->IsRotated(4, 5, angle));
    EXPECT_EQ(angle, 90);
    // Empty queries.
    EXPECT_EQ(grid->GetShapeColor(0, 5), clNone);
    EXPECT_EQ(grid->GetScrollProp(0, 5).PageSize, -1);
    EXPECT_EQ(grid->GetScrollProp(0, 5).Range, -1);
    EXPECT_EQ(grid->GetScrollPosition(0, 5), -1);
    EXPECT_EQ(grid->GetRadioStrings(0, 5), nullptr);
    EXPECT_FALSE(grid->SetRadioIdx(0, 5, 1));
    // Image-index cells need an image list.
    grid->AddImageIdx(0, 4, 1, haLeft, vaTop);
    grid->AddMultiImage(0, 4, 0, haLeft, vaTop);
    grid->AddDataImage(0, 4, 1, haLeft, vaTop);
    int idx = 0;
    EXPECT_FALSE(grid->GetImageIdx(0, 4, idx));
    EXPECT_EQ(grid->GetCellGraphic(0, 4), nullptr);
    // RemoveAll walks every visible cell.
    grid->AddComment(0, 1, "a");
    grid->AddComment(4, 1, "b");
    grid->AddButton(0, 2, 1, 1, "", haLeft, vaTop);
    grid->RemoveAllComments();
    grid->RemoveAllButtons();
    grid->RemoveAllMarkers();
    EXPECT_EQ(grid->GetCellType(0, 1), ctEmpty);
    EXPECT_EQ(grid->GetCellType(4, 1), ctEmpty);
    EXPECT_EQ(grid->GetCellType(0, 2), ctEmpty);
    EXPECT_EQ(grid->GetCellType(1, 1), ctBitmap);
    // An image list that goes away is dropped.
    {
      TImageList gone(nullptr);
      grid->SetGridImages(&gone);
    }
    EXPECT_EQ(grid->GridImages(), nullptr);
  }
  EXPECT_EQ(LiveCounts(), before);
}

TEST(CellAttributes, RadioGroupIndexAndCycling) {
  auto grid = MakeGrid(4, 4);
  grid->SetOptions(grid->Options() + goEditing);
  TStrings* items = grid->CreateRadio(1, 1, 1, 2);
  items->Add("A");
  items->Add("B");
  items->Add("C");
  TCellGraphic* g = grid->GetCellGraphic(1, 1);
  EXPECT_TRUE(g->CellBoolean);  // horizontal
  EXPECT_FALSE(grid->CycleRadioGroup(1, 1, true));
  EXPECT_EQ(g->CellIndex, 0);  // 2 + 1 wraps
  EXPECT_EQ(grid->Cells(1, 1), "A");
  EXPECT_EQ(g->CellVar, Variant(0));
  // Below 0 the choice is the cell text's position: -1 takes the new index.
  g->CellIndex = -1;
  grid->SetCells(1, 1, "B");
  grid->CycleRadioGroup(1, 1, false);
  EXPECT_EQ(g->CellIndex, 2);
  EXPECT_EQ(grid->Cells(1, 1), "C");
  // Below -1 the group stays text-driven.
  g->CellIndex = -2;
  grid->CycleRadioGroup(1, 1, false);
  EXPECT_EQ(g->CellIndex, -2);
  EXPECT_EQ(grid->Cells(1, 1), "A");
  grid->SetCells(1, 1, "not an option");
  grid->CycleRadioGroup(1, 1, false);
  EXPECT_EQ(grid->Cells(1, 1), "A");
  // A cell that cannot be edited keeps its choice unless radio buttons are always active.
  grid->SetOptions(grid->Options() - goEditing);
  grid->CycleRadioGroup(1, 1, true);
  EXPECT_EQ(grid->Cells(1, 1), "A");
  grid->ControlLook()->SetRadioAlwaysActive(true);
  grid->CycleRadioGroup(1, 1, true);
  EXPECT_EQ(grid->Cells(1, 1), "B");
  // -1 clears the text and chooses nothing.
  EXPECT_TRUE(grid->SetRadioIdx(1, 1, -1));
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(g->CellIndex, -1);
  // A group without options stays as it is.
  grid->CreateRadio(2, 2, 0, 0);
  grid->SetCells(2, 2, "x");
  grid->CycleRadioGroup(2, 2, false);
  EXPECT_EQ(grid->Cells(2, 2), "x");
}

TEST(CellAttributes, ButtonRectangleFromWhereThePainterPutIt) {
  auto grid = MakeGrid(5, 6);
  grid->AddButton(2, 1, 40, 16, "b", haLeft, vaTop);
  TCellGraphic* g = grid->GetCellGraphic(2, 1);
  g->CellValue = 3 * 65536 + 5;  // the painter's offset: x 5, y 3
  const TRect cell = grid->CellRect(2, 1);
  ASSERT_GT(cell.Width(), 0);
  EXPECT_EQ(grid->GetCellButtonRect(2, 1), TRect(cell.Left + 5, cell.Top + 3, cell.Left + 45, cell.Top + 19));
  g->CellHAlign = haFull;
  g->CellVAlign = vaFull;
  EXPECT_EQ(grid->GetCellButtonRect(2, 1), cell);
  // The display column is read in its real column.
  grid->HideColumn(1);
  EXPECT_EQ(grid->GetCellButtonRect(1, 1), grid->CellRect(1, 1));
  EXPECT_EQ(grid->GetCellButtonRect(3, 3), TRect(0, 0, 0, 0));
}

TEST(CellAttributes, GraphicSizeOnScreenAndScaled) {
  auto grid = MakeGrid(5, 6);
  TBitmap bitmap(24, 12);
  grid->SetColWidths(1, 100);
  grid->SetRowHeights(1, 30);
  struct Case {
    const char* name;
    TCellHAlign hal;
    TCellVAlign val;
    const char* text;
    TPoint size;
  };
  const Case cases[] = {
      {"beside text", haBeforeText, vaTop, "t", {24, 0}},
      {"left of text", haLeft, vaTop, "t", {0, 0}},
      {"under text", haLeft, vaUnderText, "t", {0, 12}},
      {"no text", haLeft, vaTop, "", {24, 12}},
      {"full", haFull, vaFull, "t", {100, 30}},
  };
  for (const Case& c : cases) {
    grid->AddBitmap(1, 1, &bitmap, false, c.hal, c.val);
    grid->SetCells(1, 1, c.text);
    EXPECT_EQ(grid->GetCellGraphicSize(1, 1), c.size) << c.name;
    EXPECT_EQ(grid->GetCellGraphicSizeScaled(1, 1, 2.0, 100, 30), Point(24, 12)) << c.name;
  }
  grid->AddCheckBox(1, 1, true, false);
  EXPECT_EQ(grid->GetCellGraphicSize(1, 1), Point(15, 15));
  grid->AddRadioButton(1, 1, true);
  EXPECT_EQ(grid->GetCellGraphicSize(1, 1), Point(10, 10));
  grid->AddButton(1, 1, 40, 16, "Caption", haCenter, vaTop);
  grid->SetCells(1, 1, "t");
  EXPECT_EQ(grid->GetCellGraphicSize(1, 1), Point(0, 0));
  EXPECT_EQ(grid->GetCellGraphicSizeScaled(1, 1, 1.0, 100, 30), Point(40, 16));
  grid->AddShape(1, 1, csSquare, 0, 0, haLeft, vaTop);
  EXPECT_EQ(grid->GetCellGraphicSizeScaled(1, 1, 1.0, 100, 30), Point(26, 26));
  auto picture = PictureOf(100, 50);
  grid->AddPicture(1, 1, picture.get(), false, StretchWithAspectRatio, 0, haLeft, vaTop);
  EXPECT_EQ(grid->GetCellGraphicSizeScaled(1, 1, 2.0, 50, 50), Point(25, 12));  // 12.5 to even
  EXPECT_EQ(grid->GetCellGraphicSize(3, 3), Point(0, 0));
  TSizedDrawer empty(0, 0);
  grid->AddInterfacedCell(1, 1, &empty);
  EXPECT_EQ(grid->GetCellGraphicSizeScaled(1, 1, 1.0, 70, 20), Point(70, 20));
}

TEST(CellAttributes, AutosizingMakesRoomForGraphics) {
  auto grid = MakeGrid(4, 4);
  grid->SetCells(1, 1, "some text");
  grid->AutoSizeCol(1);
  const int textOnly = grid->ColWidths(1);
  TBitmap bitmap(30, 40);
  grid->AddBitmap(1, 1, &bitmap, false, haBeforeText, vaTop);
  grid->AutoSizeCol(1);
  EXPECT_EQ(grid->ColWidths(1), textOnly + 30);
  grid->AutoSizeRow(1);
  const int besideText = grid->RowHeights(1);
  grid->AddBitmap(1, 1, &bitmap, false, haLeft, vaUnderText);
  grid->AutoSizeRow(1);
  EXPECT_EQ(grid->RowHeights(1), besideText + 40);
}

TEST(CellAttributes, AutoRangeScrollBarFollowsTheText) {
  auto grid = MakeGrid(4, 4);
  grid->SetRowHeights(1, 20);
  grid->SetCells(1, 1, "one");
  grid->AddScrollBar(1, 1, true);
  const TScrollProp one = grid->GetScrollProp(1, 1);
  EXPECT_EQ(one.PageSize, 20);
  EXPECT_GT(one.Range, 0);
  grid->SetCells(1, 1, "one\ntwo\nthree");
  EXPECT_EQ(grid->GetScrollProp(1, 1).Range, 3 * one.Range);
  grid->AddScrollBar(2, 1, false);
  grid->SetCells(2, 1, "a\nb");
  EXPECT_EQ(grid->GetScrollProp(2, 1).Range, 100);
}

}  // namespace
