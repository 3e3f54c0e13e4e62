#include "grid/base/RivXPVS.h"

#include "classlib/PlatformInfo.h"

void BindThemeLibrary(TXPVSBinding& Binding) {
  if (Binding.Loaded) return;
  if (!PlatformInfo().ThemeLibraryPresent) {
    Binding = TXPVSBinding();
    return;
  }
  Binding.Loaded = true;
  Binding.Handle = 1;
  Binding.IsThemeActive = [] { return PlatformInfo().ThemeActive; };
  Binding.GetCurrentThemeName = [](String& FileName, String& ColorName, String& SizeName) {
    FileName.clear();
    ColorName = PlatformInfo().ThemeColorName;
    SizeName.clear();
  };
}

void UnbindThemeLibrary(TXPVSBinding& Binding) {
  if (Binding.Loaded) Binding = TXPVSBinding();
}

TXPVSBinding& RivXPVS() {
  static TXPVSBinding binding = [] {
    TXPVSBinding b;
    BindThemeLibrary(b);
    return b;
  }();
  return binding;
}

TXPVSBinding& ATXPVS() {
  static TXPVSBinding binding = [] {
    TXPVSBinding b;
    BindThemeLibrary(b);
    return b;
  }();
  return binding;
}
