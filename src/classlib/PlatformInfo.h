// What the program may ask the operating system about its version and its visual styles. This
// platform has neither a visual-styles library nor versioned common controls, so the answers
// describe a classic, unthemed system; tests set other answers to reach the themed paths.
#pragma once

#include "classlib/Types.h"

struct TPlatformInfo {
  // The system's version (5.1 and later have visual styles).
  int WindowsMajor = 5;
  int WindowsMinor = 0;
  // Major file version of the common-controls library; 0xFFFFFFFF when it cannot be read.
  Cardinal ComCtlMajorVersion = 5;
  // The system library exports the locale call that came with version 6.
  bool HasGetLocaleInfoEx = false;
  // The visual-styles library can be loaded, a visual style is active, and the colour name
  // of the style in use ("NormalColor", "HomeStead", "Metallic", ...).
  bool ThemeLibraryPresent = false;
  bool ThemeActive = false;
  String ThemeColorName;
};

const TPlatformInfo& PlatformInfo();
void SetPlatformInfo(const TPlatformInfo& Info);
// Back to the answers of this platform.
void ResetPlatformInfo();
