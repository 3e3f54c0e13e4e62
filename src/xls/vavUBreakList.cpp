#include "xls/vavUBreakList.h"

void TBreakList::Add(Integer aId, Integer aSize) {
  const Int64 previous = FList.empty() ? 0 : FList.back().AcumSize;
  FList.push_back({aId, aSize, previous + aSize});
}

const TBreakList::TBreakEntry& TBreakList::Entry(Integer Index) const {
  if (Index < 0 || static_cast<size_t>(Index) >= FList.size()) RaiseXls(XlsMsg::LogicalError);
  return FList[static_cast<size_t>(Index)];
}
