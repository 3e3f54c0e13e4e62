// Copy, cut and paste through the class library's clipboard, the smart paste and the keyboard
// shortcuts.
#include <gtest/gtest.h>

#include "classlib/Clipbrd.h"
#include "classlib/Messages.h"
#include "classlib/WinApi.h"
#include "grid/base/BaseGridUndoRedo.h"
#include "grid/model/RivErodovOzar.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

std::unique_ptr<TRivErodovOzar> EditGrid(int Cols, int Rows) {
  auto grid = MakeGrid(Cols, Rows);
  grid->SetOptions(grid->Options() + goEditing + goRangeSelect);
  return grid;
}

String Block(TRivErodovOzar& G, int L, int T, int R, int B) {
  String s;
  for (int r = T; r <= B; ++r) {
    for (int c = L; c <= R; ++c) s += G.Cells(c, r) + (c < R ? "," : "");
    s += r < B ? "/" : "";
  }
  return s;
}

TEST(ClipboardCopy, TextLayoutOfBlocksRowsAndMultiLineCells) {
  auto grid = EditGrid(4, 4);
  grid->SetCells(1, 1, "a");
  grid->SetCells(2, 1, "b");
  grid->SetCells(1, 2, "two\r\nlines");
  grid->SetCells(2, 2, "lone\rCR");
  grid->SelectCells(1, 1, 2, 2);
  grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "a\tb\r\n\"two\nlines\"\t\"lone\nCR\"\r\n");
  EXPECT_EQ(grid->ClipTopLeft().X, 1);
  EXPECT_EQ(grid->LastClipOperation(), coCopy);
  grid->SetCells(3, 3, "\"x\"\r\ny");
  grid->SelectCells(3, 3, 3, 3);
  grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "\"\"\"x\"\"\ny\"\t") << "quotes doubled inside a quoted cell";

  grid->SelectCells(1, 1, 3, 1);
  grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "a\tb\t\t") << "a one-row copy keeps the TAB after every cell";
}

TEST(ClipboardPaste, TextLandsCellForCellAndCounts) {
  auto source = EditGrid(4, 4);
  source->SetCells(1, 1, "x");
  source->SetCells(2, 1, "Ωμέγα");
  source->SetCells(1, 2, "two\r\nlines");
  source->SetCells(2, 2, "say \"hi\"\r\nthere");
  source->SelectCells(1, 1, 2, 2);
  source->CopySelectionToClipboard();

  auto target = EditGrid(5, 5);
  target->SelectCells(2, 2, 2, 2);
  int written = 0;
  target->OnClipboardAfterPasteCell = [&](TObject*, int, int, const String&) { ++written; };
  target->PasteSelectionFromClipboard();
  EXPECT_EQ(written, 4);
  EXPECT_EQ(target->Cells(3, 2), "Ωμέγα");
  EXPECT_EQ(target->Cells(2, 3), "two\r\nlines") << "the LF of a copied line break comes back as CR LF";
  EXPECT_EQ(target->Cells(3, 3), "say \"hi\"\r\nthere") << "quotes inside a multi-line cell";
  EXPECT_EQ(target->Cells(2, 2), "x");
}

TEST(ClipboardPaste, TextFromOtherProgramsWithLFLineEnds) {
  auto grid = EditGrid(4, 4);
  Clipboard()->SetAsText("1\t2\n3\t4\n");
  grid->SelectCells(1, 1, 1, 1);
  grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Block(*grid, 1, 1, 2, 2), "1,2/3,4");
  EXPECT_EQ(grid->Cells(1, 3), "") << "no extra blank line";
}

TEST(ClipboardPaste, GrowthRulesAndInsert) {
  auto grid = EditGrid(3, 3);
  Clipboard()->SetAsText("a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n");
  grid->SelectCells(1, 1, 1, 1);
  grid->PasteSelectionFromClipboard();
  EXPECT_EQ(grid->ColCount(), 4) << "one more column at a time";
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(Block(*grid, 1, 1, 3, 3), "a,b,c/d,e,f/g,h,i");

  auto fixedSize = EditGrid(3, 3);
  fixedSize->Navigation()->AllowClipboardColGrow = false;
  fixedSize->Navigation()->AllowClipboardRowGrow = false;
  fixedSize->SelectCells(1, 1, 1, 1);
  fixedSize->PasteSelectionFromClipboard();
  EXPECT_EQ(fixedSize->ColCount(), 3);
  EXPECT_EQ(fixedSize->RowCount(), 3);
  EXPECT_EQ(Block(*fixedSize, 1, 1, 2, 2), "a,b/d,e") << "what lies outside the grid is dropped";

  auto inserting = EditGrid(2, 4);
  inserting->Navigation()->ClipboardPasteAction = paInsert;
  inserting->SetCells(1, 1, "below");
  Clipboard()->SetAsText("1\r\n2\r\n3\r\n");
  inserting->SelectCells(1, 1, 1, 1);
  inserting->PasteSelectionFromClipboard();
  EXPECT_EQ(inserting->RowCount(), 7);
  EXPECT_EQ(Block(*inserting, 1, 1, 1, 4), "1/2/3/below");

  auto readOnly = MakeGrid(3, 3);
  readOnly->SelectCells(1, 1, 1, 1);
  readOnly->PasteSelectionFromClipboard();
  EXPECT_EQ(readOnly->Cells(1, 1), "") << "a grid without editing takes no paste";
  readOnly->Navigation()->AllowClipboardAlways = true;
  readOnly->PasteSelectionFromClipboard();
  EXPECT_EQ(readOnly->Cells(1, 1), "1");
}

TEST(ClipboardPaste, OwnFormatCarriesPropertiesAndGraphicsThroughCut) {
  auto grid = EditGrid(5, 5);
  grid->Navigation()->AllowFmtClipboard = true;
  grid->SetCells(1, 1, "text");
  grid->SetCellBackColor(1, 1, clLime);
  grid->AddCheckBox(2, 1, true, false);
  grid->SelectCells(1, 1, 2, 1);
  grid->CutSelectionToClipboard();
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->LastClipOperation(), coCut);
  grid->SelectCells(2, 3, 2, 3);
  grid->PasteSelectionFromClipboard();
  EXPECT_EQ(grid->Cells(2, 3), "text");
  EXPECT_EQ(grid->GetCellBackColor(2, 3), clLime);
  bool state = false;
  EXPECT_TRUE(grid->GetCheckBoxState(3, 3, state));
  EXPECT_TRUE(state);

  // A damaged block is refused before the grid grows for it.
  Clipboard()->SetAsFormat("TRivErodovOzar Cells", String("TPF0\x0BTGridPropIO\0\x08ColCount\x04\xFF\xFF\0\0", 29));
  grid->SelectCells(4, 4, 4, 4);
  EXPECT_THROW(grid->PasteSelectionFromClipboard(), EReadError);
  EXPECT_EQ(grid->ColCount(), 5);
  EXPECT_EQ(grid->RowCount(), 5);
}

TEST(ClipboardPaste, PasteAndCutAreOneUndoStepEach) {
  auto grid = EditGrid(4, 4);
  std::unique_ptr<TRivGridUndoRedo> undo(New<TRivGridUndoRedo>(nullptr));
  grid->SetUndoRedo(undo.get());
  grid->SetCells(1, 1, "old");
  Clipboard()->SetAsText("a\tb\r\nc\td\r\n");
  grid->SelectCells(1, 1, 1, 1);
  grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Block(*grid, 1, 1, 2, 2), "a,b/c,d");
  grid->SelectCells(1, 1, 2, 1);
  grid->CutSelectionToClipboard();
  EXPECT_EQ(Block(*grid, 1, 1, 2, 2), ",/c,d");
  undo->Undo();
  EXPECT_EQ(Block(*grid, 1, 1, 2, 2), "a,b/c,d");
  undo->Undo();
  EXPECT_EQ(Block(*grid, 1, 1, 2, 2), "old,/,");
  grid->SetUndoRedo(nullptr);
}

TEST(SmartPaste, FillsRepeatsAndContinuesSeries) {
  auto grid = EditGrid(6, 8);
  grid->Navigation()->AllowSmartClipboard = true;
  Clipboard()->SetAsText("v");
  grid->SelectCells(1, 1, 3, 4);
  grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Block(*grid, 1, 1, 3, 4), "v,v,v/v,v,v/v,v,v/v,v,v");

  struct Series {
    String first, second;
    std::vector<String> expected;
  };
  const std::vector<Series> cases = {
      {"1", "3", {"1", "3", "5", "7", "9", "11"}},
      {"1.5", "2", {"1.50", "2.00", "2.50", "3.00", "3.50", "4.00"}},
      {"2024-11-30", "2024-12-30", {"2024-11-30", "2024-12-30", "2025-01-30", "2025-02-28", "2025-03-30", "2025-04-30"}},
      {"2023-02-28", "2024-02-28", {"2023-02-28", "2024-02-28", "2025-02-28", "2026-02-28", "2027-02-28", "2028-02-28"}},
      {"10:00:00", "10:30:00", {"10:00:00", "10:30:00", "11:00:00", "11:30:00", "12:00:00", "12:30:00"}},
      {"ab", "cd", {"ab", "cd", "ab", "cd", "ab", "cd"}},
  };
  TFormatSettings saved = FormatSettings;
  FormatSettings.DateSeparator = '-';
  FormatSettings.ShortDateFormat = "yyyy/mm/dd";
  for (const Series& s : cases) {
    auto column = EditGrid(2, 8);
    column->Navigation()->AllowSmartClipboard = true;
    Clipboard()->SetAsText(s.first + "\r\n" + s.second + "\r\n");
    column->SelectCells(1, 1, 1, 6);
    column->PasteSelectionFromClipboard();
    for (int i = 0; i < 6; ++i) EXPECT_EQ(column->Cells(1, 1 + i), s.expected[static_cast<size_t>(i)]) << s.first << " " << i;
  }
  FormatSettings = saved;
}

TEST(ClipboardKeys, ShortcutsRunTheOperationsWhenAllowed) {
  auto grid = EditGrid(4, 4);
  grid->SetCells(1, 1, "k");
  grid->SelectCells(1, 1, 1, 1);
  grid->Perform(WM_KEYDOWN, 'C', 0);
  Clipboard()->SetAsText("untouched");
  grid->Navigation()->AllowClipboardShortCuts = true;
  SetKeyDown(VK_CONTROL, true);
  grid->Perform(WM_KEYDOWN, 'C', 0);
  EXPECT_EQ(Clipboard()->AsText(), "k\t");
  grid->SelectCells(2, 2, 2, 2);
  bool asked = false;
  grid->OnClipboardPaste = [&](TObject*, bool& Allow) {
    asked = true;
    Allow = false;
  };
  grid->Perform(WM_KEYDOWN, 'V', 0);
  EXPECT_TRUE(asked);
  EXPECT_EQ(grid->Cells(2, 2), "") << "a refused paste does nothing";
  grid->OnClipboardPaste = nullptr;
  grid->Perform(WM_KEYDOWN, 'V', 0);
  EXPECT_EQ(grid->Cells(2, 2), "k");
  SetKeyDown(VK_CONTROL, false);
  SetKeyDown(VK_SHIFT, true);
  grid->Perform(WM_KEYDOWN, VK_DELETE, 0);
  SetKeyDown(VK_SHIFT, false);
  EXPECT_EQ(grid->Cells(2, 2), "") << "Shift+Delete cuts";
  EXPECT_EQ(grid->RowCount(), 4);
}

}  // namespace
