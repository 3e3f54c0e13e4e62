#include "app/ZorvanAdvancedEditor.h"

TZorvanEditor* ZorvanEditor = nullptr;

TZorvanEditor::TZorvanEditor(TComponent* AOwner) : TForm(AOwner) {
  SetName("ZorvanEditor");
  SetCaption("Zorvan -- Edit matrix as text");
  Position = poScreenCenter;
  SetBounds(0, 0, 640, 480);

  Memo1 = New<TMemo>(this);
  Memo1->SetName("Memo1");
  Memo1->SetWordWrap(false);
  Memo1->SetScrollBars(ssBoth);
  Memo1->SetAlign(alClient);
  Memo1->SetParent(this);
}

TZorvanEditor::~TZorvanEditor() {
  if (ZorvanEditor == this) ZorvanEditor = nullptr;
}
