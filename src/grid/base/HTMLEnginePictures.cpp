#include "grid/base/HTMLEnginePictures.h"

THTMLPictureRef* THTMLPictureAdapters::Wrap(THTMLPicture* Picture) {
  if (!Picture) return nullptr;
  std::unique_ptr<THTMLPictureAdapter>& adapter = FAdapters[Picture];
  if (!adapter) adapter = std::make_unique<THTMLPictureAdapter>(Picture);
  return adapter.get();
}

THTMLPictureRef* THTMLContainerPictures::FindPicture(const String& Name) {
  return FContainer ? FAdapters.Wrap(FContainer->FindPicture(Name)) : nullptr;
}

THTMLPictureRef* THTMLCachePictures::FindPicture(const String& Url) {
  return FCache ? FAdapters.Wrap(FCache->FindPicture(Url)) : nullptr;
}

void THTMLCachePictures::AddURLPicture(const String& Url) {
  if (!FCache) return;
  THTMLPicture* picture = FCache->AddPicture();
  // Loaded now, in the call that draws it.
  picture->SetAsynch(false);
  picture->LoadFromURL(Url);
}
