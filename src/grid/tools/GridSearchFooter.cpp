// The grid's side of the search footer: the panel made with the grid and kept in line with
// the SearchFooter settings, and the handlers behind its find box and buttons.
#include "grid/base/RivObjControls.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/tools/GridFilter.h"
#include "grid/tools/SearchPanel.h"

void TRivErodovOzar::ToolsCreated() {
  FFilter = std::make_unique<TFilter>(this);
  FFilterDropDown = std::make_unique<TFilterDropDown>(this);
  FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
  FDropList = new TDropList(this, this);
  FDropList->SetVisible(false);
  FDropList->OnSelect = [this](TObject*, int ItemIndex) { ApplyFilterChoice(ItemIndex); };
  FSearchPanel = new TSearchPanel(this);
  FSearchPanel->SetVisible(false);
  FSearchPanel->SetAlign(alBottom);
  FSearchPanel->SetHeight(0);
  FSearchPanel->OnEditChange = [this](TObject* Sender) { SearchEditChange(Sender); };
  FSearchPanel->OnForwardClick = [this](TObject* Sender) { SearchForwardClick(Sender); };
  FSearchPanel->OnBackwardClick = [this](TObject* Sender) { SearchBackwardClick(Sender); };
  FSearchPanel->OnExitClick = [this](TObject* Sender) { SearchExitClick(Sender); };
  FSearchPanel->OnHighLightClick = [this](TObject* Sender) { SearchHighlightClick(Sender); };
  FSearchFooter->OnChange = [this](TObject*) { UpdateSearchFooter(); };
}

void TRivErodovOzar::UpdateSearchFooter() {
  if (ComponentState().Contains(csLoading)) return;
  TSearchFooter& s = *FSearchFooter;
  TSearchPanel& p = *FSearchPanel;
  if ((p.HiliteButton()->Down() && p.Visible() && !s.Visible()) || s.AlwaysHighLight) UnHilightInGrid(false);
  p.SetColor(s.Color());
  p.SetColorTo(s.ColorTo());
  // Parented while shown only: a hidden strip has no window under the grid's.
  if (s.Visible()) p.SetParent(this);
  p.SetVisible(s.Visible());
  if (!s.Visible()) p.SetParent(nullptr);

  p.FFindNextCaption = s.FindNextCaption();
  p.FFindPrevCaption = s.FindPrevCaption();
  p.FMatchCaseCaption = s.MatchCaseCaption();
  p.FHighLightCaption = s.HighLightCaption();
  p.ForwardButton()->SetCaption(s.FindNextCaption());
  p.BackwardButton()->SetCaption(s.FindPrevCaption());
  p.MatchCase()->SetCaption(s.MatchCaseCaption());
  p.HiliteButton()->SetCaption(s.HighLightCaption());
  p.FHintClose = s.HintClose();
  p.FHintFindNext = s.HintFindNext();
  p.FHintFindPrev = s.HintFindPrev();
  p.FHintHighlight = s.HintHighlight();
  p.Font()->Assign(s.Font());

  TRivGridButton* actions[] = {p.ForwardButton(), p.BackwardButton(), p.HiliteButton()};
  const RivGrid::TControlStyle style = ControlLook()->ControlStyle();
  for (TRivGridButton* b : actions) {
    b->Font()->Assign(p.Font());
    if (s.AutoThemeAdapt()) {
      b->SetAutoThemeAdapt(true);
      b->SetFlat(true);
    } else if (style == RivGrid::csFlat) {
      b->SetFlat(true);
    } else if (style == RivGrid::csWinXP || style == RivGrid::csTheme) {
      b->AutoXPStyle = true;
      b->SetFlat(false);
    } else if (style == RivGrid::csClassic) {
      b->AutoXPStyle = false;
      b->SetFlat(false);
    }
  }

  p.HiliteButton()->SetVisible(s.ShowHighLight());
  p.ExitButton()->SetVisible(s.ShowClose());
  p.MatchCase()->SetVisible(s.ShowMatchCase());
  p.BackwardButton()->SetVisible(s.ShowFindPrev());
  p.ForwardButton()->SetVisible(s.ShowFindNext());

  auto hint = [](TControl* C, const String& Text) {
    C->Hint = Text;
    C->ShowHint = !Text.empty();
  };
  hint(p.ExitButton(), p.FHintClose);
  hint(p.ForwardButton(), p.FHintFindNext);
  hint(p.BackwardButton(), p.FHintFindPrev);
  hint(p.HiliteButton(), p.FHintHighlight);

  p.LayoutControls();
  p.SetHeight(s.Visible() ? 32 : 0);
  if (s.Visible()) ScrollClearOfSearchFooter();
}

// Only a last row on screen can be covered: one further down is scrolled to by the keys.
bool TRivErodovOzar::LastRowInView() const {
  return RowCount() > 0 && TopRow() + VisibleRowCount() >= RowCount() - 1;
}

int TRivErodovOzar::LastRowBottom() const {
  const TRect last = CellRect(0, RowCount() - 1);
  return last.Bottom;
}

bool TRivErodovOzar::LastRowClearOfSearchFooter() {
  if (FSearchPanel == nullptr || !FSearchPanel->Visible() || !LastRowInView()) return false;
  return LastRowBottom() < ClientHeight() - FSearchPanel->Height() + 2;
}

void TRivErodovOzar::ScrollClearOfSearchFooter() {
  if (FSearchPanel == nullptr || !FSearchPanel->Visible()) return;
  while (LastRowInView() && LastRowBottom() > ClientHeight() - FSearchPanel->Height() + 2 && Row() < RowCount() &&
         TopRow() < RowCount() - 1) {
    const int top = TopRow();
    SetTopRow(top + 1);
    if (TopRow() == top) break;
  }
}

TFindParams TRivErodovOzar::FooterFindParams(TFindParams Base) {
  TFindParams p = Base;
  if (FSearchPanel->HiliteButton()->Down()) p += fnIgnoreHTMLTags;
  if (FSearchPanel->MatchCase()->Checked()) p += fnMatchCase;
  if (FSearchFooter->SearchActiveColumnOnly) p += fnFindInCurrentCol;
  if (FSearchFooter->SearchMatchStart) p += fnMatchStart;
  if (FSearchFooter->SearchColumn >= 0 && FSearchFooter->SearchColumn < ColCount()) {
    FindCol = FSearchFooter->SearchColumn;
    p += fnFindInPresetCol;
  }
  return p;
}

void TRivErodovOzar::SetSearchEditColor(TColor Value) {
  TRetEdit* edit = FSearchPanel->Edit();
  edit->SetColor(Value);
  // A width change makes the edit repaint at once.
  edit->SetWidth(edit->Width() + 1);
  edit->SetWidth(edit->Width() - 1);
}

void TRivErodovOzar::SearchEditChange(TObject* Sender) {
  const String text = FSearchPanel->Edit()->Text();
  bool defaultSearch = true;
  if (OnSearchEditChange) OnSearchEditChange(Sender, text, defaultSearch);
  if (!defaultSearch || !FSearchFooter->AutoSearch) return;
  TFindParams p = FooterFindParams(TFindParams{fnAutoGoto});
  if (FSearchFooter->SearchFixedCells) p += fnIncludeFixed;
  if (FSearchFooter->SearchHiddenRows) p += fnIncludeHiddenRows;
  if (FSearchFooter->SearchDirection == sdLeftRight) p += fnDirectionLeftRight;
  FFindParams = p;
  if (!text.empty()) {
    UnHilightInGrid(false);
    SearchCell = Find(TPoint{-1, -1}, text, p);
    DoSearchFooterAction(text, SearchCell.X, SearchCell.Y, saFindFirst);
    if (SearchCell.X == -1) {
      SetSearchEditColor(clRed);
    } else {
      SetSearchEditColor(clWindow);
      ScrollInView(SearchCell.X, SearchCell.Y);
      if (FSearchPanel->HiliteButton()->Down() || FSearchFooter->AlwaysHighLight)
        HilightInGrid(false, FSearchPanel->MatchCase()->Checked(), text);
    }
  } else {
    SetSearchEditColor(clWindow);
    UnHilightInGrid(false);
  }
  const int k = FloatingFooterVisible ? 2 : 0;
  if (Row() > TopRow() + VisibleRowCount() - 2 - k && VisibleRowCount() + FixedRows() + k < RowCount())
    SetTopRow(TopRow() + k + 1);
}

void TRivErodovOzar::SearchFooterStep(bool Forward) {
  const String text = FSearchPanel->Edit()->Text();
  if (!FSearchFooter->AutoSearch) {
    if (text != FSearchFooter->LastSearch) SearchCell = TPoint{-1, -1};
    FSearchFooter->LastSearch = text;
  }
  TFindParams base{fnAutoGoto};
  if (!Forward) base += fnBackward;
  SearchCell = Find(SearchCell, text, FooterFindParams(base));
  const int b = FloatingFooterVisible ? 1 : 0;
  auto keepClear = [&] {
    if (Row() > TopRow() + VisibleRowCount() - 2 - b && VisibleRowCount() + FixedRows() + b < RowCount())
      SetTopRow(TopRow() + 2);
  };
  const bool found = SearchCell.X != -1 && SearchCell.Y != -1;
  if (Forward) {
    if (found) ScrollInView(SearchCell.X, SearchCell.Y);
    keepClear();
  } else {
    keepClear();
    if (found) ScrollInView(SearchCell.X, SearchCell.Y);
  }
  DoSearchFooterAction(text, SearchCell.X, SearchCell.Y, Forward ? saFindNext : saFindPrevious);
  FSearchPanel->Invalidate();
}

void TRivErodovOzar::SearchForwardClick(TObject*) { SearchFooterStep(true); }

void TRivErodovOzar::SearchBackwardClick(TObject*) { SearchFooterStep(false); }

void TRivErodovOzar::SearchExitClick(TObject* Sender) {
  if (OnSearchFooterClose) OnSearchFooterClose(Sender);
  FSearchFooter->SetVisible(false);
}

void TRivErodovOzar::SearchHighlightClick(TObject*) {
  if (FSearchPanel->HiliteButton()->Down())
    HilightInGrid(false, FSearchPanel->MatchCase()->Checked(), FSearchPanel->Edit()->Text());
  else
    UnHilightInGrid(false);
}
