// The size-overlap options form: the metric, the analysed column, the body-size distribution
// (a parametric law with data-defined or user-defined parameters, or the user's histogram),
// the transformation and the rounding, and the "General" page. Choosing "User defined" or
// "Histogram" opens the matching parameter dialog at once; "&Edit" opens it again.
#pragma once

#include "analysis/size_overlap/SizeOverlapSims.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TSizeOverlapOpts : public TForm {
 public:
  explicit TSizeOverlapOpts(TComponent* AOwner);

  TPageControl* PageControl1;
  TTabSheet* PreferencesSheet;  // "Preferences"
  TTabSheet* GeneralSheet;      // "General"

  TRadioGroup* MetricGroup;                    // "&Metric"
  TGroupBox* ColumnGroup;                      // "Co&Lumn to analyze"
  TComboBox* ColumnList;                       // item k: data grid column k + 1
  TRadioGroup* BodySizeDistributionGroup;      // "&Body size distribution"
  TRadioGroup* BodySizeDistributionGroupMain;  // the parametric law
  TRadioGroup* BodySizeDistributionGroupC;     // "Data defined" / "User defined"
  TButton* EditUserDefinedButton;              // "&Edit"
  TRadioGroup* UserHistogramGroup;             // "User defined histogram"
  TRadioGroup* TransformationGroup;            // "&Transformation"
  TRadioGroup* RoundingGroup;                  // "Roundin&G"

  TEdit* FileEdit;
  TMaskEdit* IterationsEdit;
  TEdit* RandomSeedEdit;
  TCheckBox* SaveMatrixCheckBox;

  TMainMenu* MainMenu1;
  TMenuItem* Run1;
  TMenuItem* Cancel1;
  TMenuItem* Help1;
  TMenuItem* ResetDefaults1;

  // The column list's selection when the form last closed.
  Integer CurrentColumn = 0;

  // The data grid column analysed: the selected item + 1, the first data column when nothing
  // is selected.
  int AnalysedColumn() const;
  // The choices and the dialogs' parameters, as the null model takes them.
  SizeOverlapOptions NullModelOptions() const;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ColumnTitlesToList();
  void Run1Click(TObject* Sender);
  void Cancel1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void ResetDefaults1Click(TObject* Sender);
  void ResetDefaults();
  void BodySizeDistributionGroupClick(TObject* Sender);
  void BodySizeDistributionGroupMainClick(TObject* Sender);
  void BodySizeDistributionGroupCClick(TObject* Sender);
  void BodyDistributionClicks();
  void EditUserDefinedButtonClick(TObject* Sender);

 private:
  TRadioGroup* NewGroup(const String& Name, const String& Caption, std::initializer_list<const char*> Items,
                        int ItemIndex, int Left, int Top, int Width, int Height);
};

extern TSizeOverlapOpts* SizeOverlapOpts;

// The distribution the options select.
SizeDistribution SelectedDistribution(const TSizeOverlapOpts* Options);
