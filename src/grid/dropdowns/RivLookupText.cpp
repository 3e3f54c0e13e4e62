#include "grid/dropdowns/RivLookupText.h"

#include <cctype>

#include "classlib/SysUtils.h"

bool LookupStartsWith(const String& Text, const String& Start, bool CaseSensitive) {
  if (Start.empty() || Text.size() < Start.size()) return false;
  if (CaseSensitive) return Text.compare(0, Start.size(), Start) == 0;
  bool ascii = true;
  for (size_t i = 0; i < Start.size(); ++i) {
    const auto a = static_cast<unsigned char>(Text[i]);
    const auto b = static_cast<unsigned char>(Start[i]);
    if (a >= 0x80 || b >= 0x80) {
      ascii = false;
      break;
    }
    if (std::toupper(a) != std::toupper(b)) return false;
  }
  if (ascii) return true;
  return AnsiUpperCase(Text.substr(0, Start.size())) == AnsiUpperCase(Start);
}
