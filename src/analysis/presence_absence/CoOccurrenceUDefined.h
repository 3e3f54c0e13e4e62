// The weights editor of the "User-Defined" row and column constraints: one weight per species
// or per site, edited in a grid, opened from and saved to a weights file.
#pragma once

#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"

class TCoOccurrenceUserDefined : public TForm {
 public:
  explicit TCoOccurrenceUserDefined(TComponent* AOwner);

  TStringGrid* SpeciesWeightsGrid;  // "Species" | "Weights", one row per data grid row
  TStringGrid* SitesWeightsGrid;    // "Sites" | "Weights", one row per data grid column

  bool FirstTime = true;
  String CurrentFile;

  void SetDefaults();
  void SetColumns();
  // True when every weight of the visible grid is a positive number; otherwise shows
  // "Weights must be > 0 " / "error row: " + row and returns false.
  bool TestUserDefined();
};

extern TCoOccurrenceUserDefined* CoOccurrenceUserDefined;
