#include "app/AboutZorvan.h"

#include "app/resources/Resources.h"
#include "classlib/Graphics.h"

TZorvanAbout* ZorvanAbout = nullptr;

TZorvanAbout::TZorvanAbout(TComponent* AOwner) : TForm(AOwner) {
  SetName("ZorvanAbout");
  SetCaption("Version 1.1v");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 420, 330);

  ProgramName = New<TLabel>(this);
  ProgramName->SetName("ProgramName");
  ProgramName->SetCaption("Zorvan Professional");
  ProgramName->Font()->SetName("Times New Roman");
  ProgramName->Font()->SetSize(24);
  ProgramName->Font()->SetStyle({fsBold, fsItalic});
  ProgramName->SetBounds(24, 16, 372, 44);
  ProgramName->SetParent(this);

  Image1 = New<TImage>(this);
  Image1->SetName("Image1");
  Image1->SetBounds(90, 70, 240, 160);
  Image1->SetParent(this);
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->LoadFromBytes(Resources::AboutPicture());
  Image1->Picture()->Assign(jpeg.get());

  OKButton = New<TButton>(this);
  OKButton->SetName("OKButton");
  OKButton->SetCaption("&OK");
  OKButton->Default = true;
  OKButton->ModalResult = mrOk;
  OKButton->SetBounds(170, 250, 80, 28);
  OKButton->SetParent(this);
}
