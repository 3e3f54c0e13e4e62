// The summary text of a co-occurrence or range-overlap run: what was run, the statistics and
// histograms of the normal and the degenerate set, and the input matrix as the grid holds it.
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace {

const char* const kRowLines[] = {"Row sums equiprobable.", "Row sums fixed.", "Row sums proportional.",
                                 "Row sums user-defined."};
const char* const kColumnLines[] = {"Column sums equiprobable.", "Column sums fixed.", "Column sums proportional",
                                    "Column sums user-defined."};
const char* const kFixedFixedNames[] = {" (Sequential Swap algorithm)", " (Independent Swap algorithm)",
                                        " (Random Knights Tour algorithm)", ""};
// In the order of PairIndexKind.
const char* const kIndexNames[] = {"C-score",          "Number of pairs of checkerboard species",
                                   "Number of combinations", "Variance ratio",
                                   "Relative Overlap", "Union",
                                   "Overlap"};
const char* const kPolicyNames[] = {"Retain", "Discard", "Split", "Fix"};


// Items 12 to 15 of a set: statistics, counts, effect size and the histogram lines.
void AddSet(TStrings* Lines, const String& Observed, const String& MeanText, const String& VarianceText,
            const String& P1, const String& P2, const String& Less, const String& Equal, const String& Greater,
            const String& Ses, const TMemo* Edges, const TMemo* Counts) {
  Lines->Add("Observed index = " + Observed);
  Lines->Add("Mean of simulated indices = " + MeanText);
  Lines->Add("Variance of simulated indices = " + VarianceText);
  Lines->Add(kLowerTailLabel + P1);
  Lines->Add(kUpperTailLabel + P2);
  Lines->Add("");
  Lines->Add("Number of times observed index < simulated indices = " + Less);
  Lines->Add("Number of times observed index = simulated indices = " + Equal);
  Lines->Add("Number of times observed index > simulated indices = " + Greater);
  Lines->Add(kSesLabel + Ses);
  Lines->Add("");
  Lines->Add("Simulation frequencies:");
  Lines->Add("Histogram          # Simulations");
  for (int k = 0; k < kHistogramLines; ++k)
    Lines->Add(Edges->Lines()->Strings(k) + "  " + Counts->Lines()->Strings(k));
}

}  // namespace

void TCoOccurrence::SummaryDisplay() {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  const NullModelOptions& model = FChoices.Model;
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  TStrings* lines = &summary;
  lines->Add("Input file = " + Zorvan->FileName);
  lines->Add("Rows = " + IntToStr(data->RowCount() - 1) + "; Columns = " + IntToStr(data->ColCount() - 1));
  lines->Add("Iterations = " + its);
  lines->Add("Random seed = " + IntToStr(CurrentSeed));
  String rowLine = kRowLines[static_cast<int>(model.Rows)];
  if (model.Rows == Constraint::FixedSum && model.Columns == Constraint::FixedSum)
    rowLine += kFixedFixedNames[static_cast<int>(model.FixedFixed)];
  lines->Add(rowLine);
  lines->Add(kColumnLines[static_cast<int>(model.Columns)]);
  lines->Add(String("Index = ") + kIndexNames[static_cast<int>(FChoices.Index)]);
  lines->Add(String("Degenerate matrix check = ") + kPolicyNames[static_cast<int>(model.Degenerate)]);
  lines->Add(FChoices.ExcludeEmptySites ? "Pattern = Exclude" : "Pattern = Include");
  lines->Add(kRule);
  lines->Add("");
  lines->Add("INDEX");
  AddSet(lines, m, mm, vm, mp1, mp2, lm, em, gm, ses_string, MeanHistogramMemo, MeanHistogramMemo2);
  lines->Add(kRule);
  lines->Add("");
  lines->Add("DEGENERATE INDEX");
  AddSet(lines, m, split_mm, split_vm, split_mp1, split_mp2, s_lm, s_em, s_gm, split_ses_string,
         Split_MeanHistogramMemo, Split_MeanHistogramMemo2);
  lines->Add(kRule);
  lines->Add("");
  lines->Add("INPUT MATRIX:");
  lines->Add("");
  AddGridLines(lines, data);
  Memo1->Lines()->SetText(summary.Text());
}
