#include "xls/vavUWbkRowComments.h"

#include <algorithm>

Integer TRowComments::Find(Integer aRow, bool& Found) const {
  auto it = std::lower_bound(FList.begin(), FList.end(), aRow,
                             [](const std::unique_ptr<TCommentRowPos>& e, Integer r) { return e->Row < r; });
  Found = it != FList.end() && (*it)->Row == aRow;
  return static_cast<Integer>(it - FList.begin());
}

void TRowComments::Add(Integer aRow, Integer aPos) {
  bool found = false;
  const Integer i = Find(aRow, found);
  if (!found) {
    auto entry = std::make_unique<TCommentRowPos>();
    entry->Row = aRow;
    FList.insert(FList.begin() + i, std::move(entry));
  }
  FList[static_cast<size_t>(i)]->push_back(aPos);
}

const TCommentRowPos& TRowComments::RowPositions(Integer aRow) const {
  bool found = false;
  const Integer i = Find(aRow, found);
  return found ? *FList[static_cast<size_t>(i)] : *EmptySlot;
}

void TRowComments::Delete(Integer aRow, Integer aIndex) {
  bool found = false;
  const Integer i = Find(aRow, found);
  if (!found) return;
  TCommentRowPos& entry = *FList[static_cast<size_t>(i)];
  if (aIndex < 0 || aIndex >= static_cast<Integer>(entry.size())) return;
  const Integer removed = entry[static_cast<size_t>(aIndex)];
  entry.erase(entry.begin() + aIndex);
  for (auto& e : FList)
    for (Integer& p : *e)
      if (p > removed) --p;
}
