// TInterfacedPersistent: a persistent object that other code reaches through interfaces it
// implements (here: C++ abstract classes found with dynamic_cast). Whoever holds it does not
// own it unless it says so.
#pragma once

#include "classlib/Persistent.h"

class TInterfacedPersistent : public TPersistent {};
