// Objects placed on a line of formatted text: images, bullets of list items and the page
// background of <BODY>.
#include <algorithm>
#include <cmath>
#include <functional>

#include "classlib/Bitmap.h"
#include "classlib/Math.h"
#include "classlib/SysUtils.h"
#include "grid/base/HTMLEngineInternal.h"

namespace htmlengine {

namespace {

// Stretches a bitmap into a rectangle (printing, where the printer's pixels are smaller).
void StretchBitmapToRect(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap) {
  const TCopyMode mode = Canvas->CopyMode();
  Canvas->SetCopyMode(cmSrcCopy);
  Canvas->StretchDraw(R, Bitmap);
  Canvas->SetCopyMode(mode);
}

// Icons of the shell's system image list ("SSYS:" and "LSYS:" sources). This platform has no
// such list, so a system icon takes no room and draws nothing.
TSize DrawSystemIcon(TCanvas* /*Canvas*/, int /*X*/, int /*Y*/, double /*Factor*/, bool /*Printing*/, bool /*Draw*/,
                     bool /*Large*/, const String& /*Source*/) {
  return TSize{0, 0};
}

int ScaleToCanvas(int Value, TCanvas* Canvas) { return MulDiv(Value, Canvas->PixelsPerInch(), 96); }

}  // namespace

THTMLPictureRef* TRenderer::LookUpPicture(const String& Source) {
  if (Source.find(':') == String::npos)
    return P.PictureContainer ? P.PictureContainer->FindPicture(Source) : nullptr;
  if (Source.find("://") == String::npos || !P.PictureCache) return nullptr;
  if (!P.PictureCache->FindPicture(Source)) P.PictureCache->AddURLPicture(Source);
  return P.PictureCache->FindPicture(Source);
}

bool TRenderer::ObjectFits() {
  const int boxWidth = FLineBox.Right - FLineBox.Left;
  if (FSecondPass || !(boxWidth < FLineWidth + FObjectWidth && FObjectWidth < boxWidth)) return true;
  FLineFull = true;
  return false;
}

bool TRenderer::ObjectUnderPoint() const {
  const int x = P.HitX - FLineBox.Left;
  return FLineWidth < x && x < FLineWidth + FObjectWidth && FRunBox.Top < P.HitY &&
         P.HitY < FRunBox.Top + FObjectHeight;
}

void TRenderer::PlaceObject() {
  FLineWidth += FObjectWidth;
  FRunBox.Left += FObjectWidth;
  FLineHeight = std::max(FLineHeight, FObjectHeight);
}

void TRenderer::ApplyImageTag(const String& Tag, const String& Upper, TPassState& Pass) {
  ++Pass.ImageCounter;
  // The source keeps its letter case: file names on this platform depend on it.
  const String source = AttributeValue(Tag, Upper, "SRC", true);
  const String upperSource = UpperCase(source);
  int wantWidth = 0, wantHeight = 0;
  if (!ReadWholeNumber(AttributeValue(Upper, Upper, "WIDTH", false), wantWidth)) wantWidth = 0;
  if (!ReadWholeNumber(AttributeValue(Upper, Upper, "HEIGHT", false), wantHeight)) wantHeight = 0;
  const bool drawing = !FMeasuring;
  FObjectWidth = FObjectHeight = 0;

  // Each kind first learns its size, so a picture that waits for the next line is not drawn.
  std::function<void()> draw;
  if (upperSource.find("IDX:") != String::npos) {
    const int index = LeadingNumber(source.substr(std::min<size_t>(4, source.size())));
    if (P.Images && index >= 0 && index < P.Images->Count()) {
      FObjectWidth = ScaleToCanvas(P.Images->Width(), FCanvas);
      FObjectHeight = ScaleToCanvas(P.Images->Height(), FCanvas);
      draw = [this, index] {
        if (!P.Printing) {
          P.Images->Draw(FCanvas, FRunBox.Left, FRunBox.Top, index);
          return;
        }
        TRect r{FRunBox.Left, FRunBox.Top,
                FRunBox.Left + static_cast<int>(std::nearbyint(P.Images->Width() * P.ResolutionFactor)),
                FRunBox.Top + static_cast<int>(std::nearbyint(P.Images->Height() * P.ResolutionFactor))};
        TBitmap bitmap;
        P.Images->GetBitmap(index, &bitmap);
        StretchBitmapToRect(FCanvas, r, &bitmap);
      };
    }
  } else if (upperSource.find("SSYS:") != String::npos || upperSource.find("LSYS:") != String::npos) {
    const bool large = upperSource.find("LSYS:") != String::npos;
    const String name = source.substr(std::min<size_t>(5, source.size()));
    const TSize size = DrawSystemIcon(FCanvas, FRunBox.Left, FRunBox.Top, P.ResolutionFactor, P.Printing, false, large, name);
    FObjectWidth = ScaleToCanvas(size.cx, FCanvas);
    FObjectHeight = ScaleToCanvas(size.cy, FCanvas);
    draw = [this, large, name] {
      DrawSystemIcon(FCanvas, FRunBox.Left, FRunBox.Top, P.ResolutionFactor, P.Printing, true, large, name);
    };
  } else if (THTMLPictureRef* picture = LookUpPicture(source); picture && !picture->Empty()) {
    const bool stretched = wantWidth >= 1 && wantHeight >= 1;
    FObjectWidth = ScaleToCanvas(stretched ? wantWidth : picture->GetMaxWidth(), FCanvas);
    FObjectHeight = ScaleToCanvas(stretched ? wantHeight : picture->GetMaxHeight(), FCanvas);
    draw = [this, picture, stretched, wantWidth, wantHeight] {
      const int left = FRunBox.Left, top = FRunBox.Top;
      if (stretched) {
        picture->SetStretch(true);
        picture->Draw(FCanvas, TRect{left, top, left + wantWidth, top + wantHeight});
        return;
      }
      const int w = picture->GetMaxWidth(), h = picture->GetMaxHeight();
      if (picture->FrameCount() > 1) {
        // Earlier frames of an animation must not show through the current one.
        const TColor brush = BrushColorOrNone();
        SetBrushColorOrClear(FEntryBrushColor);
        FCanvas->FillRect(TRect{left, top, left + w, top + h});
        SetBrushColorOrClear(brush);
      }
      const int x = left + picture->FrameXPos(), y = top + picture->FrameYPos();
      picture->Draw(FCanvas, TRect{x, y, x + w, y + h});
    };
  }

  if (!ObjectFits()) return;
  if (drawing && draw) draw();
  if (FSecondPass && Pass.InsideAnchor && ObjectUnderPoint()) {
    FLine->ObjectHit = true;
    Out.HitHref = Pass.Href;
    Out.HitTitle = Pass.Title;
  }
  PlaceObject();
  const int gh = GhHeight();
  if (Upper.find("\"TOP") != String::npos) FImageAlignShift = FLineHeight - gh;
  else if (Upper.find("\"MIDDLE") != String::npos) FImageAlignShift = std::max(0, FLineHeight - gh) / 2;
}

void TRenderer::ApplyListItem(TPassState& Pass) {
  if (FListItem && !FSecondPass) {
    FLineFull = true;  // the item starts the next line
    return;
  }
  FListItem = true;
  FLineWidth += Pass.ListLevel * kListIndent;
  FRunBox.Left += Pass.ListLevel * kListIndent - kListIndent;
  if (!FMeasuring) {
    // The classic symbol font's bullet and small circle, from the text font.
    TRect box = FRunBox;
    FCanvas->DrawText(Pass.ListLevel % 2 == 1 ? "\xE2\x80\xA2" : "o", box, FFormat);
  }
  FRunBox.Left += kListIndent;
}

void TRenderer::ApplyBodyTag(const String& Tag, const String& Upper) {
  if (Upper.find("BACKGROUND") != String::npos) {
    THTMLPictureRef* picture = LookUpPicture(AttributeValue(Tag, Upper, "BACKGROUND", true));
    const int w = picture ? picture->GetMaxWidth() : 0, h = picture ? picture->GetMaxHeight() : 0;
    if (picture && !picture->Empty() && w > 0 && h > 0) {
      TCanvasStateSaver clip(FCanvas);
      FCanvas->IntersectClipRect(FRect);
      for (int y = FRect.Top; y < FRect.Bottom; y += h)
        for (int x = FRect.Left; x < FRect.Right; x += w) picture->Draw(FCanvas, TRect{x, y, x + w, y + h});
    }
  }
  if (Upper.find("BGCOLOR") != String::npos) {
    const String value = AttributeValue(Upper, Upper, "BGCOLOR", false);
    TColor color = clNone;
    if (value.find("CL") != String::npos) color = HTMLColorByName(LowerCase(value));
    else if (value.find('#') != String::npos) color = HTMLHexColor(value);
    if (color == clNone) return;
    SetBrushColorOrClear(color);
    FSavedFontBackground = color;
    FCanvas->FillRect(FRect);
  }
}

}  // namespace htmlengine
