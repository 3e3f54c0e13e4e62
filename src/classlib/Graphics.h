// The graphics layer in one include: colours, drawing tools, the canvas and every picture type.
#pragma once

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Gdi.h"
#include "classlib/Graphic.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Jpeg.h"
#include "classlib/Picture.h"
