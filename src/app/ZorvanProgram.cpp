#include "app/ZorvanProgram.h"

#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/niche_overlap/NicheOverlapMain.h"
#include "analysis/niche_overlap/NicheOverlapOptions.h"
#include "analysis/niche_overlap/NicheOverlapUDefined.h"
#include "analysis/macroecology/MacroEcologyUDefined1.h"
#include "analysis/macroecology/MacroEcologyUDefined2.h"
#include "analysis/macroecology/MacroecologyMain.h"
#include "analysis/macroecology/MacroecologyOptions.h"
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
#include "analysis/size_overlap/SizeOverlapMain.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "analysis/size_overlap/SizeOverlapUDefined.h"
#include "analysis/size_overlap/SizeOverlapUDefined3.h"
#include "analysis/size_overlap/SizeOverlapUDefined4.h"
#include "analysis/species_diversity/AbundancelevelsOptions.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
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
  Application->CreateForm(NicheOverlap);
  Application->CreateForm(NicheOverlapOpts);
  Application->CreateForm(NicheOverlapUserDefined);
  Application->CreateForm(SizeOverlapOpts);
  Application->CreateForm(SizeOverLapUD1);
  Application->CreateForm(SizeOverLapUD2);
  Application->CreateForm(SizeOverLapUD3);
  Application->CreateForm(SizeOverLapUD4);
  Application->CreateForm(SizeOverLapUD5);
  Application->CreateForm(SizeOverLapUD6);
  Application->CreateForm(SizeOverlap);
  Application->CreateForm(SpeciesDiversity);
  Application->CreateForm(SpeciesDiversityOpts);
  Application->CreateForm(AbundanceLevelsOpts);
  Application->CreateForm(MacroecologyOpts);
  Application->CreateForm(MacroEcologyUD1);
  Application->CreateForm(MacroEcologyUD2);
  Application->CreateForm(MacroEcology);
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
  Application->Finalize();
  return 0;
}
