// Drag scrolling: while something is dragged over the grid inside one of the margins along its
// edges, the grid's timer scrolls it a row or a column at a time towards that edge. The timer
// is the grid's own: it goes when the drag leaves the margins, when drag scrolling is switched
// off, and with the grid.
#include "classlib/ExtCtrls.h"
#include "grid/interaction/GridDragScroll.h"
#include "grid/model/RivErodovOzar.h"

void TDragScrollDelays::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TDragScrollDelays*>(Source)) {
    InitialDelay = s->InitialDelay;
    RepeatDelay = s->RepeatDelay;
  }
}

void TDragScrollMargins::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TDragScrollMargins*>(Source)) {
    TopMargin = s->TopMargin;
    BottomMargin = s->BottomMargin;
    LeftMargin = s->LeftMargin;
    RightMargin = s->RightMargin;
  }
}

void TDragScrollOptions::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TDragScrollOptions*>(Source)) {
    FMargins.Assign(&s->FMargins);
    FDelays.Assign(&s->FDelays);
    Active = s->Active;
  }
}

void TRivErodovOzar::SetDragScrollOptions(TDragScrollOptions* Value) {
  if (Value != nullptr) FDragScrollOptions->Assign(Value);
}

void TRivErodovOzar::StopDragScroll() {
  if (FDragTmr == nullptr) return;
  FDragTmr->SetEnabled(false);
  delete FDragTmr;
  FDragTmr = nullptr;
}

void TRivErodovOzar::DragScrollOver(TDragState State, int X, int Y) {
  if (!FDragScrollOptions->Active) {
    StopDragScroll();
    return;
  }
  if (State == dsDragLeave) {
    StopDragScroll();
    return;
  }
  const bool wasEmpty = FDragScrollDirection.Empty();
  const TDragScrollMargins* m = FDragScrollOptions->Margins();
  FDragScrollDirection = {};
  if (Y < m->TopMargin)
    FDragScrollDirection += dsdUp;
  else if (Y > Height() - m->BottomMargin)
    FDragScrollDirection += dsdDown;
  if (X < m->LeftMargin)
    FDragScrollDirection += dsdLeft;
  else if (X > Width() - m->RightMargin)
    FDragScrollDirection += dsdRight;
  if (FDragScrollDirection.Empty()) {
    StopDragScroll();
    return;
  }
  const Cardinal initial = static_cast<Cardinal>(FDragScrollOptions->Delays()->InitialDelay);
  if (FDragTmr == nullptr || !FDragTmr->Enabled()) {
    if (FDragTmr == nullptr) {
      FDragTmr = New<TTimer>(nullptr);
      FDragTmr->SetOnTimer([this](TObject* Sender) { DragScrollTimer(Sender); });
    }
    FDragTmr->SetInterval(initial);
    FDragTmr->SetEnabled(true);
  } else if (!wasEmpty) {
    FDragTmr->SetInterval(initial);
  }
}

void TRivErodovOzar::DragScrollTimer(TObject*) {
  // Switched off meanwhile: the timer only stops here (it is inside its own tick); it is freed
  // by the next drag or with the grid.
  if (!FDragScrollOptions->Active) {
    FDragTmr->SetEnabled(false);
    return;
  }
  FDragTmr->SetInterval(static_cast<Cardinal>(FDragScrollOptions->Delays()->RepeatDelay));
  TDragScrollDirection direction = FDragScrollDirection;
  if (OnDragScroll) {
    bool canScroll = true;
    OnDragScroll(this, TopRow(), LeftCol(), direction, canScroll);
    if (!canScroll) return;
  }
  if (direction.Contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
  if (direction.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
  if (direction.Contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
  if (direction.Contains(dsdRight) && VisibleColCount() + LeftCol() < ColCount()) SetLeftCol(LeftCol() + 1);
}

bool TRivErodovOzar::DragScrollTimerRunning() const { return FDragTmr != nullptr && FDragTmr->Enabled(); }
