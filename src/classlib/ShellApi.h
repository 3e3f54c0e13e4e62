// Asking the desktop to open a file or address with its associated program.
#pragma once

#include "classlib/Messages.h"

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// Performs Verb ("open") on File. Returns a value above 32 on success; 2 when the file does
// not exist, 31 when no program is associated with it. Relative names are resolved against
// Directory, or the working directory when Directory is empty. Tests answer through
// Application->Hooks.Shell; every request is recorded.
int ShellExecute(HWND Owner, const String& Verb, const String& File, const String& Parameters,
                 const String& Directory, int ShowCmd);
