#include "grid/dropdowns/RivDropDownNumbers.h"

#include <algorithm>
#include <cctype>

#include "classlib/SysUtils.h"

int ClassifyNumber(const String& S) {
  if (S.empty()) return 2;
  const char dec = FormatSettings.DecimalSeparator;
  const char thousand = FormatSettings.ThousandSeparator;
  const auto count = [&S](char c) { return std::count(S.begin(), S.end(), c); };
  if (count('-') > 1 || count(dec) > 1) return 2;
  const auto all = [&S](auto pred) { return std::all_of(S.begin(), S.end(), pred); };
  if (all([](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '-'; })) return 0;
  bool real = all([](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == ',' || c == '-' || c == '.'; });
  if (real) {
    int previous = -1;
    for (size_t i = 0; i < S.size(); ++i) {
      if (S[i] != thousand) continue;
      const int position = static_cast<int>(i) + 1;
      if (position <= 1 || position - previous < 3) {
        real = false;
        break;
      }
      previous = position;
    }
    if (real) return 1;
  }
  if (all([](char c) { return std::isxdigit(static_cast<unsigned char>(c)) || c == '-'; })) return 5;
  return 2;
}

String StripThousandSeparators(const String& S) {
  String out;
  for (char c : S)
    if (c != FormatSettings.ThousandSeparator) out += c;
  return out;
}

Int64 HexToInt(const String& S) {
  // Wraps around past 16 digits instead of overflowing.
  uint64_t result = 0;
  uint64_t weight = 1;
  for (auto it = S.rbegin(); it != S.rend(); ++it) {
    const char c = *it;
    int digit = 0;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    result += static_cast<uint64_t>(digit) * weight;
    weight *= 16;
  }
  return static_cast<Int64>(result);
}
