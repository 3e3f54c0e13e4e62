// The formatted-text engine's pictures from the picture container and the picture cache:
// small adapters from THTMLPicture, TPictureContainer and THTMLPictureCache to the engine's
// picture interfaces (THTMLRenderParams::PictureContainer and PictureCache).
#pragma once

#include <map>
#include <memory>

#include "grid/base/HTMLEngine.h"
#include "grid/base/PictureContainer.h"

// One picture of the container or the cache, as the engine sees it. It does not own it.
class THTMLPictureAdapter : public THTMLPictureRef {
 public:
  explicit THTMLPictureAdapter(THTMLPicture* Picture) : FPicture(Picture) {}
  bool Empty() override { return FPicture->Empty(); }
  int GetMaxWidth() override { return FPicture->MaxWidth(); }
  int GetMaxHeight() override { return FPicture->MaxHeight(); }
  int FrameCount() override { return FPicture->FrameCount(); }
  int FrameXPos() override { return FPicture->FrameXPos(); }
  int FrameYPos() override { return FPicture->FrameYPos(); }
  void SetStretch(bool Stretch) override { FPicture->SetStretch(Stretch); }
  void Draw(TCanvas* Canvas, const TRect& R) override { FPicture->Draw(Canvas, R); }

 private:
  THTMLPicture* FPicture;
};

// Keeps one adapter per picture met, for as long as the adapter set lives.
class THTMLPictureAdapters {
 public:
  THTMLPictureRef* Wrap(THTMLPicture* Picture);

 private:
  std::map<THTMLPicture*, std::unique_ptr<THTMLPictureAdapter>> FAdapters;
};

// Named pictures of a picture container (nullptr: none).
class THTMLContainerPictures : public THTMLPictureSource {
 public:
  explicit THTMLContainerPictures(TPictureContainer* Container) : FContainer(Container) {}
  THTMLPictureRef* FindPicture(const String& Name) override;

 private:
  TPictureContainer* FContainer;
  THTMLPictureAdapters FAdapters;
};

// Pictures loaded by URL into the caller's picture cache (nullptr: none).
class THTMLCachePictures : public THTMLPictureCacheSource {
 public:
  explicit THTMLCachePictures(THTMLPictureCache* Cache) : FCache(Cache) {}
  THTMLPictureRef* FindPicture(const String& Url) override;
  void AddURLPicture(const String& Url) override;

 private:
  THTMLPictureCache* FCache;
  THTMLPictureAdapters FAdapters;
};
