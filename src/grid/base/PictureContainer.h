// Pictures that formatted cell text shows: THTMLPicture keeps a picture file's bytes, decodes
// them through the class library's picture loader and steps through the frames of an animated
// GIF; THTMLPictureCache owns pictures loaded by URL; TPictureContainer holds named pictures.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Component.h"
#include "classlib/Graphic.h"
#include "classlib/Lists.h"
#include "classlib/Persistent.h"
#include "classlib/Resources.h"
#include "classlib/Streams.h"

class TPicture;

using TDownloadProgressEvent = std::function<void(TObject* Sender, Cardinal dwSize, Cardinal dwTotSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const String& err)>;

class THTMLPicture : public TGraphic {
 public:
  THTMLPicture();
  ~THTMLPicture() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool Empty() const override { return FIsEmpty; }
  int Width() const override;
  int Height() const override;
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void LoadFromBytes(const std::string& Data) override;
  std::string SaveToBytes() const override;

  // Errors on the way leave the picture empty and go no further.
  void LoadFromFile(const String& FileName);
  // nullptr does nothing; decoding errors reach the caller.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) const { SaveToStream(Stream); }
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  void LoadFromURL(const String& url);
  void LoadFromClipboardFormat() {}
  void SaveToClipboardFormat() {}

  bool Stretch() const { return FStretched; }
  void SetStretch(bool Value) { FStretched = Value; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool Value) { FAsynch = Value; }
  const String& URL() const { return FURL; }
  const String& ID() const { return FID; }
  void SetID(const String& Value) { FID = Value; }
  bool ThreadBusy() const { return FThreadBusy; }

  int MaxWidth() const;
  int MaxHeight() const;
  // GIF frames: 1-based current frame, number of frames (-1 for a picture that is not a GIF),
  // and the current frame's place in the GIF's logical screen.
  int Frame() const { return FFrame; }
  void SetFrame(int Value);
  int FrameCount();
  bool IsGIF() const;
  // The frame's delay in hundredths of a second, -1 when there is no such frame.
  int FrameDelayOf(int Frame) const;
  uint16_t FrameXPos() const { return FFrameXPos; }
  uint16_t FrameYPos() const { return FFrameYPos; }
  void FrameNext();
  void FramePrev();
  // One animation tick of 100 ms; true when the shown frame changed.
  bool Step();

  TNotifyEvent OnFrameChange;
  TDownloadProgressEvent OnDownLoadProgress;
  TDownloadCancelEvent OnDownLoadCancel;
  TDownloadCompleteEvent OnDownLoadComplete;
  TDownloadErrorEvent OnDownLoadError;

 private:
  void ResetAnimation();
  void SetData(const std::string& Data);
  void DecodePicture();

  std::string FDatastream;
  bool FIsEmpty = true;
  bool FStretched = false;
  std::unique_ptr<TPicture> gpPicture;
  int FLogPixX = 96;
  int FLogPixY = 96;
  String FURL;
  String FID;
  bool FIsDB = false;
  bool FAsynch = true;
  bool FThreadBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  uint16_t FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
  bool FFrameTransp = false;
  uint16_t FFrameDisposal = 0;
  uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
  int FNextCount = -1;
  int FTimerCount = -1;
};

// Pictures loaded by URL, owned by the list.
class THTMLPictureCache : public TList {
 public:
  ~THTMLPictureCache() override;
  THTMLPicture* Items(int Index) const { return static_cast<THTMLPicture*>(TList::Get(Index)); }
  THTMLPicture* AddPicture();
  // Exact (letter case counts) match of the picture's ID; nullptr when none.
  THTMLPicture* FindPicture(const String& ID) const;
  void ClearPictures();
  bool Animate();

 protected:
  void Notify(void* Ptr, TListNotification Action) override;
};

class TPictureItem : public TCollectionItem {
 public:
  explicit TPictureItem(TCollection* Collection);
  ~TPictureItem() override;
  void Assign(TPersistent* Source) override;
  THTMLPicture* Picture() const { return FPicture.get(); }
  void SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }

 private:
  std::unique_ptr<THTMLPicture> FPicture;
  int FTag = 0;
  String FName;
};

class TPictureCollection : public TCollection {
 public:
  explicit TPictureCollection(TComponent* AOwner);
  TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
  TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
  TPictureItem* Items(int Index) const { return static_cast<TPictureItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }
  bool Animate();

 private:
  TComponent* FOwner;
};

class TPictureContainer : public TComponent {
 public:
  explicit TPictureContainer(TComponent* AOwner);
  ~TPictureContainer() override;
  TPictureCollection* Items() const { return FItems.get(); }
  String Version() const;
  void SetVersion(const String&) {}
  // The picture of the first item whose name matches (letter case ignored), or nullptr.
  virtual THTMLPicture* FindPicture(const String& Name) const;

 private:
  std::unique_ptr<TPictureCollection> FItems;
};
