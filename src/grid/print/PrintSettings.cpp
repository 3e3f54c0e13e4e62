#include "grid/print/PrintSettings.h"

#include "classlib/Exceptions.h"

TPrintSettings::TPrintSettings(TRivErodovOzar* AOwner)
    : FOwner(AOwner),
      FTitleLines(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()) {}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TPrintSettings*>(Source);
  if (s == nullptr) throw EInvalidCast("Invalid class typecast");
  FooterSize = s->FooterSize;
  HeaderSize = s->HeaderSize;
  Time = s->Time;
  Date = s->Date;
  DateFormat = s->DateFormat;
  PageNr = s->PageNr;
  Title = s->Title;
  TitleText = s->TitleText;
  FTitleLines->Assign(s->FTitleLines.get());
  FFont->Assign(*s->FFont);
  FFixedFont->Assign(*s->FFixedFont);
  FHeaderFont->Assign(*s->FHeaderFont);
  FFooterFont->Assign(*s->FFooterFont);
  Borders = s->Borders;
  BorderStyle = s->BorderStyle;
  Centered = s->Centered;
  RepeatFixedRows = s->RepeatFixedRows;
  RepeatFixedCols = s->RepeatFixedCols;
  LeftSize = s->LeftSize;
  RightSize = s->RightSize;
  ColumnSpacing = s->ColumnSpacing;
  RowSpacing = s->RowSpacing;
  TitleSpacing = s->TitleSpacing;
  Orientation = s->Orientation;
  PagePrefix = s->PagePrefix;
  PageSuffix = s->PageSuffix;
  PageNumberOffset = s->PageNumberOffset;
  MaxPagesOffset = s->MaxPagesOffset;
  FixedWidth = s->FixedWidth;
  FixedHeight = s->FixedHeight;
  UseFixedHeight = s->UseFixedHeight;
  UseFixedWidth = s->UseFixedWidth;
  FitToPage = s->FitToPage;
  JobName = s->JobName;
  PageNumSep = s->PageNumSep;
  NoAutoSize = s->NoAutoSize;
  NoAutoSizeRow = s->NoAutoSizeRow;
  PrintGraphics = s->PrintGraphics;
  UseDisplayFont = s->UseDisplayFont;
  UseDefaultOrientation = s->UseDefaultOrientation;
  BorderColor = s->BorderColor;
}
