// The macroecology options form: the X and Y columns, the data distribution, the constraint
// (with its dialog for the user-defined ones, reopened by "&Edit"), the shape and the boundary
// corner, and the general page. Every choice is remembered while the program runs.
#pragma once

#include "analysis/macroecology/MacroecologySims.h"
#include "analysis/standard_tests/StandardOptions.h"
#include "classlib/ExtCtrls.h"

class TMacroecologyOpts : public TColumnPairOpts {
 public:
  explicit TMacroecologyOpts(TComponent* AOwner);

  TComboBox*& XvariableList = FirstList;  // "&X variable:"
  TComboBox*& YvariableList = SecondList;  // "&Y variable:"
  TRadioGroup* SymmetryGroup;              // "Da&ta distribution"
  TRadioGroup* ConstraintsGroup;           // "Co&nstraints"
  TButton* EditButton;                     // "&Edit", shown for the user-defined constraints
  TRadioGroup* PatternGroup;               // "&Shapes"
  TRadioGroup* BoundaryGroup;              // "&Boundary test"

  // The remembered item indexes, stored whenever the form closes.
  Integer& CurrentX_Column = CurrentFirst;
  Integer& CurrentY_Column = CurrentSecond;
  Integer Current_Pattern = 0;
  Integer Current_Symmetry = 0;
  Integer Current_Constraint = 0;
  Integer Current_Boundary = 0;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void resetDefaults();
  // Opens the dialog of the selected constraint (none for "data-defined").
  void ConstraintsGroupClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);

  // The choices as the core names them, mapped from the item indexes here only.
  TPatternChoice Choice() const;
  TConstraint Constraint() const;
  // The data grid columns read: the selected items + 1, or columns 1 and 2 when a selection
  // lies beyond the data grid's columns (a narrower batch file).
  Integer XColumn() const;
  Integer YColumn() const;
  // The titles of the columns read.
  String XTitle() const;
  String YTitle() const;

 private:
  bool ColumnsFit() const;
};

extern TMacroecologyOpts* MacroecologyOpts;
