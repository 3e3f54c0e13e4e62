#include "grid/base/RivObj.h"

WideString DecodeWideText(const String& Value) {
  WideString result;
  if (Value.size() >= 2 && Value[0] == '|' && Value[1] == '\\') {
    for (size_t i = 2; i + 1 < Value.size(); i += 2)
      result.push_back(static_cast<char16_t>((static_cast<unsigned char>(Value[i]) << 8) |
                                             static_cast<unsigned char>(Value[i + 1])));
    return result;
  }
  for (char c : Value) result.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return result;
}

String EncodeWideText(const WideString& Value) {
  String result = "|\\";
  for (char16_t c : Value) {
    result.push_back(static_cast<char>(c >> 8));
    result.push_back(static_cast<char>(c & 0xFF));
  }
  return result;
}
