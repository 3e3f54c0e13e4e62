#include "classlib/Graphic.h"

#include "classlib/SysUtils.h"

void TGraphic::Assign(TPersistent* Source) { TPersistent::Assign(Source); }

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  Changed();
}

void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& fileName) { LoadFromBytes(ReadFileBytes(fileName)); }

void TGraphic::SaveToFile(const String& fileName) const { WriteFileAtomically(fileName, SaveToBytes()); }


