// The species-overlap analysis: groups of species by the labels of column 1, the mean pairwise
// site overlap inside every group, and a null model that shuffles cells or labels.
#pragma once

#include "analysis/presence_absence/GroupResults.h"

class TSpeciesOverlap : public TGroupResults {
 public:
  explicit TSpeciesOverlap(TComponent* AOwner);

  TMenuItem* GroupAverages1;            // "&Group Averages"
  TMenuItem* Comma1;                    // "Space delimited (.txt)"
  TMenuItem* CommaDelimitedtxt1;        // "Comma delimited (.txt)"
  TMenuItem* Excelxls1;                 // "Excel (.xls)"

  void Comma1Click(TObject* Sender);
  void CommaDelimitedtxt1Click(TObject* Sender);
  void Excelxls1Click(TObject* Sender);

 protected:
  TGroupRunSetup Setup() override;
};

extern TSpeciesOverlap* SpeciesOverlap;
