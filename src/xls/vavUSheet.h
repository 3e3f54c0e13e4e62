// The common base of the sheet sections of a workbook (worksheets, chart sheets and other
// sheets): the section's BOF and EOF, the special records its operations reach directly, and
// the operations every kind of sheet answers. The special-record fields point into the sheet's
// own record lists; the lists own the records.
#pragma once

#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUBiffSections.h"
#include "xls/vavUWorkbookGlobals.h"

class TSheet : public TBaseSection {
 public:
  explicit TSheet(TWorkbookGlobals* aWorkbookGlobals) : FWorkbookGlobals(aWorkbookGlobals) {}
  TSheet(const TSheet&) = delete;
  TSheet& operator=(const TSheet&) = delete;

  void Clear() override;
  Int64 TotalSize() const override;
  // The bytes every save writes besides the lists: BOF, EOF and CODENAME.
  Int64 SheetBaseSize() const;
  virtual Int64 FixTotalSize(bool NeedsRecalc) const = 0;

  // A deep copy with the same globals and no code name; none for none.
  static std::unique_ptr<TSheet> CopyTo(const TSheet* aSheet) { return aSheet ? aSheet->DoCopyTo() : nullptr; }

  // Points the special-record field for the record's id at it.
  void LinkRecord(TBaseRecord* aRecord);
  virtual void RelinkRecords() = 0;

  virtual void InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aRowCount,
                                        Integer FirstCol, Integer LastCol, Integer DestCol, Integer aColCount,
                                        const TSheetInfo& SheetInfo, bool OnlyFormulas) = 0;
  virtual void DeleteRowsAndCols(Word aRow, Word aRowCount, Word aCol, Word aColCount, const TSheetInfo& SheetInfo) = 0;
  virtual void ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColPos, Integer InsColCount,
                                        const TSheetInfo& SheetInfo) = 0;
  virtual void ArrangeCopySheet(const TSheetInfo&) {}
  virtual void RestoreObjectCoords() {}
  // Every row holding cells gets its ROW record; nothing for sheets without cells.
  virtual void FixRows() {}

  // View and print settings; a missing record reads as its default (vavUSheetView.cpp).
  bool ShowGridLines() const { return !FWindow2 || FWindow2->ShowGridLines(); }
  void SetShowGridLines(bool Value) { if (FWindow2) FWindow2->SetShowGridLines(Value); }
  bool ShowGridHeaders() const { return !FWindow2 || FWindow2->ShowGridHeaders(); }
  void SetShowGridHeaders(bool Value) { if (FWindow2) FWindow2->SetShowGridHeaders(Value); }
  bool PrintGridLines() const { return !FPrintGridLines || FPrintGridLines->Value(); }
  void SetPrintGridLines(bool Value) { if (FPrintGridLines) FPrintGridLines->SetValue(Value); }
  WideString PageHeader() const { return FPageHeader ? FPageHeader->Text() : WideString(); }
  void SetPageHeader(const WideString& Text) { if (FPageHeader) SetHeaderFooterText(*FPageHeader, Text); }
  WideString PageFooter() const { return FPageFooter ? FPageFooter->Text() : WideString(); }
  void SetPageFooter(const WideString& Text) { if (FPageFooter) SetHeaderFooterText(*FPageFooter, Text); }
  TXlsMargins Margins() const;
  void SetMargins(const TXlsMargins& Value);
  Integer SheetZoom() const { return FZoom ? FZoom->Zoom() : 100; }
  void SetSheetZoom(Integer Value);
  bool IsR1C1() const { return FRefMode && FRefMode->IsR1C1(); }
  void SetIsR1C1(bool Value) { if (FRefMode) FRefMode->SetIsR1C1(Value); }
  void FreezePanes(Integer Row, Integer Col);
  void GetFrozenPanes(Integer& Row, Integer& Col) const;
  void SplitWindow(Integer xOffset, Integer yOffset);
  void GetSplitWindow(Integer& xOffset, Integer& yOffset) const;

  TWorkbookGlobals* WorkbookGlobals() const { return FWorkbookGlobals; }
  TBOFRecord* BOF() const { return FBOF.get(); }
  TWindow2Record* Window2() const { return FWindow2; }
  WideString CodeName() const { return FCodeName ? FCodeName->SheetName() : WideString(); }
  void SetCodeName(const WideString& Name);
  bool Selected() const { return FWindow2 && FWindow2->Selected(); }
  void SetSelected(bool Value) { if (FWindow2) FWindow2->SetSelected(Value); }

  // The DIMENSIONS values read with the sheet.
  TDimensionsRec OriginalDimensions;

 protected:
  virtual std::unique_ptr<TSheet> DoCopyTo() const = 0;
  // Replaces the text and keeps the print-record list's size total right.
  void SetHeaderFooterText(TPageHeaderFooterRecord& aRecord, const WideString& Text);
  // Makes an SCL record where the kind of sheet keeps one.
  virtual void AddZoomRecord() {}
  // Makes sure a PANE record exists (Value) or is gone (not Value), where the kind keeps one.
  virtual void SetPaneRecord(bool) {}
  TMarginRecord* AddMargin(Word aId);
  // Copies what every kind shares: BOF and EOF (the code name is not copied).
  void CopyBaseTo(TSheet& Dest) const;
  // Places the records every kind treats alike; false when the caller must place the record.
  bool PlaceBaseRecord(std::unique_ptr<TBaseRecord>& aRecord, TSST* SST);
  void SaveBaseHead(TOle2File& DataStream) const;
  void SaveBaseTail(TOle2File& DataStream) const;
  // Resets the special-record fields.
  void UnlinkRecords();

  TWorkbookGlobals* FWorkbookGlobals;
  TWindow2Record* FWindow2 = nullptr;
  TPageHeaderRecord* FPageHeader = nullptr;
  TPageFooterRecord* FPageFooter = nullptr;
  TPrintGridLinesRecord* FPrintGridLines = nullptr;
  TMarginRecord* FLeftMargin = nullptr;
  TMarginRecord* FRightMargin = nullptr;
  TMarginRecord* FTopMargin = nullptr;
  TMarginRecord* FBottomMargin = nullptr;
  TSetupRecord* FSetup = nullptr;
  TPlsRecord* FPrinterDriverSettings = nullptr;
  TWsBoolRecord* FWSBool = nullptr;
  TPrintCenteredRecord* FHCenter = nullptr;
  TPrintCenteredRecord* FVCenter = nullptr;
  TSCLRecord* FZoom = nullptr;
  TGutsRecord* FGuts = nullptr;
  TPaneRecord* FPane = nullptr;
  TAutoFilterInfoRecord* FAutoFilterInfo = nullptr;
  TRefModeRecord* FRefMode = nullptr;
  TBaseRecordList* FPrintRecords = nullptr;
  std::unique_ptr<TCodeNameRecord> FCodeName;
};
