// TRivGridExcelIO: the bridge between a grid and an Excel 97-2003 workbook file. It keeps no
// workbook of its own: every call makes one workbook file object, talks to it only through
// TExcelFile and frees it before returning, also after a failure.
//
// Import reads the whole sheet first and changes the grid only once it has been read, so a
// file that fails to load leaves the grid as it was. Export writes a temporary file beside
// the target and puts it in place only after a successful save, so a failed export leaves an
// existing file as it was.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/workbook/RivGridWorkbook.h"
#include "xls/vavUExcelAdapter.h"

// The rows and columns of a sheet, counted from 1; the bridge keeps what it reads within them.
inline constexpr Integer kSheetRows = 65536;
inline constexpr Integer kSheetCols = 256;

// What an export does when the file already exists: keep it and write into it, replace it,
// or ask first.
enum TOverwriteMode { omNever, omAlways, omWarn };

// How an export into an existing sheet of the same name treats what the sheet holds.
enum TInsertInSheet {
  InsertInSheet_Clear,
  InsertInSheet_OverwriteCells,
  InsertInSheet_InsertRows,
  InsertInSheet_InsertCols,
  InsertInSheet_InsertRowsExceptFirstAndSecond,
  InsertInSheet_InsertColsExceptFirstAndSecond
};

class TROZIOOptions : public TPersistent {
 public:
  TROZIOOptions() = default;
  // Copies the four import options a caller picks together; anything else goes the
  // TPersistent way.
  void Assign(TPersistent* Source) override;

  // Import.
  bool ImportCellProperties = false;  // colours, fonts, alignment and formula text
  bool ImportCellSizes = true;        // default and per-row/column sizes
  bool ImportCellFormats = true;      // a cell's text is its value rendered with its number format
  bool ImportFormulas = true;         // with cell properties: a formula cell shows its formula
  bool ImportImages = true;
  bool ImportPrintOptions = true;
  bool ImportActiveSheet = false;
  bool ImportLockedCellsAsReadonly = false;
  // Export.
  bool ExportCellSizes = true;
  bool ExportCellFormats = true;      // typed conversion of cell text (numbers, Booleans, dates)
  bool ExportFormulas = true;         // text starting with "=" becomes a formula when it parses
  bool ExportCellProperties = true;   // fonts, fills and alignment as cell formats
  bool ExportWordWrapped = false;
  bool ExportHTMLTags = true;
  bool ExportRawRTF = false;
  bool ExportHiddenColumns = false;
  bool ExportHiddenRows = false;
  bool ExportShowInExcel = false;     // open the saved file through the shell
  TOverwriteMode ExportOverwrite = omNever;
  String ExportOverwriteMessage = "File %s already exists\rOk to overwrite ?";
  bool ExportHardBorders = false;
  bool ExportShowGridLines = true;
  bool ExportPrintOptions = true;
  bool ExportSummaryRowsBelowDetail = false;
  bool ExportCellMargins = false;
  bool ExportReadonlyCellsAsLocked = false;
  bool UseExcelStandardColorPalette = true;
};

using TROZIOProgressEvent =
    std::function<void(TObject* Sender, Integer SheetNum, Integer SheetTot, Integer RowNum, Integer RowTot)>;
using TWbkFormatCellEvent =
    std::function<void(TRivErodovOzar* Sender, Integer GridCol, Integer GridRow, Integer XlsCol, Integer XlsRow,
                       const WideString& Value, WideString& DateFormat, WideString& TimeFormat)>;
using TWbkFormatCellGenericEvent =
    std::function<void(TRivErodovOzar* Sender, Integer GridCol, Integer GridRow, Integer XlsCol, Integer XlsRow,
                       const WideString& Value, TWbkFormat& Format)>;
using TExportColumnFormatEvent =
    std::function<void(TObject* Sender, Integer GridCol, Integer GridRow, Integer XlsCol, Integer XlsRow,
                       const WideString& Value, bool& ExportCellAsString)>;
using TGetCommentBoxSizeEvent =
    std::function<void(TObject* Sender, const WideString& Comment, Integer& Height, Integer& Width)>;
using TWbkGetCellFormulaEvent = std::function<void(TRivErodovOzar* Sender, Integer GridCol, Integer GridRow,
                                                   const WideString& Value, WideString& Formula)>;

class TRivGridExcelIO : public TComponent {
 public:
  explicit TRivGridExcelIO(TComponent* AOwner);
  ~TRivGridExcelIO() override;

  // The grid to fill and read; the bridge forgets it when it is freed.
  TRivErodovOzar* RivErodovOzar() const { return FRivErodovOzar; }
  void SetRivErodovOzar(TRivErodovOzar* Value);

  // A grid workbook to fill and read instead: every sheet of a file goes into a sheet of it.
  // Setting one forgets the other.
  TRivGridWorkbook* RivGridWorkbook() const { return FRivGridWorkbook; }
  void SetRivGridWorkbook(TRivGridWorkbook* Value);

  TROZIOOptions* Options() const { return FOptions.get(); }

  bool AutoResizeGrid = true;
  bool UseUnicode = false;
  bool ZoomSaved = true;
  String DateFormat;
  String TimeFormat;

  // Grid cell (GridStartCol + c - XlsStartCol, GridStartRow + r - XlsStartRow) holds sheet cell
  // (r, c). A negative grid start is stored as 1, a sheet start below 1 as 1.
  Integer GridStartRow() const { return FGridStartRow; }
  void SetGridStartRow(Integer Value) { FGridStartRow = Value < 0 ? 1 : Value; }
  Integer GridStartCol() const { return FGridStartCol; }
  void SetGridStartCol(Integer Value) { FGridStartCol = Value < 0 ? 1 : Value; }
  Integer XlsStartRow() const { return FXlsStartRow; }
  void SetXlsStartRow(Integer Value) { FXlsStartRow = Value < 1 ? 1 : Value; }
  Integer XlsStartCol() const { return FXlsStartCol; }
  void SetXlsStartCol(Integer Value) { FXlsStartCol = Value < 1 ? 1 : Value; }
  // Used instead of the sheet's own zoom when ZoomSaved is off; held to 10..400.
  Integer Zoom() const { return FZoom; }
  void SetZoom(Integer Value) { FZoom = Value < 10 ? 10 : Value > 400 ? 400 : Value; }
  String Version() const;
  void SetVersion(const String&) {}

  // The names of the last file's sheets, in sheet order.
  Integer SheetNamesCount() const { return static_cast<Integer>(FSheetNames.size()); }
  const String& SheetNames(Integer Index) const { return FSheetNames.at(static_cast<size_t>(Index)); }

  // Supplies the workbook file objects instead of a new Excel 97-2003 file object each call.
  // Not owned; forgotten when it is freed.
  TExcelAdapter* Adapter() const { return FAdapter; }
  void SetAdapter(TExcelAdapter* Value);

  TROZIOProgressEvent OnProgress;
  TWbkFormatCellEvent OnDateTimeFormat;
  TWbkFormatCellGenericEvent OnCellFormat;
  TExportColumnFormatEvent OnExportColumnFormat;
  TGetCommentBoxSizeEvent OnGetCommentBoxSize;
  TWbkGetCellFormulaEvent OnGetCellFormula;
  // Import: told the row and column counts the grid will get once the sheet's size is known,
  // before any cell is read. An error it raises ends the import with the grid as it was, so
  // a caller can refuse a sheet too large for it without the cost of reading it.
  std::function<void(Integer RowCount, Integer ColCount)> OnImportSize;

  // Loads the first sheet, the sheet with that 1-based number, or the sheet of that name
  // (letter case ignored; the later of two matches). Failures are raised; the grid is then
  // as it was.
  void XLSImport(const String& FileName);
  void XLSImport(const String& FileName, Integer SheetNumber);
  void XLSImport(const String& FileName, const String& SheetName);
  // Reads only the file's sheet names.
  void LoadSheetNames(const String& FileName);

  // Writes the grid into FileName. An existing file is kept and written into (omNever),
  // replaced (omAlways) or replaced after the user says Yes (omWarn; any other answer returns
  // at once). SheetName names the target sheet (an existing sheet of that name is reused as
  // InsertInSheet says); SheetPos places a new one; SelectSheet is the sheet shown on opening.
  void XLSExport(const String& FileName, const String& SheetName = "", Integer SheetPos = -1,
                 Integer SelectSheet = 1, TInsertInSheet InsertInSheet = InsertInSheet_Clear);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TSheetImage;
  std::unique_ptr<TExcelFile> CreateWorkbookFile();
  static void CloseWorkbookFile(TExcelFile* File);
  TRivErodovOzar* CurrentGrid() const { return FRivGridWorkbook ? FRivGridWorkbook->Grid() : FRivErodovOzar; }
  void ImportWorkbook(const String& FileName, Integer SheetNumber, const String& SheetName);
  void OpenForImport(TExcelFile* File, const String& FileName);
  void ReadSheet(TExcelFile* File, TSheetImage& Image);
  void ImportPictures(TExcelFile* File, TSheetImage& Image, double Zoom, Integer& RowCount, Integer& ColCount);
  void ApplySheet(const TSheetImage& Image);
  void ExportSheet(TExcelFile* File);
  void ExportCell(TExcelFile* File, Integer GridCol, Integer GridRow, Integer XlsRow, Integer XlsCol);
  void WriteTypedText(TExcelFile* File, Integer XlsRow, Integer XlsCol, const String& Text, const TWbkFormat& Fm,
                      const String& DateFmt, const String& TimeFmt);
  Integer NearestPaletteColor(TExcelFile* File, TColor Color);
  void PrepareUsedColors(TExcelFile* File);
  String PrepareExportText(const String& Text);
  void ExportCellPicture(TExcelFile* File, TGraphic* Graphic, const TCellGraphic& CellGraphic, Integer GridCol,
                         Integer GridRow, Integer XlsRow, Integer XlsCol);
  void ExportCellBorders(TExcelFile* File, TWbkFormat& Format, Integer GridCol, Integer GridRow, Integer SpanX);
  void ExportHiddenRow(TExcelFile* File, Integer GridRow, Integer XlsRow, const std::vector<Integer>& Columns);
  void ExportCellGraphic(TExcelFile* File, Integer GridCol, Integer GridRow, Integer XlsRow, Integer XlsCol);

  TRivErodovOzar* FRivErodovOzar = nullptr;
  TRivGridWorkbook* FRivGridWorkbook = nullptr;
  TExcelAdapter* FAdapter = nullptr;
  std::unique_ptr<TROZIOOptions> FOptions;
  Integer FGridStartRow = 1;
  Integer FGridStartCol = 1;
  Integer FXlsStartRow = 1;
  Integer FXlsStartCol = 1;
  Integer FZoom = 100;
  std::vector<String> FSheetNames;
  Integer FWorkSheet = 0;
  Integer FWorkSheetNum = 0;
  BooleanArray FUsedColors;
  // Borders a cell hands on during an export: its bottom border to the cell below, its right
  // border to the cell on its right; one entry per real grid column.
  struct TCarriedBorder {
    bool Bottom = false, Right = false;
    Integer BottomColor = 0, RightColor = 0;
  };
  std::vector<TCarriedBorder> FCarriedBorders;
};

// Whether Text is a date written in the regional short-date pattern: its day, month and year
// numbers in the pattern's order, joined by the regional date separator. Without the year, day
// and month need two digits each, so short labels such as "1-2" or "3/4" are not dates.
bool IsShortDateText(const String& Text);

// Where a box of Width x Height pixels goes when its top-left corner lies Dx, Dy pixels right of
// and below the top-left corner of sheet cell (Row, Col), all 1-based, in the sheet's own units.
TImageProperties ImagePropertiesFromPixels(TExcelFile* File, Integer Row, Integer Col, Integer Width, Integer Height,
                                           Integer Dx, Integer Dy);

// A picture anchor's size in pixels at the sheet's row heights and column widths (1-based).
TPoint AnchorPixelSize(TExcelFile* File, const TClientAnchor& Anchor);

// The format a sheet cell shows: its own, else its row's, else its column's, else the default
// cell format (XF 15).
TWbkFormat ReadCellFormat(TExcelFile* File, Integer Row, Integer Col);
