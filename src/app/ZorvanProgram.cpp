#include "app/ZorvanProgram.h"

#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/chi_square/ChiSquareMain.h"
#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "analysis/presence_absence/GuildStructureMain.h"
#include "analysis/presence_absence/GuildStructureOptions.h"
#include "analysis/presence_absence/SpeciesOverlapMain.h"
#include "analysis/presence_absence/SpeciesOverlapOptions.h"
#include "analysis/regression/RegressionMain.h"
#include "analysis/regression/RegressionOptions.h"
#include "analysis/runs_test/RunsTestMain.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "app/AboutZorvan.h"
#include "app/ChangeDirectoryDialog.h"
#include "app/ExcelExport.h"
#include "app/ProgressSims.h"
#include "app/ZorvanAdvancedEditor.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanRestructureMatrix.h"
#include "app/progressexcel.h"
#include "classlib/Forms.h"

void CreateAllForms() {
  Application->CreateForm(Zorvan);
  Application->CreateForm(ZorvanEditor);
  Application->CreateForm(Progress);
  Application->CreateForm(ZorvanAbout);
  Application->CreateForm(CoOccurrenceUserDefined);
  Application->CreateForm(ChangeDirectory);
  Application->CreateForm(SpeciesOverlapOpts);
  Application->CreateForm(ZorvanRedoMatrix);
  Application->CreateForm(Excelstatus);
  Application->CreateForm(CoOccurrence);
  Application->CreateForm(CoOccurrenceOpts);
  Application->CreateForm(ExportExcel);
  Application->CreateForm(GuildStructure);
  Application->CreateForm(GuildStructureOpts);
  Application->CreateForm(SpeciesOverlap);
  Application->CreateForm(RegressionOpts);
  Application->CreateForm(RegressionShell);
  Application->CreateForm(AnovaOpts);
  Application->CreateForm(AnovaShell);
  Application->CreateForm(ChiSquareOpts);
  Application->CreateForm(ChiSquareShell);
  Application->CreateForm(RunsTestOpts);
  Application->CreateForm(RunsTestShell);
}

int RunZorvan(int argc, char** argv) {
  Application->Initialize(argc, argv);
  Application->Title = "Zorvan";
  CreateAllForms();
  Application->Run();
  return 0;
}
