// TCellGraphic: the graphic or control a cell carries (a picture, an icon, a check box, a radio
// group, a button, a progress bar, a comment, ...), held by the cell's properties. The grid
// frees it with the properties.
//
// What the graphic owns, and frees when it goes or when a setter gives it another object:
// the object of ctBitmap, ctRadio, ctPicture, ctFilePicture and ctBitButton graphics when
// CellCreated is set; the list of ctImages and ctBalloon graphics always; the icon of ctIcon
// graphics when CellCreated is set; the balloon list of a check box or radio button whose
// CellAngle is 1. Everything else it refers to stays its caller's.
#pragma once

#include "classlib/GraphicsObjects.h"
#include "classlib/Variants.h"
#include "grid/base/RivObjLists.h"
#include "grid/model/GridTypes.h"

class TBitmap;
class TIcon;
class TPicture;
class TFilePicture;
class TInterfacedPersistent;

class TCellGraphic : public TPersistent {
 public:
  TCellGraphic();
  ~TCellGraphic() override;
  TCellGraphic(const TCellGraphic&) = delete;
  TCellGraphic& operator=(const TCellGraphic&) = delete;
  String ClassName() const override { return "TCellGraphic"; }

  // Each setter sets the kind and the fields it names. Objects the graphic owned before are
  // freed first (unless the setter is handed that very object, which it then keeps owning).
  void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  void SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val);
  void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
  void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
  // A new owned list of image indexes tagged with (Col, Row), firing Notifier on changes;
  // laid out horizontally when dir is 0.
  void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
  void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding, TCellHAlign hal,
                  TCellVAlign val);
  void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode stretchmode, int padding,
                      TCellHAlign hal, TCellVAlign val);
  void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  // The size goes into CellIndex: width in the low 16 bits, height in the high 16 bits.
  void SetButton(int bw, int bh, const String& caption, TCellHAlign hal, TCellVAlign val);
  void SetBitButton(int bw, int bh, const String& caption, TBitmap* Glyph, TCellHAlign hal, TCellVAlign val);
  // ctRotated with the angle brought into 0..360 (360 itself stays 360).
  void SetAngle(int AAngle);
  void SetInterfacedCell(TInterfacedPersistent* AObject);

  // The size at which a ctPicture or ctFilePicture graphic is drawn in a cell of cw x rh
  // pixels; (0, 0) for other kinds. hastext does not change it.
  TPoint GetPictureSize(int cw, int rh, bool hastext) const;

  // Copies kind, alignments, index, transparency, value, angle, state, marked error, text and
  // the owned flag from another TCellGraphic; ignores any other source. Object references
  // and the variant are not copied: the objects this graphic held are let go (and freed when
  // owned), since the owned flag now describes the source's objects.
  void Assign(TPersistent* Source) override;

  // Hands the graphic an object it then owns: in CellBitmap (the owned flag is set) or as
  // its icon, and the balloon list of a check box or radio button.
  void OwnObject(TObject* AObject);
  void OwnIcon(TIcon* AIcon);
  void OwnBalloon(TStrings* AList);
  // Frees what the graphic owns and lets go of every object reference.
  void ReleaseObjects();
  // When the graphic owns AObject, lets go of it without freeing it and answers true.
  bool Disown(const TObject* AObject);
  bool OwnsBitmapObject() const;
  bool OwnsIcon() const { return CellType == ctIcon && CellCreated && CellIcon != nullptr; }

  // How many graphics, and how many objects owned by graphics, are alive: what a leak check
  // compares before and after.
  static int LiveCount();
  static int OwnedObjectCount();

  TCellType CellType = ctNone;
  // The graphic's object (bitmap, picture, file picture, glyph, radio texts, image-index list,
  // interfaced object or balloon list).
  TObject* CellBitmap = nullptr;
  TIcon* CellIcon = nullptr;
  TCellVAlign CellVAlign = vaTop;
  TCellHAlign CellHAlign = haLeft;
  // Image index; button size; picture padding; and, for some kinds, a colour.
  int CellIndex = 0;
  // Drawn transparently; for check boxes and radio buttons: the flat look.
  bool CellTransparent = false;
  // The graphic made the objects it refers to and frees them.
  bool CellCreated = false;
  // Checked; horizontal layout of radio groups and image lists; a pushed button.
  bool CellBoolean = false;
  // Rotation; stretch mode; 1 = partly checked or a check box's balloon; star count.
  int CellAngle = 0;
  double CellValue = 0;
  // Start and length of a marked error in the cell text; a progress bar's range.
  int CellErrFrom = 0;
  int CellErrLen = 0;
  String CellText;
  Variant CellVar;
  // Progress bars, pies, range indicators, shapes and ratings keep colours where other kinds
  // keep their objects: the colour of the object slot here, that of the icon slot below.
  TColor CellBitmapColor = 0;
  TColor CellIconColor = 0;
};
