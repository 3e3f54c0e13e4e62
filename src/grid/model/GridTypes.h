// Small types of the data grid's model: its error class, cell graphic kinds, looks and
// scrolling choices, and the graphic object a cell may carry.
#pragma once

#include <cstdint>

#include "classlib/Exceptions.h"
#include "classlib/Persistent.h"
#include "classlib/Sets.h"

// The data grid's own errors.
class ERivGridError : public Exception {
 public:
  using Exception::Exception;
};

enum TCellType { ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRadio, ctProgress,
                 ctComment, ctImages, ctPicture, ctFilePicture, ctValue, ctRangeIndicator, ctDataPicture,
                 ctDataImage, ctNode, ctRadioButton, ctVirtCheckBox, ctRowCheckBox, ctProgressPie,
                 ctInterface, ctButton, ctBitButton, ctRating, ctEmpty };

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = Set<TCellBorder>;

enum TGridLook { glStandard, glSoft, glClassic, glXP, glTMS, glVista, glWin7, glOffice2007, glVAV };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };
enum TBackgroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow };
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow, isImportFail };

// The graphic or control a cell carries, held by the cell's properties. The grid frees it
// with the properties.
class TCellGraphic : public TPersistent {
 public:
  String ClassName() const override { return "TCellGraphic"; }
  TCellType CellType = ctEmpty;
  bool CellBoolean = false;
  bool CellTransparent = false;
  int CellIndex = -1;
  int CellAngle = 0;
  TObject* CellBitmap = nullptr;
  TObject* CellIcon = nullptr;
  TObject* CellImages = nullptr;  // the image-index list of a ctImages cell
  String CellText;
};
