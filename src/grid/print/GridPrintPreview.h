// The print preview window: one page of a grid's print job at a time, as the printer would
// print it, with buttons to page through the job, print it and close.
#pragma once

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TRivErodovOzar;
class TGridPreviewPage;

class TGridPrintPreview : public TForm {
 public:
  TGridPrintPreview(TComponent* AOwner, TRivErodovOzar* AGrid);

  // Shows page Value of the job (kept inside 1 .. the page count).
  void ShowPage(int Value);
  int Page() const { return FPage; }
  int PageCount() const { return FPageCount; }

  TPanel* ButtonPanel = nullptr;
  TButton* PrevButton = nullptr;
  TButton* NextButton = nullptr;
  TButton* PrintButton = nullptr;
  TButton* CloseButton = nullptr;
  TLabel* PageLabel = nullptr;
  TGridPreviewPage* PagePaper = nullptr;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  friend class TGridPreviewPage;
  // Draws the page into the paper's picture, as big as the paper is.
  void Render();
  TRivErodovOzar* FGrid;
  int FPage = 1;
  int FPageCount = 1;
};

// The paper the page is shown on (owned by its preview window).
class TGridPreviewPage : public TCustomControl {
 public:
  explicit TGridPreviewPage(TComponent* AOwner)
      : TCustomControl(AOwner), FPreview(dynamic_cast<TGridPrintPreview*>(AOwner)) {}
  TBitmap* Picture() { return &FPicture; }

 protected:
  void Paint() override;
  void Resize() override;

 private:
  TGridPrintPreview* FPreview;
  TBitmap FPicture;
};
