// Qt key codes to the virtual key codes our key messages carry.
#pragma once

#include "classlib/Messages.h"

namespace KeyMap {
Word ToVirtualKey(int QtKey);
}
