#include "grid/print/GridPrintPreview.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

TGridPrintPreview::TGridPrintPreview(TComponent* AOwner, TRivErodovOzar* AGrid) : TForm(AOwner), FGrid(AGrid) {
  SetCaption("Print preview");
  SetBounds(100, 60, 560, 760);
  KeyPreview = true;
  ButtonPanel = New<TPanel>(this);
  ButtonPanel->SetParent(this);
  ButtonPanel->SetHeight(40);
  ButtonPanel->SetAlign(alBottom);
  auto button = [&](const String& Caption, int Left, TNotifyEvent Click) {
    TButton* b = New<TButton>(this);
    b->SetParent(ButtonPanel);
    b->SetBounds(Left, 8, 75, 25);
    b->SetCaption(Caption);
    b->OnClick = std::move(Click);
    return b;
  };
  PrevButton = button("< &Previous", 8, [this](TObject*) { ShowPage(FPage - 1); });
  NextButton = button("&Next >", 88, [this](TObject*) { ShowPage(FPage + 1); });
  PrintButton = button("&Print", 300, [this](TObject*) { FGrid->Print(); });
  CloseButton = button("&Close", 380, [this](TObject*) { Close(); });
  PageLabel = New<TLabel>(this);
  PageLabel->SetParent(ButtonPanel);
  PageLabel->SetBounds(172, 13, 120, 16);
  PagePaper = New<TGridPreviewPage>(this);
  PagePaper->SetParent(this);
  PagePaper->SetAlign(alClient);
  PagePaper->SetColor(clWhite);
  // The page takes the keys: Page Down and Page Up turn pages, Escape closes.
  PagePaper->TabStop = true;
  SetActiveControl(PagePaper);
  ShowPage(1);
}

void TGridPrintPreview::Render() {
  TBitmap* picture = PagePaper->Picture();
  const int w = std::max(1, PagePaper->Width()), h = std::max(1, PagePaper->Height());
  picture->SetSize(w, h);
  TCanvas* canvas = picture->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(TRect{0, 0, w, h});
  FGrid->SetPreviewPage(FPage);
  FGrid->PrintPreview(canvas, TRect{0, 0, w, h});
  FPageCount = std::max(1, FGrid->PrintNrOfPages());
}

void TGridPrintPreview::ShowPage(int Value) {
  FPage = std::max(1, Value);
  Render();
  if (FPage > FPageCount) {
    FPage = FPageCount;
    Render();
  }
  PageLabel->SetCaption("Page " + IntToStr(FPage) + " of " + IntToStr(FPageCount));
  PrevButton->SetEnabled(FPage > 1);
  NextButton->SetEnabled(FPage < FPageCount);
  PagePaper->Invalidate();
}

void TGridPrintPreview::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_NEXT) ShowPage(FPage + 1);
  else if (Key == VK_PRIOR) ShowPage(FPage - 1);
  else if (Key == VK_ESCAPE) Close();
  else TForm::KeyDown(Key, Shift);
}

void TGridPreviewPage::Paint() { Canvas()->Draw(0, 0, &FPicture); }

void TGridPreviewPage::Resize() {
  TCustomControl::Resize();
  if (FPreview != nullptr && FPreview->PagePaper == this) FPreview->ShowPage(FPreview->Page());
}
