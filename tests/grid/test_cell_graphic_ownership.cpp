// Ownership of cell graphics under random editing: adding and removing graphics of every
// kind, deleting, inserting, moving, hiding and clearing rows and columns. Every graphic the
// grid made, and every object a graphic made, is freed exactly once; the objects the test
// hands in are never freed by the grid. The test counts live graphics and owned objects
// itself, so it catches leaks also where the leak checker is switched off; double frees and
// uses after free show under AddressSanitizer.
#include <gtest/gtest.h>

#include <random>
#include <unordered_set>

#include "RivGridFixture.h"
#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/InterfacedPersistent.h"
#include "classlib/Picture.h"
#include "classlib/StringList.h"

using namespace rivgrid;

namespace {

class TOwnershipGrid : public TGrid {
 public:
  using TGrid::TGrid;
  using TRivErodovOzar::StoredExtent;

  // Every graphic the grid holds, in its cells, beyond its counts and in its hidden rows.
  std::unordered_set<TCellGraphic*> HeldGraphics() const {
    std::unordered_set<TCellGraphic*> held;
    auto take = [&](TObject* Slot) {
      if (auto* graphic = dynamic_cast<TCellGraphic*>(PropertiesGraphic(static_cast<TCellProperties*>(Slot))))
        held.insert(graphic);
    };
    int cols = 0, rows = 0;
    StoredExtent(cols, rows);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) take(GetRawCellObject(c, r));
    for (int i = 0; i < HiddenRowStore().Count(); ++i)
      for (TObject* slot : HiddenRowStore().Items(i)->Cells().Objects) take(slot);
    return held;
  }
};

class TPlainObject : public TInterfacedPersistent {};

struct Counts {
  int graphics = TCellGraphic::LiveCount();
  int owned = TCellGraphic::OwnedObjectCount();
};

TEST(CellGraphicOwnership, RandomEditsFreeEveryGraphicAndOwnedObjectOnce) {
  const Counts before;
  // The test's own objects, handed to cells by the Add operations.
  TBitmap bitmap(5, 5), glyph(6, 6);
  TIcon icon;
  TPicture picture;
  TFilePicture filePicture;
  TStringList options;
  options.Add("a");
  options.Add("b");
  TPlainObject object;
  TImageList images(nullptr);
  std::mt19937 rng(35);
  auto pick = [&](int From, int To) { return std::uniform_int_distribution<int>(From, To)(rng); };
  {
    std::unique_ptr<TOwnershipGrid> grid(New<TOwnershipGrid>(nullptr));
    grid->SetColCount(6);
    grid->SetRowCount(12);
    grid->SetGridImages(&images);
    // The grid's own shared graphic of row check boxes stands in no cell.
    const int ownGraphics = TCellGraphic::LiveCount() - before.graphics;
    for (int step = 0; step < 10000; ++step) {
      const int c = pick(0, grid->AllColCount() - 1);
      const int r = pick(0, grid->RowCount() - 1);
      const int op = pick(0, 39);
      switch (op) {
        case 0: grid->AddBitmap(c, r, &bitmap, true, haLeft, vaTop); break;
        case 1: grid->CreateBitmap(c, r, false, haLeft, vaTop); break;
        case 2: grid->AddPicture(c, r, &picture, false, Stretch, 0, haLeft, vaTop); break;
        case 3: grid->CreatePicture(c, r, false, Shrink, 1, haLeft, vaTop); break;
        case 4: grid->AddFilePicture(c, r, &filePicture, false, noStretch, 0, haLeft, vaTop); break;
        case 5: grid->CreateFilePicture(c, r, false, noStretch, 0, haLeft, vaTop); break;
        case 6: grid->AddIcon(c, r, &icon, haLeft, vaTop); break;
        case 7: grid->CreateIcon(c, r, haLeft, vaTop); break;
        case 8: grid->AddRadio(c, r, 0, 0, &options); break;
        case 9: grid->CreateRadio(c, r, 1, -1)->Add("x"); break;
        case 10: grid->AddMultiImage(c, r, 0, haLeft, vaTop); break;
        case 11: grid->AddBalloon(c, r, "t", "x", biInfo); break;
        case 12: grid->AddBitButton(c, r, 20, 10, "b", &glyph, haLeft, vaTop); break;
        case 13: grid->CreateBitButton(c, r, 20, 10, "b", haLeft, vaTop); break;
        case 14: grid->AddCheckBox(c, r, pick(0, 1) == 1, pick(0, 1) == 1); break;
        case 15: grid->AddRadioButton(c, r, true); break;
        case 16: grid->AddComment(c, r, "c"); break;
        case 17: grid->AddInterfacedCell(c, r, &object); break;
        case 18: grid->AddMarker(c, r, 1, 1); break;
        case 19: grid->SetRotated(c, r, static_cast<int16_t>(pick(-400, 400))); break;
        case 20: grid->AddProgress(c, r, 0, 0xFFFFFF); break;
        case 21: grid->AddRating(c, r, 3, 0, 0); break;
        case 22:
          switch (pick(0, 9)) {
            case 0: grid->RemoveBitmap(c, r); break;
            case 1: grid->RemovePicture(c, r); break;
            case 2: grid->RemoveIcon(c, r); break;
            case 3: grid->RemoveRadio(c, r); break;
            case 4: grid->RemoveMultiImage(c, r); break;
            case 5: grid->RemoveBalloon(c, r); break;
            case 6: grid->RemoveButton(c, r); break;
            case 7: grid->RemoveCheckBox(c, r); break;
            case 8: grid->RemoveMarker(c, r); break;
            default: grid->RemoveCellGraphic(c, r); break;
          }
          break;
        case 23: case 24: grid->RemoveRows(r, pick(1, 2)); break;
        case 25: grid->RemoveRowsEx(r, 1); break;
        case 26: if (grid->RowCount() < 20) grid->InsertRows(r, pick(1, 2)); break;
        case 27: grid->ClearRect(c, r, std::min(c + 1, grid->AllColCount() - 1), std::min(r + 2, grid->RowCount() - 1)); break;
        case 28: if (pick(0, 9) == 0) grid->Clear(); else grid->ClearRows(r, 1); break;
        case 29: if (r >= grid->FixedRows() && grid->NumHiddenRows() < 4) grid->HideRow(grid->RealRowIndex(r)); break;
        case 30: grid->UnHideRowsAll(); break;
        case 31: if (grid->AllColCount() > 3) grid->RemoveCols(c, 1); break;
        case 32: if (grid->AllColCount() < 10) grid->InsertCols(c, 1); break;
        case 33: grid->MoveColumn(pick(0, grid->ColCount() - 1), pick(0, grid->ColCount() - 1)); break;
        case 34: grid->SwapRows(r, pick(0, grid->RowCount() - 1)); break;
        case 35: grid->MoveRow(r, pick(0, grid->RowCount() - 1)); break;
        case 36: grid->SetRowCount(pick(3, 16)); break;
        case 37: grid->RemoveCheckedRows(c, pick(0, 1) == 1); break;
        case 38: if (grid->NumHiddenColumns() == 0 && c > 0) grid->HideColumn(c); else grid->UnHideColumnsAll(); break;
        default: grid->ClearSelection(); break;
      }
      // After every edit, every live graphic is one the grid holds, and every owned object
      // belongs to one of them.
      const std::unordered_set<TCellGraphic*> held = grid->HeldGraphics();
      int owned = 0;
      for (const TCellGraphic* g : held) owned += (g->OwnsBitmapObject() ? 1 : 0) + (g->OwnsIcon() ? 1 : 0);
      ASSERT_EQ(TCellGraphic::LiveCount() - before.graphics - ownGraphics, static_cast<int>(held.size()))
          << "step " << step << " op " << op;
      ASSERT_EQ(TCellGraphic::OwnedObjectCount() - before.owned, owned) << "step " << step << " op " << op;
    }
    grid->SetGridImages(nullptr);
  }
  EXPECT_EQ(TCellGraphic::LiveCount(), before.graphics);
  EXPECT_EQ(TCellGraphic::OwnedObjectCount(), before.owned);
  // The test's objects are alive and whole.
  EXPECT_EQ(bitmap.Width() + glyph.Width(), 11);
  EXPECT_EQ(options.Count(), 2);
  EXPECT_TRUE(icon.Empty() && picture.Width() == 0 && filePicture.Filename().empty());
}

}  // namespace
