#include "analysis/presence_absence/GuildStructureOptions.h"

TGuildStructureOpts* GuildStructureOpts = nullptr;

namespace {
constexpr int kByGuild = 0;
}  // namespace

TGuildStructureOpts::TGuildStructureOpts(TComponent* AOwner)
    : TGroupOptions(AOwner, {"GuildStructureOpts",
                             "Zorvan Professional: Guild Structure Options",
                             "Co-occurrence &Index",
                             // "Number of checkerboards " carries its trailing blank.
                             {"C-score", "Number of checkerboards ", "Number of species combinations", "V-ratio"},
                             "!99999;1; ",
                             "Iterations must be >0 and < 1,000,000"}) {
  Grouping = NewRadioGroup("Grouping", "Grouping", {"By guild (= rows)", "By region (= columns)"}, kByGuild, 8, 72,
                           246, 72);
  FavoredStatesCheckBox = New<TCheckBox>(this);
  FavoredStatesCheckBox->SetName("FavoredStatesCheckBox");
  FavoredStatesCheckBox->SetCaption("Favored States Analysis");
  FavoredStatesCheckBox->SetChecked(false);
  FavoredStatesCheckBox->SetBounds(8, 156, 220, 17);
  FavoredStatesCheckBox->SetParent(PreferencesSheet);
  Grouping->OnClick = [this](TObject* s) { GroupingClick(s); };
}

void TGuildStructureOpts::GroupingClick(TObject*) {
  FavoredStatesCheckBox->SetEnabled(Grouping->ItemIndex() == kByGuild);
}

void TGuildStructureOpts::ResetDefaults() {
  ResetGeneral();
  Grouping->SetItemIndex(kByGuild);
  FavoredStatesCheckBox->SetEnabled(true);
  FavoredStatesCheckBox->SetChecked(false);
}
