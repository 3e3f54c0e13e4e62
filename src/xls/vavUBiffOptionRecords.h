// Window, print and option records of the workbook globals and the worksheets: window
// settings, zoom, default widths and heights, page header and footer, margins, page setup and
// printer data, centring, sheet options and the workbook switches. Every property works on
// the record's data block; bytes a property does not touch are written back unchanged.
#pragma once

#include "xls/vavUBiffBaseRecords.h"

// A record whose data starts with one 16-bit switch.
class TWordRecord : public TRecordOf<TWordRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word Value() const { return GetWord(Data, 0); }
  void SetValue(Word aValue) { SetWord(Data, 0, aValue); }

 protected:
  bool IsOne() const { return Value() == 1; }
  void SetOne(bool aValue) { SetValue(aValue ? 1 : 0); }
};

// WINDOW1 (0x003D): the workbook window.
class TWindow1Record : public TRecordOf<TWindow1Record, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word Width() const { return GetWord(Data, 4); }
  Word Height() const { return GetWord(Data, 6); }
  Word ActiveSheet() const { return GetWord(Data, 10); }
  Word FirstSheetVisible() const { return GetWord(Data, 12); }
  Word SelectedSheetCount() const { return GetWord(Data, 14); }
  // Also shows the tabs from the first one and selects only the active sheet.
  void SetActiveSheet(Word Value);
  void SetFirstSheetVisible(Word Value) { SetWord(Data, 12, Value); }
  // A window of width or height 0 would be invisible: it is written as 1.
  void SaveToStream(TOle2File& Workbook) const override;
};

// WINDOW2 (0x023E): a sheet's window options and zoom.
class TWindow2Record : public TRecordOf<TWindow2Record, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word Options() const { return GetWord(Data, 0); }
  void SetOptions(Word Value) { SetWord(Data, 0, Value); }
  bool ShowGridLines() const { return Options() & 0x0002; }
  void SetShowGridLines(bool Value) { SetBits(0x0002, Value); }
  bool ShowGridHeaders() const { return Options() & 0x0004; }
  void SetShowGridHeaders(bool Value) { SetBits(0x0004, Value); }
  bool IsFrozen() const { return Options() & 0x0008; }
  void SetIsFrozen(bool Value) { SetBits(0x0008, Value); }
  bool IsFrozenButNoSplit() const { return Options() & 0x0100; }
  void SetIsFrozenButNoSplit(bool Value) { SetBits(0x0100, Value); }
  bool Selected() const { return Options() & 0x0200; }
  // Selected sheets are also displayed: both bits go together.
  void SetSelected(bool Value) { SetBits(0x0600, Value); }
  Word SheetZoom() const { return GetWord(Data, 12); }
  // Stored within 10 .. 400 percent.
  void SetSheetZoom(Integer Value);
  // A copied sheet is not selected.
  std::unique_ptr<TBaseRecord> DoCopyTo() const override;

 private:
  void SetBits(Word Mask, bool Value) { SetOptions(Value ? (Options() | Mask) : (Options() & ~Mask)); }
};

// SCL (0x00A0): zoom as a fraction.
class TSCLRecord : public TRecordOf<TSCLRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static std::unique_ptr<TSCLRecord> CreateFromData(Integer aZoom);
  // Percent; 100 when the denominator is 0. Halves round to even.
  Integer Zoom() const;
  // Stored as value/100, within 10 .. 400.
  void SetZoom(Integer Value);
};

// DEFCOLWIDTH (0x0055): default column width in characters.
class TDefColWidthRecord : public TRecordOf<TDefColWidthRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word Width() const { return GetWord(Data, 0); }
  void SetWidth(Word Value) { SetWord(Data, 0, Value); }
  // Widths of 256 characters or more are written as 255.
  void SaveToStream(TOle2File& Workbook) const override;
};

// STANDARDWIDTH (0x0099): default column width in 1/256 of a character.
class TStandardWidthRecord : public TRecordOf<TStandardWidthRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word Width() const { return GetWord(Data, 0); }
  void SetWidth(Word Value) { SetWord(Data, 0, Value); }
};

// DEFAULTROWHEIGHT (0x0225): default row height in twips.
class TDefRowHeightRecord : public TRecordOf<TDefRowHeightRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word Height() const { return GetWord(Data, 2); }
  void SetHeight(Word Value) { SetWord(Data, 2, Value); }
};

// HEADER (0x0014) and FOOTER (0x0015): page header or footer text.
class TPageHeaderFooterRecord : public TRecordOf<TPageHeaderFooterRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  // Empty for a record without data.
  WideString Text() const;
  // The data becomes the text as a string with a 2-byte count, 8-bit where it fits.
  void SetText(const WideString& Value);
};
class TPageHeaderRecord : public TRecordOf<TPageHeaderRecord, TPageHeaderFooterRecord> {
 public:
  using TRecordOf::TRecordOf;
};
class TPageFooterRecord : public TRecordOf<TPageFooterRecord, TPageHeaderFooterRecord> {
 public:
  using TRecordOf::TRecordOf;
};

// PRINTGRIDLINES (0x002B).
class TPrintGridLinesRecord : public TRecordOf<TPrintGridLinesRecord, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool Value() const { return IsOne(); }
  void SetValue(bool aValue) { SetOne(aValue); }
};

// LEFTMARGIN to BOTTOMMARGIN (0x0026 to 0x0029): a margin in inches.
class TMarginRecord : public TRecordOf<TMarginRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Double Value() const { return GetDouble(Data, 0); }
  void SetValue(Double aValue);
};

// The 34 bytes of the SETUP record.
struct TSetupRec {
  Word PaperSize = 0;
  Word Scale = 0;
  Word PageStart = 0;
  Word FitWidth = 0;
  Word FitHeight = 0;
  Word GrBit = 0;
  Word Resolution = 0;
  Word VResolution = 0;
  Double HeaderMargin = 0;
  Double FooterMargin = 0;
  Word Copies = 0;
};

// SETUP (0x00A1): page setup. Bit 2 of the options says the printer fields are not valid;
// they then read as defaults, and writing one of them makes them valid.
class TSetupRecord : public TRecordOf<TSetupRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static constexpr Word NoPrinterData = 0x0004;

  TSetupRec GetValue() const;
  void SetValue(const TSetupRec& Value);

  Word PrintOptions() const { return GetWord(Data, 10); }
  // Keeps only the low 8 bits of the new options.
  void SetPrintOptions(Word Value) { SetWord(Data, 10, Value & 0x00FF); }
  Word PrintPaperSize() const { return PrinterField(0, 0); }
  void SetPrintPaperSize(Word Value) { SetPrinterField(0, Value); }
  Word Scale() const { return PrinterField(2, 100); }
  void SetScale(Word Value) { SetPrinterField(2, Value); }
  Word PrintXResolution() const { return PrinterField(12, 100); }
  void SetPrintXResolution(Word Value) { SetPrinterField(12, Value); }
  Word PrintYResolution() const { return PrinterField(14, 100); }
  void SetPrintYResolution(Word Value) { SetPrinterField(14, Value); }
  Word PrintCopies() const { return PrinterField(32, 1); }
  void SetPrintCopies(Word Value) { SetPrinterField(32, Value); }
  Word FitWidth() const { return GetWord(Data, 6); }
  void SetFitWidth(Word Value) { SetWord(Data, 6, Value); }
  Word FitHeight() const { return GetWord(Data, 8); }
  void SetFitHeight(Word Value) { SetWord(Data, 8, Value); }
  Double HeaderMargin() const { return GetDouble(Data, 16); }
  void SetHeaderMargin(Double Value) { SetDouble(Data, 16, Value); }
  Double FooterMargin() const { return GetDouble(Data, 24); }
  void SetFooterMargin(Double Value) { SetDouble(Data, 24, Value); }

 private:
  Word PrinterField(size_t Pos, Word Default) const;
  void SetPrinterField(size_t Pos, Word Value);
};

// The printer driver data of a sheet (PLS record).
struct TPrinterDriverSettings {
  Word OperatingEnviroment = 0;
  ArrayOfByte Data;
};

// PLS (0x004D): printer driver settings.
class TPlsRecord : public TRecordOf<TPlsRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static std::unique_ptr<TPlsRecord> CreateFromData(const TPrinterDriverSettings& aPrinterData);
  TPrinterDriverSettings GetPrinterData() const;
  // Resizes the record to the new data.
  void SetPrinterData(const TPrinterDriverSettings& Value);
};

// HCENTER (0x0083), VCENTER (0x0084).
class TPrintCenteredRecord : public TRecordOf<TPrintCenteredRecord, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool Centered() const { return IsOne(); }
  void SetCentered(bool Value) { SetOne(Value); }
};

// WSBOOL (0x0081): sheet options.
class TWsBoolRecord : public TRecordOf<TWsBoolRecord, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool OutlineAutomaticStyles() const { return Value() & 0x0020; }
  void SetOutlineAutomaticStyles(bool V) { SetBits(0x0020, V); }
  bool OutlineSummaryRowsBelowDetail() const { return Value() & 0x0040; }
  void SetOutlineSummaryRowsBelowDetail(bool V) { SetBits(0x0040, V); }
  bool OutlineSummaryColsRightOfDetail() const { return Value() & 0x0080; }
  void SetOutlineSummaryColsRightOfDetail(bool V) { SetBits(0x0080, V); }
  bool FitToPage() const { return Value() & 0x0100; }
  void SetFitToPage(bool V) { SetBits(0x0100, V); }

 private:
  void SetBits(Word Mask, bool V) { SetValue(V ? (Value() | Mask) : (Value() & ~Mask)); }
};

// DATEMODE (0x0022): dates count from 1904.
class T1904Record : public TRecordOf<T1904Record, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool Is1904() const { return IsOne(); }
  void SetIs1904(bool V) { SetOne(V); }
};

// REFMODE (0x000F): 1 means A1 references.
class TRefModeRecord : public TRecordOf<TRefModeRecord, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool IsR1C1() const { return !IsOne(); }
  void SetIsR1C1(bool V) { SetOne(!V); }
};

// PRECISION (0x000E): 0 means "precision as displayed".
class TPrecisionRecord : public TRecordOf<TPrecisionRecord, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool PrecisionAsDisplayed() const { return Value() == 0; }
  void SetPrecisionAsDisplayed(bool V) { TWordRecord::SetValue(V ? 0 : 1); }
};

// BOOKBOOL (0x00DA): 1 means external link values are not saved.
class TBookBoolRecord : public TRecordOf<TBookBoolRecord, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool SaveExternalLinkValues() const { return !IsOne(); }
  void SetSaveExternalLinkValues(bool V) { SetOne(!V); }
};

// AUTOFILTERINFO (0x009D).
class TAutoFilterInfoRecord : public TRecordOf<TAutoFilterInfoRecord, TWordRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word DropDownCount() const { return Value(); }
  void SetDropDownCount(Word V) { SetValue(V); }
};
