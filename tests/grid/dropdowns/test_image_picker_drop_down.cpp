// The image picker drop-down: choosing by index, image index and keys (closed and open), items
// read from a folder, and the chosen picture painted in the edit.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivImagePickerDropDown.h"

namespace {

struct ImagePickerFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivImagePickerDropDown* picker = nullptr;
  int changes = 0, selects = 0;
  void SetUp() override {
    form->SetBounds(100, 100, 400, 300);
    picker = New<TRivImagePickerDropDown>(form.get());
    picker->SetParent(form.get());
    picker->SetBounds(10, 10, 120, 30);
    for (int i = 0; i < 6; ++i) {
      TImageItem* item = picker->Items()->Add();
      item->SetCaption(String(1, static_cast<char>('A' + i)) + "item");
      item->SetImageIndex(10 + i);
    }
    picker->OnChange = [this](TObject*) { ++changes; };
    picker->OnSelect = [this](TObject*) { ++selects; };
    form->Show();
    picker->SetFocus();
  }
};

TEST_F(ImagePickerFixture, TheChoiceByIndexAndByImageIndex) {
  picker->SetItemIndex(2);
  EXPECT_EQ(picker->ImageIndex(), 12);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(selects, 1);
  picker->SetItemIndex(2);
  EXPECT_EQ(selects, 1) << "the same choice again fires nothing";
  picker->SetItemIndex(6);
  EXPECT_EQ(picker->ItemIndex(), 2) << "beyond the items: ignored";
  picker->SetImageIndex(14);
  EXPECT_EQ(picker->ItemIndex(), 4);
  picker->SetImageIndex(5);
  EXPECT_EQ(picker->ItemIndex(), -1);
}

TEST_F(ImagePickerFixture, KeysMoveTheChoiceClosedAndOpen) {
  picker->Columns = 2;
  KeyInput(picker, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(picker->ItemIndex(), 0);
  KeyInput(picker, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(picker->ItemIndex(), 1);
  EXPECT_EQ(selects, 2);
  picker->ShowDropDown();
  ASSERT_TRUE(picker->DropDownForm()->Visible());
  KeyInput(picker, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(picker->ItemIndex(), 3) << "a row of Columns items down";
  EXPECT_TRUE(picker->DropDownForm()->Visible());
  KeyInput(picker, WM_KEYDOWN, 'E');
  EXPECT_EQ(picker->ItemIndex(), 4) << "typed letters look the caption up";
  picker->HideDropDown(true);
  EXPECT_EQ(picker->ItemIndex(), 1) << "cancel puts the choice from the opening back";
}

TEST_F(ImagePickerFixture, AFolderGivesOneItemPerFileAndSkipsFolders) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("imagepicker_" + std::to_string(::getpid()));
  fs::create_directories(dir / "sub.bmp");
  TBitmap good(4, 3);
  good.SaveToFile((dir / "a.bmp").string());
  std::ofstream((dir / "b.bmp").string()) << "not a picture";
  picker->Items()->Clear();
  picker->AddImagesFromFolder((dir / "*.bmp").string(), true);
  ASSERT_EQ(picker->Items()->Count(), 2);
  EXPECT_EQ(picker->Items()->Items(0)->Caption(), "a.bmp");
  EXPECT_EQ(picker->Items()->Items(0)->Image()->Width(), 4);
  EXPECT_EQ(picker->Items()->Items(1)->Caption(), "") << "a file that does not load has no caption";
  EXPECT_EQ(picker->Items()->Items(1)->Image()->Graphic(), nullptr);
  fs::remove_all(dir);
}

TEST_F(ImagePickerFixture, TheEditShowsTheChosenPictureCentred) {
  TBitmap red(6, 6);
  red.Canvas()->Brush()->SetColor(0x0000FF);
  red.Canvas()->FillRect(Rect(0, 0, 6, 6));
  picker->Items()->Items(1)->Image()->Assign(&red);
  picker->SetItemIndex(1);
  TBitmap shown(120, 30);
  picker->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shown.Canvas()), 0);
  const TRect area = picker->EditRect();
  const int cx = area.Left + area.Width() / 2, cy = area.Top + area.Height() / 2;
  EXPECT_EQ(shown.Canvas()->Pixel(cx, cy), 0x0000FF);
}

}  // namespace
