// The globals section of a workbook stream: shared strings, fonts, number formats, cell
// formats, palette, the sheet list, defined names, external references and the drawing group,
// with every other record kept in file order. Written back in a fixed order; what TotalSize
// counts is exactly what SaveToStream writes, because sheet offsets are computed from it.
#pragma once

#include "xls/vavUBiffCarriedRecords.h"
#include "xls/vavUBiffFormatRecords.h"
#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUBiffPalette.h"
#include "xls/vavUBiffReferences.h"
#include "xls/vavUBiffSST.h"
#include "xls/vavUBiffSections.h"
#include "xls/vavUSheetNameList.h"

// The BOUNDSHEET records with the names that keep sheet names unique.
class TBoundSheetList {
 public:
  TBoundSheetRecordList& BoundSheets() { return FBoundSheets; }
  const TBoundSheetRecordList& BoundSheets() const { return FBoundSheets; }
  TSheetNameList& SheetNames() { return FSheetNames; }

  void Clear();
  // A duplicated name in a file is refused ("Sheet name already exists: %s").
  void Add(std::unique_ptr<TBoundSheetRecord> aRecord);
  // Returns the name given to the new sheet (SheetName, numbered to be unique).
  WideString InsertSheet(Integer BeforeSheet, Word OptionFlags, const WideString& SheetName);
  void DeleteSheet(Integer SheetIndex);
  void SaveToStream(TOle2File& DataStream) const { FBoundSheets.SaveToStream(DataStream); }
  void SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex) const;
  Int64 TotalSize() const { return FBoundSheets.TotalSize(); }
  Int64 TotalRangeSize(Integer SheetIndex) const;

 private:
  void CheckIndex(Integer SheetIndex) const;
  TSheetNameList FSheetNames;
  TBoundSheetRecordList FBoundSheets;
};

class TWorkbookGlobals : public TBaseSection {
 public:
  TWorkbookGlobals() = default;
  TWorkbookGlobals(const TWorkbookGlobals&) = delete;
  TWorkbookGlobals& operator=(const TWorkbookGlobals&) = delete;

  void Clear() override;
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                      TSST* SST) override;
  void SaveToStream(TOle2File& DataStream) override;
  void SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex, const TXlsCellRange& CellRange) override;
  Int64 TotalSize() const override;
  Int64 TotalRangeSize(Integer SheetIndex, const TXlsCellRange& CellRange) const override;

  // Both the BOF and the EOF of the section were read.
  bool Loaded() const { return FBOF && FEOF; }
  TSST& SST() { return FSST; }
  TReferences& References() { return FReferences; }
  TBoundSheetList& BoundSheets() { return FBoundSheets; }
  TNameRecordList& Names() { return FNames; }
  const TNameRecordList& Names() const { return FNames; }
  const TReferences& References() const { return FReferences; }
  TDrawingGroup& DrawingGroup() { return FDrawingGroup; }
  TXFRecordList& XF() { return FXF; }
  TFontRecordList& Fonts() { return FFonts; }
  TFormatRecordList& Formats() { return FFormats; }
  const TBaseRecordList& MiscRecords() const { return FMiscRecords; }
  bool HasMacro() const { return FHasMacro; }
  bool IsXltTemplate() const { return FIsXltTemplate; }
  void SetIsXltTemplate(bool Value) { FIsXltTemplate = Value; }
  WideString CodeName() const { return FCodeName; }

  Integer SheetCount() const { return FBoundSheets.BoundSheets().Count(); }
  Integer ActiveSheet() const { return FWindow1 ? FWindow1->ActiveSheet() : 0; }
  void SetActiveSheet(Integer Value);
  void SetFirstSheetVisible(Integer Index);
  bool Is1904() const { return F1904 && F1904->Is1904(); }
  void SetIs1904(bool Value) { if (F1904) F1904->SetIs1904(Value); }
  bool PrecisionAsDisplayed() const { return FPrecision && FPrecision->PrecisionAsDisplayed(); }
  void SetPrecisionAsDisplayed(bool Value) { if (FPrecision) FPrecision->SetPrecisionAsDisplayed(Value); }
  bool SaveExternalLinkValues() const { return FBookBool && FBookBool->SaveExternalLinkValues(); }
  void SetSaveExternalLinkValues(bool Value) { if (FBookBool) FBookBool->SetSaveExternalLinkValues(Value); }

  WideString GetSheetName(Integer Index) const { return FBoundSheets.BoundSheets().SheetName(Index); }
  // The name is made valid, must be free, and is renamed in the name list and the BOUNDSHEET.
  void SetSheetName(Integer Index, const WideString& Name);
  Word GetSheetOptionFlags(Integer Index) const { return FBoundSheets.BoundSheets()[Index]->OptionFlags(); }
  TXlsSheetVisible GetSheetVisible(Integer Index) const { return FBoundSheets.BoundSheets().SheetVisible(Index); }
  void SetSheetVisible(Integer Index, TXlsSheetVisible Value) { FBoundSheets.BoundSheets().SetSheetVisible(Index, Value); }
  void SheetSetOffset(Integer Index, Cardinal Offset) { FBoundSheets.BoundSheets()[Index]->SetOffset(Offset); }

  void InsertSheets(Integer CopyFrom, Integer BeforeSheet, Word OptionFlags, const WideString& Name, Integer SheetCount);
  // Refused with "Can't delete a sheet on a file containing macros" when there is a macro project.
  void DeleteSheets(Integer SheetIndex, Integer SheetCount);
  // The defined names follow rows and columns inserted, copied or deleted on a sheet.
  void InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aRowCount, Integer FirstCol,
                                Integer LastCol, Integer DestCol, Integer aColCount, const TSheetInfo& SheetInfo);
  void DeleteRowsAndCols(Integer aRow, Integer aRowCount, Integer aCol, Integer aColCount, const TSheetInfo& SheetInfo);
  // The reference lookups of the link table, for arranging formulas.
  TGetSheet GetSheetLookup() const;
  TGetSheet SetSheetLookup();

  Cardinal GetColorPalette(Integer Index) const;
  void SetColorPalette(Integer Index, Cardinal Color);

  // Name validation; a built-in name (one character up to code 13) adds 0x20 to OptionFlags.
  static bool IsValidRangeName(const WideString& Name, Integer& OptionFlags);
  // Adds a defined name, or replaces the one of the same sheet and name (compared in upper
  // case); its formula is read with CellList, plain references of a workbook-level name on
  // DefaultSheet. A new name that is not valid raises "Invalid named range: "%s"".
  void AddName(TXlsNamedRange& Range, TCellList* CellList, Integer DefaultSheet = 0);
  // The last NAME of the sheet (-1: workbook level) with this name, compared in upper case.
  TNameRecord* GetName(Integer Sheet, const WideString& aName) const;
  void CheckInternalNames(Integer OptionFlags);
  void DeleteCountry();

 private:
  // Appends a record to the kept records, remembering the special ones.
  void AddMisc(std::unique_ptr<TBaseRecord> aRecord);
  Int64 CommonSize() const;

  TSST FSST;
  TReferences FReferences;
  TBoundSheetList FBoundSheets;
  TBaseRecordList FMiscRecords;
  TNameRecordList FNames;
  TDrawingGroup FDrawingGroup;
  TXFRecordList FXF;
  TFontRecordList FFonts;
  TFormatRecordList FFormats;
  TWindow1Record* FWindow1 = nullptr;
  T1904Record* F1904 = nullptr;
  TBookBoolRecord* FBookBool = nullptr;
  TPrecisionRecord* FPrecision = nullptr;
  TPaletteRecord* FPaletteCache = nullptr;
  Integer FPaletteIndex = 0;
  bool FHasMacro = false;
  bool FIsXltTemplate = false;
  WideString FCodeName;
};
