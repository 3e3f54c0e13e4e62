// Data built into the program (pictures stored with its forms).
#pragma once

#include <string>

namespace Resources {
// The about box's picture, JPEG-encoded.
const std::string& AboutPicture();
}
