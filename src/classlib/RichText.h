// The rich edit's document and its RTF reading and writing: runs of text with one font, size,
// colour and style each, paragraphs as line feeds inside the runs. The RTF understood and
// written is the subset a cell needs: font and colour tables, \f, \fs, \cf, \b, \i, \ul, \up, \dn,
// \plain, \par, \line, \tab, \'hh (Windows-1252) and \uN.
#pragma once

#include <vector>

#include "classlib/GraphicsObjects.h"
#include "classlib/SysUtils.h"

struct TRichRun {
  String Text;  // UTF-8; '\n' ends a paragraph
  String FontName = "Tahoma";
  int FontSize = 8;  // points
  TColor Color = 0x000000;
  TFontStyles Style;
  int Offset = 0;  // twips above (positive) or below the base line: superscript, subscript
  bool SameLook(const TRichRun& Other) const {
    return FontName == Other.FontName && FontSize == Other.FontSize && Color == Other.Color && Style == Other.Style &&
           Offset == Other.Offset;
  }
};

using TRichDocument = std::vector<TRichRun>;

bool IsRTFText(const String& S);
// Reads RTF; text outside any known control keeps the look of the run before it. Runs of the
// same look are joined. Base gives the look of text before any formatting.
TRichDocument ReadRTF(const String& S, const TRichRun& Base);
String WriteRTF(const TRichDocument& Doc);
// The text of every run, paragraphs joined by Separator.
String RichPlainText(const TRichDocument& Doc, const String& Separator);
