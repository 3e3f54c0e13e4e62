// The memo's paragraph store: the ParInfo items in blocks of 1820 (a block stays below 32 KB in
// the packed layout the records come from), with the bookkeeping the support units read and
// write: the text length in positions, the line totals, the pending reformat range, the last
// scope-parsed paragraph, the format range and the quick-reformat mark.
//
// Item n lives in block n / 1820 at n mod 1820; inserting and deleting move the later items
// along, so an item's address holds until the paragraphs before it change.
#pragma once

#include <memory>
#include <vector>

#include "memo/DoduSupport.h"

class TParagraphStore {
 public:
  static constexpr int kBlockItems = 1820;

  TParagraphStore() = default;
  ~TParagraphStore();
  TParagraphStore(const TParagraphStore&) = delete;
  TParagraphStore& operator=(const TParagraphStore&) = delete;

  int Count() const { return FCount; }
  // Item N; N < 0 or N >= Count raises ERangeError "List index out of bounds".
  ParInfo& ParInfoAt(int N);
  const ParInfo& ParInfoAt(int N) const { return const_cast<TParagraphStore*>(this)->ParInfoAt(N); }

  // Adds Delta to StartLine of items N to the last.
  void ShiftStartLines(int N, int Delta);
  // Joins First .. Last (from line LineInPar of First) to the pending reformat range.
  void MarkParsDirty(int First, int LineInPar, int Last);
  bool HasDirtyRange() const { return DirtyLastPar >= DirtyFirstPar; }
  // Empties the pending range (first line = total lines, first = count, last = -1).
  void ClearDirtyRange();
  // Every paragraph loses ddpFormatted; the format range becomes 0 .. Count - 1.
  void ClearFormatted();

  // ---- Changing the paragraphs (the memo's editing) ----
  // A new paragraph with its own copy of the text at N (0..Count); later offsets follow.
  void Insert(int N, const char16_t* Text, int Length);
  // The same at the end, without walking the others: loading a whole text.
  void Append(const char16_t* Text, int Length);
  void Delete(int N);
  void Clear();
  // Gives paragraph N a new text of its own, keeping its codes and lines (the caller fixes
  // those); the offsets of the later paragraphs follow.
  void SetParText(int N, const char16_t* Text, int Length);
  // Recomputes StartOffset from paragraph From on, and the text length.
  void UpdateOffsets(int From);

  // ---- Bookkeeping read and written by the support units ----
  int32_t TextLength = 0;  // in positions: two per paragraph break
  bool StyleCodes = false;
  int32_t TotalLines = 0;
  int32_t VisibleLines = 0;
  // The pending reformat range: first paragraph, its first line, last paragraph.
  int32_t DirtyFirstPar = 0;
  int32_t DirtyFirstLine = 0;
  int32_t DirtyLastPar = -1;
  int32_t LastParsedPar = -1;  // the last paragraph whose scopes are parsed
  int32_t FormatFrom = 0;      // the format range: paragraphs not formatted yet
  int32_t FormatTo = -1;
  // While set, the end-of-update reformat may stop early in the last pending paragraph.
  bool QuickReformat = false;
  int32_t PendingLineDelta = 0;
  // Set when the memo should hear of the change at the end of the update.
  bool NotifyChange = false;

 private:
  ParInfo& Item(int N) { return FBlocks[static_cast<size_t>(N / kBlockItems)][N % kBlockItems]; }
  void Grow();
  static char16_t* CopyText(const char16_t* Text, int Length);

  std::vector<std::unique_ptr<ParInfo[]>> FBlocks;
  int FCount = 0;
};
