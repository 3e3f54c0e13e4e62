// Helpers of the record classes for building records in memory.
#pragma once

#include "xls/vavUEscherRecords.h"

namespace EscherBuild {

inline TEscherRecordHeader Header(Word aPre, Word aId, Cardinal aSize) { return TEscherRecordHeader{aPre, aId, aSize}; }

inline ArrayOfByte Cardinals(std::initializer_list<Cardinal> Values) {
  ArrayOfByte d;
  for (Cardinal v : Values)
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<Byte>(v >> (8 * i)));
  return d;
}

// Property entries of an OPT atom: id (2 bytes), value (4 bytes).
inline ArrayOfByte Properties(std::initializer_list<std::pair<Word, Cardinal>> Values) {
  ArrayOfByte d;
  for (const auto& [id, value] : Values) {
    d.push_back(static_cast<Byte>(id));
    d.push_back(static_cast<Byte>(id >> 8));
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<Byte>(value >> (8 * i)));
  }
  return d;
}

}  // namespace EscherBuild
