#include "classlib/WideText.h"

#include <QChar>

uint32_t CharUpperBuffW(char16_t* Buffer, int Length) {
  for (int i = 0; i < Length; ++i) {
    char16_t c = Buffer[i];
    // Surrogate halves are left alone: their case lives in the pair, not in each half.
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    Buffer[i] = QChar::toUpper(c);
  }
  return Length > 0 ? static_cast<uint32_t>(Length) : 0;
}
