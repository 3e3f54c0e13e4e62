// Raw data resources (RT_RCDATA) of a module. This platform has no resource sections, so the
// program registers its raw resources at start-up (tests register their own) under a name
// (letter case ignored) or a number. The module handle names whose resources are meant; the
// program has one module, HInstance.
#pragma once

#include <cstdint>

#include "classlib/Types.h"

using HINSTANCE = uintptr_t;
constexpr HINSTANCE HInstance = 1;

void RegisterRCDataResource(const String& Name, const String& Data);
void RegisterRCDataResource(int Id, const String& Data);
void UnregisterRCDataResources();
// False (Data untouched) when the module has no such resource.
bool FindRCDataResource(HINSTANCE Instance, const String& Name, String& Data);
bool FindRCDataResource(HINSTANCE Instance, int Id, String& Data);
