// Run-time binding of the visual-styles library. Each of the two binding units (RivXPVS for the
// grid and its editors, ATXPVS for the drop-downs) keeps its own binding. This platform has no
// such library: a binding stays unloaded unless the platform information says the library is
// present, and then offers the two entry points the looks ask for, answered from that
// information. Callers test Loaded (or the system version) before using an entry point.
#pragma once

#include <cstdint>
#include <functional>

#include "classlib/Types.h"

struct TXPVSBinding {
  bool Loaded = false;
  uintptr_t Handle = 0;
  std::function<bool()> IsThemeActive;
  // File, colour and size names of the style in use.
  std::function<void(String& FileName, String& ColorName, String& SizeName)> GetCurrentThemeName;
};

// Nothing when already loaded.
void BindThemeLibrary(TXPVSBinding& Binding);
void UnbindThemeLibrary(TXPVSBinding& Binding);

// The two units' bindings, bound when first asked for.
TXPVSBinding& RivXPVS();
TXPVSBinding& ATXPVS();
