#include "analysis/species_diversity/AbundancelevelsOptions.h"

#include "analysis/species_diversity/SpeciesDiversityLevels.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

TAbundanceLevelsOpts* AbundanceLevelsOpts = nullptr;

TAbundanceLevelsOpts::TAbundanceLevelsOpts(TComponent* AOwner) : TForm(AOwner) {
  SetName("AbundanceLevelsOpts");
  SetCaption("Zorvan Professional: Abundance Levels");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 260, 320);

  Memo1 = New<TMemo>(this);
  Memo1->SetName("Memo1");
  Memo1->SetBounds(12, 12, 140, 260);
  Memo1->SetWordWrap(false);
  Memo1->SetScrollBars(ssVertical);
  Memo1->Lines()->SetText("10\r\n20");
  Memo1->SetParent(this);

  OKButton = New<TButton>(this);
  OKButton->SetName("OKButton");
  OKButton->SetCaption("&OK");
  OKButton->SetBounds(164, 12, 80, 25);
  OKButton->SetParent(this);
  OKButton->OnClick = [this](TObject* s) { OKButtonClick(s); };

  CancelButton = New<TButton>(this);
  CancelButton->SetName("CancelButton");
  CancelButton->SetCaption("&Cancel");
  CancelButton->Cancel = true;
  CancelButton->SetBounds(164, 46, 80, 25);
  CancelButton->SetParent(this);
  CancelButton->OnClick = [this](TObject* s) { CancelButtonClick(s); };

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TAbundanceLevelsOpts::FormShow(TObject*) { SavedText = Memo1->Lines()->Text(); }

bool TAbundanceLevelsOpts::TestUserDefined() {
  std::vector<std::string> lines;
  for (int i = 0; i < Memo1->Lines()->Count(); ++i) lines.push_back(Memo1->Lines()->Strings(i));
  const int32_t failing = FirstLevelNotPositive(lines);
  if (failing == 0) return true;
  ShowMessage("Abundance levels must be > 0 \r\nerror line: " + IntToStr(failing));
  return false;
}

void TAbundanceLevelsOpts::OKButtonClick(TObject*) {
  // The editor closes whether or not a line failed; the run raises levels below 1 to 1.
  TestUserDefined();
  Close();
}

void TAbundanceLevelsOpts::CancelButtonClick(TObject*) {
  Memo1->Lines()->SetText(SavedText);
  Close();
}
