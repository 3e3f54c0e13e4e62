// TPrintSettings: how the grid prints: fonts, borders, where the date, time, page number and
// title go, margins and spacing (0.1 mm), orientation, page-number texts, fixed sizes and
// fitting to the page.
#pragma once

#include <memory>

#include "classlib/GraphicsObjects.h"
#include "classlib/Printers.h"
#include "classlib/StringList.h"

class TRivErodovOzar;

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
// Scoped: the progress bar's orientation already uses pbHorizontal and pbVertical.
enum class TPrintBorders { pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical,
                     pbAroundHorizontal, pbCustom };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings : public TPersistent {
 public:
  explicit TPrintSettings(TRivErodovOzar* AOwner);
  ~TPrintSettings() override;

  // Copies every published setting from another TPrintSettings (fonts and title lines by
  // value); not the owner and not FixedCellsAlways. Any other source raises EInvalidCast.
  void Assign(TPersistent* Source) override;

  int FooterSize = 0;
  int HeaderSize = 0;
  TPrintPosition Time = ppNone;
  TPrintPosition Date = ppNone;
  String DateFormat = "dd/mm/yyyy";
  TPrintPosition PageNr = ppNone;
  TPrintPosition Title = ppNone;
  String TitleText;
  TStringList* TitleLines() const { return FTitleLines.get(); }
  void SetTitleLines(TStrings* Value) { FTitleLines->Assign(Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(*Value); }
  TFont* FixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(const TFont* Value) { FFixedFont->Assign(*Value); }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(*Value); }
  TFont* FooterFont() const { return FFooterFont.get(); }
  void SetFooterFont(const TFont* Value) { FFooterFont->Assign(*Value); }
  TPrintBorders Borders = TPrintBorders::pbSingle;
  TPenStyle BorderStyle = psSolid;
  TColor BorderColor = clBlack;
  bool Centered = true;
  bool RepeatFixedRows = false;
  bool RepeatFixedCols = false;
  int LeftSize = 0;
  int RightSize = 0;
  int ColumnSpacing = 0;
  int RowSpacing = 0;
  int TitleSpacing = 0;
  TPrinterOrientation Orientation = poPortrait;
  String PagePrefix;
  String PageSuffix;
  int PageNumberOffset = 0;
  int MaxPagesOffset = 0;
  int FixedWidth = 0;
  int FixedHeight = 0;
  bool UseFixedHeight = false;
  bool UseFixedWidth = false;
  TFitToPage FitToPage = fpNever;
  String JobName;
  String PageNumSep = "/";
  bool NoAutoSize = false;
  bool NoAutoSizeRow = false;
  bool PrintGraphics = false;
  bool UseDisplayFont = true;
  bool UseDefaultOrientation = false;

  TRivErodovOzar* Owner() const { return FOwner; }
  bool FFixedCellsAlways = false;

 private:
  TRivErodovOzar* FOwner;
  std::unique_ptr<TStringList> FTitleLines;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TFont> FFooterFont;
};
