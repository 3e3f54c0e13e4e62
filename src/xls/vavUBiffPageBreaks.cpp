#include "xls/vavUBiffPageBreaks.h"

THBreakData THPageBreakRecord::BreakData(Integer Index) const {
  const size_t at = 2 + 6 * static_cast<size_t>(Index);
  return {GetWord(Data, at), GetWord(Data, at + 2), GetWord(Data, at + 4)};
}

TVBreakData TVPageBreakRecord::BreakData(Integer Index) const {
  const size_t at = 2 + 6 * static_cast<size_t>(Index);
  return {GetWord(Data, at), GetWord(Data, at + 2), GetWord(Data, at + 4)};
}
