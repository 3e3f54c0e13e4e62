// The grid's support objects: integer lists and their change events, the sort-column list and
// its text form, embedded-control lists, file pictures and line-by-line string lists; and the
// class library's pointer list under them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "grid/base/RivObj.h"

namespace {

// Records the notifications a list sends.
struct TRecordingList : TList {
  std::vector<std::pair<void*, TListNotification>> log;
  void Notify(void* Ptr, TListNotification Action) override { log.push_back({Ptr, Action}); }
};

TEST(PointerList, KeepsOrderAndNotifies) {
  int a = 1, b = 2, c = 3;
  TRecordingList list;
  list.Add(&a);
  list.Add(&c);
  list.Insert(1, &b);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(1), &b);
  EXPECT_EQ(list.IndexOf(&c), 2);
  list.Move(2, 0);
  EXPECT_EQ(list.First(), &c);
  list.Exchange(0, 2);
  EXPECT_EQ(list.Last(), &c);
  EXPECT_EQ(list.Extract(&b), &b);
  EXPECT_EQ(list.Remove(&b), -1);
  EXPECT_EQ(list.Remove(&a), 0);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  const std::vector<std::pair<void*, TListNotification>> expected = {
      {&a, lnAdded}, {&c, lnAdded}, {&b, lnAdded}, {&b, lnExtracted}, {&a, lnDeleted}, {&c, lnDeleted}};
  EXPECT_EQ(list.log, expected);
  EXPECT_THROW(list.Get(0), EListError);
  EXPECT_THROW(list.Insert(1, &a), EListError);
}

struct ChangeLog {
  int count = 0;
  int col = -2, row = -2;
  TImageChangeEvent Handler() {
    return [this](TObject*, int c, int r) {
      ++count;
      col = c;
      row = r;
    };
  }
};

TEST(IntList, ChangesFireWithTheTagsExceptInsert) {
  TIntList list(4, 7);
  ChangeLog log;
  list.OnChange = log.Handler();
  list.Add(3);
  list.Add(1);
  EXPECT_EQ(log.count, 2);
  EXPECT_EQ(log.col, 4);
  EXPECT_EQ(log.row, 7);
  list.Insert(1, 0);  // no event
  EXPECT_EQ(log.count, 2);
  list.PutItem(1, 2);
  EXPECT_EQ(log.count, 3);
  EXPECT_EQ(list.StrValue(), "3,2,1");
  list.DeleteValue(9);  // absent: nothing
  EXPECT_EQ(log.count, 3);
  list.DeleteValue(2);
  EXPECT_EQ(log.count, 4);
  EXPECT_TRUE(list.HasValue(1));
  EXPECT_FALSE(list.HasValue(2));
  list.Add(0);  // zero and negative values are items like any other
  list.Add(-5);
  EXPECT_EQ(list.StrValue(), "3,1,0,-5");

  log.count = 0;
  list.SetStrValue("7, 8");
  EXPECT_EQ(list.StrValue(), "7,8");
  EXPECT_EQ(log.count, 2);  // one per item, none for emptying
  EXPECT_THROW(list.SetStrValue("1,x,2"), EConvertError);
  EXPECT_EQ(list.StrValue(), "1");
  list.SetStrValue("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.StrValue(), "");
}

TEST(SortIndexList, DirectionsAndTextForm) {
  TSortIndexList list;
  ChangeLog log;
  list.OnChange = log.Handler();
  list.AddIndex(4, false);
  EXPECT_EQ(static_cast<unsigned>(list.GetItem(0)), 0x80000004u);
  EXPECT_EQ(list.FindIndex(4), 0);
  EXPECT_EQ(list.ColumnAt(0), 4);
  list.ToggleIndex(4);
  EXPECT_EQ(list.GetItem(0), 4);
  EXPECT_EQ(log.count, 2);
  list.ToggleIndex(9);  // absent: nothing
  EXPECT_EQ(log.count, 2);
  EXPECT_EQ(list.FindIndex(9), -1);

  list.LoadFromString("u2;d0");
  EXPECT_EQ(list.SaveToString(), "u2;d0");
  list.LoadFromString("u2;x;d0");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ColumnAt(0), 2);
  EXPECT_TRUE(list.AscendingAt(0));
  EXPECT_EQ(list.ColumnAt(1), 0);
  EXPECT_FALSE(list.AscendingAt(1));
  list.LoadFromString("q5");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.ColumnAt(0), 5);
  EXPECT_FALSE(list.AscendingAt(0));
  list.LoadFromString("u12abc;");
  EXPECT_EQ(list.SaveToString(), "u12");
}

TEST(ControlList, FindsAndRemovesItemsButLeavesControls) {
  std::unique_ptr<TEdit> edit(New<TEdit>(nullptr));
  std::unique_ptr<TEdit> other(New<TEdit>(nullptr));
  {
    TControlList list;
    list.AddControl(2, 3, edit.get());
    list.AddControl(5, 1, other.get());
    EXPECT_EQ(list.ControlIndex(5, 1), 1);
    EXPECT_EQ(list.ControlIndex(1, 5), -1);
    EXPECT_EQ(list.ControlAt(0)->Control(), edit.get());
    EXPECT_TRUE(list.HasHandle(other->Handle()));
    EXPECT_FALSE(list.HasHandle(nullptr));
    list.RemoveControl(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.ControlIndex(5, 1), 0);
  }  // the list frees its remaining item; the controls live on
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(other->Text(), "");
}

TEST(FilePicture, SizeFromTheFileDrawnOnDemand) {
  auto dir = std::filesystem::temp_directory_path() / ("zorvan_filepicture_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const String file = (dir / "red.bmp").string();
  {
    TBitmap bmp(12, 8);
    bmp.SetPixelFormat(pf24bit);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(Rect(0, 0, 12, 8));
    std::ofstream(file, std::ios::binary) << bmp.SaveToBytes();
  }
  TFilePicture picture;
  TBitmap target(40, 40);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(Rect(0, 0, 40, 40));
  picture.DrawPicture(target.Canvas(), Rect(0, 0, 40, 40));  // no file name: nothing
  EXPECT_EQ(target.Canvas()->Pixel(20, 20), clWhite);

  picture.SetFilename(file);
  EXPECT_EQ(picture.Width(), 12);
  EXPECT_EQ(picture.Height(), 8);
  picture.DrawPicture(target.Canvas(), Rect(10, 10, 30, 30));
  EXPECT_EQ(target.Canvas()->Pixel(20, 20), clRed);
  EXPECT_EQ(target.Canvas()->Pixel(5, 5), clWhite);

  TFilePicture copy;
  copy.Assign(&picture);
  EXPECT_EQ(copy.Filename(), file);
  EXPECT_EQ(copy.Width(), 12);
  std::filesystem::remove_all(dir);
  // The file is read at every drawing: once it is gone, drawing fails.
  EXPECT_THROW(copy.DrawPicture(target.Canvas(), Rect(0, 0, 5, 5)), Exception);
}

TEST(FilePicture, MissingFileRaises) {
  TFilePicture picture;
  EXPECT_THROW(picture.SetFilename("/nonexistent/zorvan.bmp"), Exception);
}

TEST(FileStringList, ReadsAndWritesLineByLine) {
  TFileStringList list;
  EXPECT_TRUE(list.Eof());
  list.Write("a");
  list.Write("b");
  list.WriteLn("c");
  list.WriteLn("d");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Strings(0), "abc");
  list.Reset();
  String line;
  list.ReadLn(line);
  EXPECT_EQ(line, "abc");
  EXPECT_FALSE(list.Eof());
  list.ReadLn(line);
  EXPECT_EQ(line, "d");
  EXPECT_TRUE(list.Eof());
  EXPECT_THROW(list.ReadLn(line), EListError);
}

}  // namespace
