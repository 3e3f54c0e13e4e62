// The settings of the grid's HTML export.
#pragma once

#include "classlib/Persistent.h"
#include "grid/base/RivObjLists.h"

class THTMLSettings : public TPersistent {
 public:
  bool AutoPreview = false;
  int BorderSize = 1;
  int CellSpacing = 0;
  int CellPadding = 0;
  bool ConvertSpecialChars = false;
  bool ExportImages = true;
  String FooterFile;
  String HeaderFile;
  bool NonBreakingText = false;
  String PrefixTag;
  bool SaveColor = true;
  bool SaveFonts = true;
  String SuffixTag;
  String Summary;
  String TableStyle;
  int Width = 100;
  bool XHTML = false;

  // The pixel width written for each exported column that has an entry.
  TIntList* ColWidths() const { return FColWidths.get(); }

  // Copies from another THTMLSettings every setting but ExportImages and ColWidths; ignores any
  // other source.
  void Assign(TPersistent* Source) override;

 private:
  std::unique_ptr<TIntList> FColWidths = std::make_unique<TIntList>(0, 0);
};
