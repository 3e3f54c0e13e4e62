// The printer object over QPrinter.
#include "classlib/Printers.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>


struct TPrinter::Device {
  QPrinter printer{QPrinter::ScreenResolution};
  QPainter painter;
};

TPrinter::TPrinter() : d(std::make_unique<Device>()), FCanvas(std::make_unique<TCanvas>()) {
  d->printer.setResolution(kPixelsPerInch);
}

TPrinter::~TPrinter() {
  if (FPrinting) Abort();
}

namespace {
QString Q(const String& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

void TPrinter::BeginDoc() {
  if (FPrinting) throw EPrinter("Printing in progress");
  QPrinter& p = d->printer;
  p.setResolution(kPixelsPerInch);
  p.setDocName(Q(Title));
  p.setPageOrientation(FOrientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  FOutputFileName.clear();
  String printer = PrinterName;
  if (printer.empty() && FileName.empty()) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) printer = info.printerName().toStdString();
  }
  if (!printer.empty()) {
    p.setOutputFormat(QPrinter::NativeFormat);
    p.setPrinterName(Q(printer));
  } else {
    FOutputFileName = FileName.empty()
                          ? (QDir::homePath() + "/" + (Title.empty() ? QString("Print") : Q(Title)) + ".pdf").toStdString()
                          : FileName;
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(Q(FOutputFileName));
  }
  if (!d->painter.begin(&p)) throw EPrinter("Printer selected is not valid");
  FCanvas->BeginPainting(&d->painter);
  FCanvas->SetPixelsPerInch(kPixelsPerInch);
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
}

void TPrinter::EndDoc() {
  if (!FPrinting) return;
  FCanvas->EndPainting();
  d->painter.end();
  FPrinting = false;
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  FCanvas->EndPainting();
  d->printer.abort();
  if (d->painter.isActive()) d->painter.end();
  if (!FOutputFileName.empty()) QFile::remove(Q(FOutputFileName));
  FPrinting = false;
  FAborted = true;
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EPrinter("Printer is not currently printing");
  d->printer.newPage();
  ++FPageNumber;
}

int TPrinter::PageWidth() const {
  QPageLayout layout = d->printer.pageLayout();
  layout.setOrientation(FOrientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  return layout.paintRectPixels(kPixelsPerInch).width();
}

int TPrinter::PageHeight() const {
  QPageLayout layout = d->printer.pageLayout();
  layout.setOrientation(FOrientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  return layout.paintRectPixels(kPixelsPerInch).height();
}

int TPrinter::DeviceCapabilities(int Capability) const { return Capability == DC_ORIENTATION ? 90 : 0; }

TPrinter* Printer() {
  // Kept to the end of the process: Qt's print system may not be torn down after the application.
  static TPrinter* printer = new TPrinter;
  return printer;
}
