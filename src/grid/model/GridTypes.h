// Small types of the data grid's model: its error class, cell graphic kinds, looks and
// scrolling choices, and the placing of cell graphics (TCellGraphic itself: CellGraphic.h).
#pragma once

#include <cstdint>
#include <functional>

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
                 ctInterface, ctButton, ctBitButton, ctRating, ctXPProgress, ctBalloon, ctShape, ctScrollbar,
                 ctRotated, ctEmpty, ctSummary };

// Tree-node events: the row as shown and its real index; Allow false keeps the node as it is.
using TNodeClickEvent = std::function<void(TObject* Sender, int ARow, int ARowReal)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;

// Where a cell graphic stands, horizontally and vertically, in its cell and beside its text.
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
// How a picture is fitted into its cell.
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
// The icon a cell balloon shows beside its title.
enum TBalloonIcon { biNone, biInfo, biWarning, biError };
// The page size and range of an in-cell scroll bar.
struct TScrollProp {
  int PageSize = 0;
  int Range = 0;
};

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = Set<TCellBorder>;

enum TGridLook { glStandard, glSoft, glClassic, glVAV, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
// The grid's office and desktop colour schemes; the same order as the foundation's TVAVStyle.
enum TRivGridStyle { gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
                     gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista,
                     gsWindows7, gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black };
// The older desktop colour schemes of SetTheme.
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
// How controls in cells are drawn. The class library already has a TControlStyle (the set of a
// control's behaviour flags), so the grid's own lives in the grid unit's namespace.
namespace RivGrid {
enum TControlStyle { csClassic, csFlat, csWinXP, csBevel, csVAV, csGlyph, csTheme };
}
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };
enum TBackgroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow };
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow, isImportFail };
