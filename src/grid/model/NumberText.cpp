#include "grid/model/NumberText.h"

#include <cctype>

String CleanNumberText(const String& S) {
  String text = Trim(S);
  bool negative = false;
  if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
    negative = true;
    text = Trim(text.substr(1, text.size() - 2));
  }
  if (!text.empty() && text.front() == '-') {
    negative = !negative;
    text.erase(0, 1);
  }
  const char thousand = FormatSettings.ThousandSeparator;
  const char decimal = FormatSettings.DecimalSeparator;
  String result;
  result.reserve(text.size() + 1);
  for (char c : text) {
    if (c == thousand && thousand != decimal) continue;
    result.push_back(c == decimal ? '.' : c);
  }
  return negative ? "-" + result : result;
}

bool ParseNumberText(const String& S, long double& Value, size_t& ErrorAt) {
  auto digit = [&S](size_t i) { return i < S.size() && std::isdigit(static_cast<unsigned char>(S[i])) != 0; };
  size_t i = 0;
  if (i < S.size() && (S[i] == '-' || S[i] == '+')) ++i;
  size_t digits = 0;
  while (digit(i)) ++i, ++digits;
  if (i < S.size() && S[i] == '.') {
    ++i;
    while (digit(i)) ++i, ++digits;
  }
  if (digits > 0 && i < S.size() && (S[i] == 'e' || S[i] == 'E')) {
    size_t j = i + 1;
    if (j < S.size() && (S[j] == '-' || S[j] == '+')) ++j;
    if (digit(j)) {
      while (digit(j)) ++j;
      i = j;
    }
  }
  if (digits == 0 || i < S.size()) {
    ErrorAt = i + 1;
    return false;
  }
  Extended v = 0;
  if (!TryStrToFloat(S, v, TFormatSettings::Invariant())) {
    ErrorAt = S.size() + 1;
    return false;
  }
  Value = v;
  ErrorAt = 0;
  return true;
}
