#include "classlib/PlatformInfo.h"

namespace {

TPlatformInfo& Current() {
  static TPlatformInfo info;
  return info;
}

}  // namespace

const TPlatformInfo& PlatformInfo() { return Current(); }
void SetPlatformInfo(const TPlatformInfo& Info) { Current() = Info; }
void ResetPlatformInfo() { Current() = TPlatformInfo(); }
