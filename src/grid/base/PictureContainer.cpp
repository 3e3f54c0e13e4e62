#include "grid/base/PictureContainer.h"

#include "classlib/Canvas.h"
#include "classlib/Math.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "grid/base/GifBlocks.h"

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kScreenPixelsPerInch = 96;  // the decoder's pixels are screen pixels
constexpr int kTickHundredths = 10;       // one animation tick is 100 ms

int ToHimetric(int pixels) { return MulDiv(pixels, kHimetricPerInch, kScreenPixelsPerInch); }

}  // namespace

// ---- THTMLPicture -------------------------------------------------------------------------

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::ResetAnimation() {
  FFrame = 1;
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
  FAnimMaxX = FAnimMaxY = 0;
  FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
}

void THTMLPicture::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<THTMLPicture*>(Source);
  // Taken before this picture is emptied: the source may be this picture itself.
  const bool sourceEmpty = !other || other->FIsEmpty;
  std::string data = other ? other->FDatastream : std::string();
  FIsEmpty = true;
  gpPicture.reset();
  ResetAnimation();
  if (!Source) {
    FDatastream.clear();
    return;
  }
  if (!other) return;
  FDatastream = std::move(data);
  // An empty source gives an empty copy; there is nothing to decode.
  if (sourceEmpty) return;
  FIsEmpty = false;
  DecodePicture();
  Changed();
}

void THTMLPicture::SetData(const std::string& Data) {
  FDatastream = Data;
  FIsEmpty = false;
  // New data has its own frames: a count or frame of the old data would step the wrong way.
  ResetAnimation();
}

void THTMLPicture::DecodePicture() {
  gpPicture.reset();
  std::string block = FDatastream;
  if (IsGIF()) {
    TGifLayout layout = WalkGif(FDatastream);
    if (!layout.Valid) throw EInvalidGraphic("Could not load image. Invalid format");
    if (!layout.Frames.empty()) {
      // The decoder allocates the logical screen and the frames: sizes the data cannot fill
      // are refused, or cut to the frames, first.
      if (!LimitGifSizes(layout)) throw EInvalidGraphic("Could not load image. Invalid format");
      FAnimMaxX = layout.ScreenWidth;
      FAnimMaxY = layout.ScreenHeight;
      if (FFrame >= 1 && FFrame <= static_cast<int>(layout.Frames.size())) {
        const TGifFrame& frame = layout.Frames[static_cast<size_t>(FFrame - 1)];
        FFrameXPos = frame.Left;
        FFrameYPos = frame.Top;
        FFrameXSize = frame.Width;
        FFrameYSize = frame.Height;
      }
      block = GifWithScreen(GifFromFrame(FDatastream, layout, FFrame), layout);
      if (block.empty()) throw EInvalidGraphic("Could not load image");
    }
  }
  if (block.empty()) throw EInvalidGraphic("Empty image stream created");
  auto picture = std::make_unique<TPicture>();
  try {
    picture->LoadFromBytes(block);
  } catch (const Exception&) {
    throw EInvalidGraphic("Could not load image. Invalid format");
  }
  if (!picture->Graphic() || picture->Graphic()->Empty()) throw EInvalidGraphic("Could not load image");
  gpPicture = std::move(picture);
}

void THTMLPicture::LoadFromBytes(const std::string& Data) {
  SetData(Data);
  DecodePicture();
  Changed();
}

std::string THTMLPicture::SaveToBytes() const { return FDatastream; }

void THTMLPicture::LoadFromFile(const String& FileName) {
  try {
    SetData(ReadFileBytes(FileName));
    DecodePicture();
    Changed();
  } catch (const std::exception&) {
    FIsEmpty = true;
    gpPicture.reset();
  }
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  Stream->SetPosition(0);
  LoadFromBytes(Stream->ReadAll());
}

void THTMLPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  Stream->SetPosition(0);
  SetData(Stream->ReadAll());
  DecodePicture();
}

void THTMLPicture::SaveToStream(TStream* Stream) const {
  if (Stream) Stream->WriteString(FDatastream);
}

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  String data;
  if (!FindRCDataResource(Instance, ResName, data)) return;
  TStringStream stream(data);
  LoadFromStream(&stream);
}

void THTMLPicture::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  String data;
  if (!FindRCDataResource(Instance, ResID, data)) return;
  TStringStream stream(data);
  LoadFromStream(&stream);
}

void THTMLPicture::LoadFromURL(const String& url) {
  const String upper = UpperCase(url);
  if (upper.rfind("RES://", 0) == 0) {
    FID = url;
    const String name = url.substr(6);
    if (!name.empty()) LoadFromResourceName(HInstance, name);
  } else if (upper.rfind("FILE://", 0) == 0) {
    FID = url;
    const String name = url.substr(7);
    if (!name.empty()) LoadFromFile(name);
  } else if (!FAsynch) {
    FURL = url;
    FID = url;
  } else if (!FThreadBusy) {
    // Remote pictures are not fetched: the picture stays empty, and later URLs are ignored.
    FURL = url;
    FThreadBusy = true;
  }
}

int THTMLPicture::Width() const {
  return gpPicture ? MulDiv(ToHimetric(gpPicture->Width()), FLogPixX, kHimetricPerInch) : 0;
}

int THTMLPicture::Height() const {
  return gpPicture ? MulDiv(ToHimetric(gpPicture->Height()), FLogPixY, kHimetricPerInch) : 0;
}

int THTMLPicture::MaxWidth() const {
  if (!gpPicture) return 0;
  return FAnimMaxX != 0 ? FAnimMaxX : Width();
}

int THTMLPicture::MaxHeight() const {
  if (!gpPicture) return 0;
  return FAnimMaxY != 0 ? FAnimMaxY : Height();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (FIsEmpty || !gpPicture || !ACanvas) return;
  TGraphic* graphic = gpPicture->Graphic();
  if (FStretched) {
    graphic->Draw(ACanvas, Rect);
    return;
  }
  // Its natural size on this canvas's device: larger in pixels on a printer than on screen.
  const int ppi = ACanvas->PixelsPerInch();
  const int w = MulDiv(ToHimetric(graphic->Width()), ppi, kHimetricPerInch);
  const int h = MulDiv(ToHimetric(graphic->Height()), ppi, kHimetricPerInch);
  graphic->Draw(ACanvas, Bounds(Rect.Left, Rect.Top, w, h));
}

bool THTMLPicture::IsGIF() const { return LooksLikeGif(FDatastream); }

int THTMLPicture::FrameCount() {
  if (!IsGIF()) return -1;
  if (FFrameCount == -1) FFrameCount = static_cast<int>(WalkGif(FDatastream).Frames.size());
  return FFrameCount;
}

int THTMLPicture::FrameDelayOf(int Frame) const {
  if (!IsGIF()) return -1;
  const TGifLayout layout = WalkGif(FDatastream);
  if (Frame < 1 || Frame > static_cast<int>(layout.Frames.size())) return -1;
  return layout.Frames[static_cast<size_t>(Frame - 1)].Delay;
}

void THTMLPicture::SetFrame(int Value) {
  FFrame = Value;
  if (FIsEmpty) return;
  DecodePicture();
  if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext() {
  const int count = FrameCount();
  if (count < 1) return;
  FFrame = FFrame >= count ? 1 : FFrame + 1;
}

void THTMLPicture::FramePrev() {
  const int count = FrameCount();
  if (count < 1) return;
  FFrame = FFrame <= 1 ? count : FFrame - 1;
}

bool THTMLPicture::Step() {
  if (FIsEmpty || FrameCount() < 2) return false;
  bool changed = false;
  if (FTimerCount * kTickHundredths >= FNextCount) {
    FrameNext();
    DecodePicture();
    FNextCount += FrameDelayOf(FFrame);
    changed = true;
  }
  ++FTimerCount;
  return changed;
}

// ---- THTMLPictureCache --------------------------------------------------------------------

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

void THTMLPictureCache::Notify(void* Ptr, TListNotification Action) {
  if (Action == lnDeleted) delete static_cast<THTMLPicture*>(Ptr);
}

THTMLPicture* THTMLPictureCache::AddPicture() {
  auto* picture = new THTMLPicture();
  Add(picture);
  return picture;
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->ID() == ID) return Items(i);
  return nullptr;
}

void THTMLPictureCache::ClearPictures() { Clear(); }

bool THTMLPictureCache::Animate() {
  bool any = false;
  for (int i = 0; i < Count(); ++i) any = Items(i)->Step() || any;
  return any;
}

// ---- Picture container --------------------------------------------------------------------

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source) {
  auto* item = dynamic_cast<TPictureItem*>(Source);
  if (!item) {
    TPersistent::Assign(Source);
    return;
  }
  FName = item->FName;
  FTag = item->FTag;
  FPicture->Assign(item->FPicture.get());
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TCollection(TCollection::FactoryOf<TPictureItem>()), FOwner(AOwner) {}

bool TPictureCollection::Animate() {
  bool any = false;
  for (int i = 0; i < Count(); ++i) any = Items(i)->Picture()->Step() || any;
  return any;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

String TPictureContainer::Version() const {
  constexpr Cardinal kVersion = 0x01000000;
  return IntToStr((kVersion >> 24) & 0xFF) + "." + IntToStr((kVersion >> 16) & 0xFF) + "." +
         IntToStr((kVersion >> 8) & 0xFF) + "." + IntToStr(kVersion & 0xFF);
}

THTMLPicture* TPictureContainer::FindPicture(const String& Name) const {
  const String wanted = AnsiUpperCase(Name);
  for (int i = 0; i < FItems->Count(); ++i)
    if (AnsiUpperCase(FItems->Items(i)->Name()) == wanted) return FItems->Items(i)->Picture();
  return nullptr;
}
