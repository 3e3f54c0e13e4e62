// Objects that can copy their state from another object of a compatible class.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

class TPersistent : public TObject {
 public:
  // Copies Source's state into this object; classes that know how override it. The default
  // asks Source to copy itself here and fails when neither side knows how.
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
};
