// TPrinter: the printer object over Qt Print Support. A document goes to the printer named in
// PrinterName (the desktop's print system), or into the PDF file FileName when no printer is
// named; with neither, to the system's default printer, or a PDF file in the home folder when
// the system has no printer.
//
// The printer canvas works at 96 pixels per inch: text and lines stay vectors in the output,
// and the drawing arithmetic of a printout matches the screen's.
#pragma once

#include <memory>

#include "classlib/Canvas.h"
#include "classlib/Exceptions.h"

enum TPrinterOrientation { poPortrait, poLandscape };

// DeviceCapabilities query for the angle of landscape output.
constexpr int DC_ORIENTATION = 17;

class TPrinter : public TObject {
 public:
  TPrinter();
  ~TPrinter() override;
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Raises EPrinter "Printing in progress" when a document is already begun.
  void BeginDoc();
  // Ends the document and sends it out; nothing without a document.
  void EndDoc();
  // Drops the begun document: nothing is sent, a PDF file being written is removed.
  void Abort();
  // Raises EPrinter "Printer is not currently printing" without a document.
  void NewPage();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  int PageNumber() const { return FPageNumber; }

  String Title;
  String PrinterName;
  String FileName;
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value) { FOrientation = Value; }

  // The printable area in pixels of the printer canvas.
  int PageWidth() const;
  int PageHeight() const;
  int PixelsPerInch() const { return kPixelsPerInch; }
  // DC_ORIENTATION: 90, the angle by which landscape output turns portrait pages.
  int DeviceCapabilities(int Capability) const;
  // Draws on the page being printed; usable only between BeginDoc and EndDoc.
  TCanvas* Canvas() const { return FCanvas.get(); }
  // The file the last document went to (empty when it went to a printer).
  String OutputFileName() const { return FOutputFileName; }

  static constexpr int kPixelsPerInch = 96;

 private:
  struct Device;
  std::unique_ptr<Device> d;
  std::unique_ptr<TCanvas> FCanvas;
  TPrinterOrientation FOrientation = poPortrait;
  bool FPrinting = false;
  bool FAborted = false;
  int FPageNumber = 0;
  String FOutputFileName;
};

// The application's printer, made on first use.
TPrinter* Printer();
