#include "xls/vavUBiffChart.h"

#include <algorithm>

#include "xls/vavUBiffTokenArray.h"

// ---------------------------------------------------------------------------------------------
// TChartAIRecord

TChartAIRecord::TChartAIRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, std::move(aData)) {
  Flags = GetWord(Data, 0);
  FLen = GetWord(Data, 6);
  if (8 + static_cast<size_t>(FLen) > Data.size()) RaiseXls(XlsMsg::ReadingRecord);
}

namespace {
template <class F>
void Guarded(F&& Arrange) {
  try {
    Arrange();
  } catch (const ETokenException& e) {
    RaiseXls(XlsMsg::ChartFormula, {Int64{e.Token}});
  }
}
}  // namespace

void TChartAIRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                              const TSheetInfo& SheetInfo) {
  if (FLen == 0) return;
  Guarded([&] {
    ArrangeInsertRowsAndColsTokens(Data, 8, 8 + FLen, true, SheetInfo, 0, aColCount, aColPos, 0, aRowCount, aRowPos);
  });
}

void TChartAIRecord::ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
  if (FLen == 0) return;
  const TSheetInfo none;  // no insertion: both sheets -1
  Guarded([&] { ArrangeInsertRowsAndColsTokens(Data, 8, 8 + FLen, false, none, ColOffset, 0, 0, RowOffset, 0, 0); });
}

void TChartAIRecord::ArrangeCopySheet(const TSheetInfo& SheetInfo) {
  if (FLen == 0) return;
  Guarded([&] { ArrangeCopySheetTokens(Data, 8, 8 + FLen, SheetInfo); });
}

// ---------------------------------------------------------------------------------------------
// TChartAIRecordCache

void TChartAIRecordCache::Remove(const TChartAIRecord* aRecord) {
  auto it = std::find(FItems.begin(), FItems.end(), aRecord);
  if (it != FItems.end()) FItems.erase(it);
}

void TChartAIRecordCache::ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
  for (TChartAIRecord* r : FItems) r->ArrangeCopyRowsAndCols(RowOffset, ColOffset);
}

void TChartAIRecordCache::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos,
                                                   Integer aColCount, const TSheetInfo& SheetInfo) {
  for (TChartAIRecord* r : FItems) r->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
}

void TChartAIRecordCache::ArrangeCopySheet(const TSheetInfo& SheetInfo) {
  for (TChartAIRecord* r : FItems) r->ArrangeCopySheet(SheetInfo);
}

// ---------------------------------------------------------------------------------------------
// TChartRecordList

void TChartRecordList::Notify(TBaseRecord* Item, bool Added) {
  if (auto* ai = dynamic_cast<TChartAIRecord*>(Item)) {
    if (Added)
      AICache.Add(ai);
    else
      AICache.Remove(ai);
  }
  TBaseRecordList::Notify(Item, Added);
}
