#include "classlib/Resources.h"

#include <map>

#include "classlib/SysUtils.h"

namespace {

std::map<String, String>& ByName() {
  static std::map<String, String> resources;
  return resources;
}

std::map<int, String>& ById() {
  static std::map<int, String> resources;
  return resources;
}

}  // namespace

void RegisterRCDataResource(const String& Name, const String& Data) { ByName()[UpperCase(Name)] = Data; }
void RegisterRCDataResource(int Id, const String& Data) { ById()[Id] = Data; }

void UnregisterRCDataResources() {
  ByName().clear();
  ById().clear();
}

bool FindRCDataResource(HINSTANCE Instance, const String& Name, String& Data) {
  if (Instance != HInstance) return false;
  auto it = ByName().find(UpperCase(Name));
  if (it == ByName().end()) return false;
  Data = it->second;
  return true;
}

bool FindRCDataResource(HINSTANCE Instance, int Id, String& Data) {
  if (Instance != HInstance) return false;
  auto it = ById().find(Id);
  if (it == ById().end()) return false;
  Data = it->second;
  return true;
}
