// An index from row to positions (of pictures of the active sheet, by the row their anchor
// starts in), so that the k-th picture of a row can be addressed.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Types.h"

class TCommentRowPos : public std::vector<Integer> {
 public:
  Integer Row = 0;
};

class TRowComments {
 public:
  TRowComments() : EmptySlot(std::make_unique<TCommentRowPos>()) {}
  // Appends aPos to the entry of aRow, made at its sorted place when missing.
  void Add(Integer aRow, Integer aPos);
  // The entry of aRow, or an empty one.
  const TCommentRowPos& RowPositions(Integer aRow) const;
  // Removes item aIndex of the row's entry and closes the gap its position leaves in every row.
  void Delete(Integer aRow, Integer aIndex);

 private:
  Integer Find(Integer aRow, bool& Found) const;
  std::vector<std::unique_ptr<TCommentRowPos>> FList;
  std::unique_ptr<TCommentRowPos> EmptySlot;
};
