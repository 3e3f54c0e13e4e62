// TRivGridExcelIO: the bridge between one TRivErodovOzar and Excel 97-2003 workbooks. This is
// its first shape: the settings the program's forms give it, and import and export that fail
// with EXlsUnavailable until the workbook reader and writer are joined to it. A failed export
// writes nothing and leaves any existing file alone.
#pragma once

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "grid/RivErodovOzar.h"

// What an export does when the file already exists.
enum TXlsOverwriteMode { omOverwrite, omWarn, omError };

class EXlsUnavailable : public Exception { public: using Exception::Exception; };

class TRivGridExcelIO : public TComponent {
 public:
  explicit TRivGridExcelIO(TComponent* AOwner);

  // The bound grid; the bridge forgets it when it is freed.
  TRivErodovOzar* Grid() const { return FGrid; }
  void SetGrid(TRivErodovOzar* Value);

  // Sheet cell A1 corresponds to grid cell (GridStartCol, GridStartRow).
  int GridStartRow = 1;
  int GridStartCol = 1;
  bool UseUnicode = true;
  TXlsOverwriteMode OverwriteMode = omOverwrite;
  // Asked with Yes and No in omWarn mode; %s stands for the file name.
  String OverwriteMessage = "File %s already exists\rOk to overwrite ?";
  // After a successful export, asks the shell to open the workbook.
  bool ShowInExcel = false;
  bool AutoResizeGrid = true;
  bool ImportCellFormats = true;
  bool ImportCellSizes = true;
  bool ImportCellProperties = false;

  // Loads the first sheet of a workbook into the grid; raises an error on any failure.
  void XLSImport(const String& FileName);
  // Writes the whole grid into a new workbook; raises an error on any failure.
  void XLSExport(const String& FileName);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TRivErodovOzar* FGrid = nullptr;
};
