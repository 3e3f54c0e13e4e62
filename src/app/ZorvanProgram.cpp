#include "app/ZorvanProgram.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "app/AboutZorvan.h"
#include "app/ChangeDirectoryDialog.h"
#include "app/ExcelExport.h"
#include "app/ProgressSims.h"
#include "app/ZorvanAdvancedEditor.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanRestructureMatrix.h"
#include "app/progressexcel.h"
#include "classlib/Forms.h"
#include "classlib/qt/PaintGlue.h"

void CreateAllForms() {
  Application->CreateForm(Zorvan);
  Application->CreateForm(ZorvanEditor);
  Application->CreateForm(Progress);
  Application->CreateForm(ZorvanAbout);
  Application->CreateForm(CoOccurrenceUserDefined);
  Application->CreateForm(ChangeDirectory);
  Application->CreateForm(ZorvanRedoMatrix);
  Application->CreateForm(Excelstatus);
  Application->CreateForm(CoOccurrence);
  Application->CreateForm(CoOccurrenceOpts);
  Application->CreateForm(ExportExcel);
}

int RunZorvan(int argc, char** argv) {
  QApplication qapp(argc, argv);
  // A fixed look: the same style and fonts on every machine.
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setFont(QFont("DejaVu Sans", 9));
  Application->Initialize();
  Application->Title = "Zorvan";
  Application->ExeName = argc > 0 ? argv[0] : "zorvan";
  Application->SetViewsEnabled(true);
  InstallPaintGlue();
  CreateAllForms();
  Application->Run();
  return 0;
}
