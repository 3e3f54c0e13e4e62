// The control look's drop-down header and footer appearances.
#include "grid/dropdowns/RivDropDownStrips.h"
#include "grid/paint/ControlLook.h"

void TAppearanceDeleter::operator()(THeaderAppearance* P) const { delete P; }
void TAppearanceDeleter::operator()(TFooterAppearance* P) const { delete P; }

TControlLook::~TControlLook() = default;

void TControlLook::CreateAppearances(TComponent* AOwner) {
  FDropDownHeader.reset(new THeaderAppearance(AOwner));
  FDropDownFooter.reset(new TFooterAppearance(AOwner));
}

void TControlLook::AssignAppearances(const TControlLook& Source) {
  FDropDownFooter->Assign(Source.FDropDownFooter.get());
  FDropDownHeader->Assign(Source.FDropDownHeader.get());
}

void TControlLook::SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
void TControlLook::SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
