// The settings of the grid's automatic scrolling while something is dragged over it: whether
// it is on, the waits before the first and between further steps, and the margins along the
// grid's edges that scroll towards them.
#pragma once

#include <functional>

#include "classlib/Persistent.h"
#include "classlib/Sets.h"

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragScrollDirectionItem { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = Set<TDragScrollDirectionItem>;

using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection& DragScrollDir, bool& CanScroll)>;

class TDragScrollDelays : public TPersistent {
 public:
  int InitialDelay = 1000;
  int RepeatDelay = 250;
  void Assign(TPersistent* Source) override;
};

class TDragScrollMargins : public TPersistent {
 public:
  int TopMargin = 50;
  int BottomMargin = 50;
  int LeftMargin = 50;
  int RightMargin = 50;
  void Assign(TPersistent* Source) override;
};

class TDragScrollOptions : public TPersistent {
 public:
  bool Active = false;
  TDragScrollDelays* Delays() { return &FDelays; }
  TDragScrollMargins* Margins() { return &FMargins; }
  void Assign(TPersistent* Source) override;

 private:
  TDragScrollDelays FDelays;
  TDragScrollMargins FMargins;
};
