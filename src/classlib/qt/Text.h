// Caption helpers shared by the standard controls: access-key marks and text extents.
#pragma once

#include "classlib/Types.h"

namespace ViewText {

// "&File" -> "File", "A&&B" -> "A&B".
String StripAccel(const String& Text);
// The width and height of a caption in the look's font (a fixed estimate without a window
// system). With Wrap, lines break to fit Width.
TPoint Measure(const String& Text, bool Wrap = false, int Width = 0);

}  // namespace ViewText
