// The cell checker: the grid calls its hooks when it validates a cell's text. This base
// checks nothing; checkers derived from it correct texts or mark errors.
#pragma once

#include "classlib/Component.h"

class TRivErodovOzarCheck : public TComponent {
 public:
  explicit TRivErodovOzarCheck(TComponent* AOwner) : TComponent(AOwner) {}

  bool GotoCell = false;
  bool AutoCorrect = false;
  bool AutoMarkError = false;
  bool UseCorrect = false;
  bool UseMarkError = false;

  // Both give the text back unchanged here.
  virtual String MarkError(int ACol, int ARow, const String& s) { (void)ACol; (void)ARow; return s; }
  virtual String Correct(int ACol, int ARow, const String& s) { (void)ACol; (void)ARow; return s; }
  virtual void StartCheck() {}
  virtual void StopCheck() {}
};
