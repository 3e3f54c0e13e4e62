// Support types shared by the grid foundation: cell alignment and gradient kinds, the wide-text
// encoding of plain strings, and TObjStringGrid, the step between the platform string grid and
// the base grid.
#pragma once

#include "classlib/Grids.h"

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };

// A wide text carried in a plain string: "|\" followed by two bytes per character, high byte
// first. DecodeWideText passes any other text through unchanged, byte by byte.
WideString DecodeWideText(const String& Value);
String EncodeWideText(const WideString& Value);

class TObjStringGrid : public TStringGrid {
 public:
  explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};
