#include "grid/exchange/HTMLSettings.h"

void THTMLSettings::Assign(TPersistent* Source) {
  const auto* src = dynamic_cast<const THTMLSettings*>(Source);
  if (src == nullptr) return;
  BorderSize = src->BorderSize;
  CellSpacing = src->CellSpacing;
  CellPadding = src->CellPadding;
  SaveColor = src->SaveColor;
  SaveFonts = src->SaveFonts;
  FooterFile = src->FooterFile;
  HeaderFile = src->HeaderFile;
  TableStyle = src->TableStyle;
  PrefixTag = src->PrefixTag;
  SuffixTag = src->SuffixTag;
  Summary = src->Summary;
  Width = src->Width;
  XHTML = src->XHTML;
  ConvertSpecialChars = src->ConvertSpecialChars;
  AutoPreview = src->AutoPreview;
  NonBreakingText = src->NonBreakingText;
}
