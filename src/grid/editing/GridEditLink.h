// TEditLink: the base of the custom cell editors an application links to the data grid (editor
// type edCustom). A descendant supplies the control; the link places it over the cell
// (esInplace) or on a pop-up form of its own (esPopup), moves the value between the cell and
// the control, and hands the ending keys back to the grid.
#pragma once

#include "classlib/Component.h"
#include "classlib/Controls.h"

class TFont;
class TPopupForm;
class TRivErodovOzar;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
 public:
  explicit TEditLink(TComponent* AOwner);

  TEditStyle EditStyle = esInplace;
  int PopupWidth = 0;
  int PopupHeight = 0;
  bool AutoPopupWidth = false;
  // -1: the pop-up opens at the cell.
  int PopupLeft = -1;
  int PopupTop = -1;
  // The keys the editor keeps instead of handing them to the grid.
  bool WantKeyLeftRight = false;
  bool WantKeyUpDown = false;
  bool WantKeyHomeEnd = false;
  bool WantKeyPriorNext = false;
  bool WantKeyReturn = false;
  bool WantKeyEscape = false;

  // The key handler a descendant hooks to its control.
  virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  virtual TWinControl* GetEditControl() { return nullptr; }
  virtual void CreateEditor(TWinControl* AParent) { (void)AParent; }
  virtual void DestroyEditor() {}
  virtual void SetFocus(bool Value);
  virtual void SetRect(TRect R);
  virtual void SetVisible(bool Value);
  virtual void SetProperties() {}
  virtual void SetCellProps(TColor AColor, TFont* AFont) { (void)AColor; (void)AFont; }
  virtual String GetEditorValue() { return String(); }
  virtual void SetEditorValue(const String& s) { (void)s; }

  // The exit handler of the control: the edit ends and the value goes into the cell.
  void EditExit(TObject* Sender);
  // The exit handler a descendant hooks to its control, and the pop-up form's deactivation.
  void FormExit(TObject* Sender);
  // The pop-up form for esPopup, else the grid.
  TWinControl* GetParent();
  String GetCellValue();
  void SetCellValue(const String& s);
  void HideEditor();
  void RestoreWinProc();

  TRivErodovOzar* Grid() const { return FOwner; }
  TPoint EditCell() const { return FEditCell; }
  // The link's own pop-up form, made the first time it opens as esPopup and kept.
  TPopupForm* PopupForm() const { return FPopupForm; }
  bool SubClassed() const { return FSubClassed; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TRivErodovOzar;
  // The pop-up form at the screen point Pos, PopupWidth by PopupHeight, shown.
  void ShowPopupForm(TPoint Pos);
  // Ends the editor on the pop-up form and hides the form, when it is up.
  void ClosePopupForm();

  TRivErodovOzar* FOwner = nullptr;
  TPopupForm* FPopupForm = nullptr;
  bool FForcedExit = false;
  TPoint FEditCell{-1, -1};
  bool FSubClassed = false;
};
