// Controls: TControl (anything placed on a form), TWinControl (a control with a window
// handle that can hold other controls and take the keyboard focus), TCustomControl (a
// windowed control that paints itself) and TGraphicControl (a windowless painted control).
//
// Our objects hold the state. A Qt widget, when one exists, is only the view of a control
// and the source of real input: real input becomes our window messages, which go through the
// control's WndProc to its handlers. Tests skip the views and send the messages themselves.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Messages.h"

class QWidget;
class TWinControl;
class TCustomForm;
class TCanvas;
class TPopupMenu;
class TFont;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = Set<TAnchorKind>;
enum TCursor { crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
               crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
               crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17,
               crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22 };

enum TControlStyleItem { csAcceptsControls, csCaptureMouse, csClickEvents, csFramed, csSetCaption,
                         csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoStdEvents,
                         csReplicatable, csNoDesignVisible, csDisplayDragImage, csParentBackground };
using TControlStyle = Set<TControlStyleItem>;
enum TControlStateItem { csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded,
                         csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle,
                         csDocking };
using TControlState = Set<TControlStateItem>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Parent: the windowed control this one is placed on (and painted inside).
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  TCustomForm* GetParentForm() const;

  // Position and size in the parent's client coordinates.
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // Scales the control by M / D (a form shown at another resolution than it was laid out
  // for): position, size and, unless it follows its parent's, the font.
  virtual void ChangeScale(int M, int D);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientSize(int AWidth, int AHeight);
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  TAlign Align() const { return FAlign; }
  // Also gives the control the anchors of that alignment (alTop: left, top and right).
  void SetAlign(TAlign Value);

  // The parent's edges whose distances the control keeps when the parent is resized: anchored
  // left and right it stretches, right alone it moves along, neither it keeps its centre at the
  // same proportion. The distances are those of the layout when the bounds, the anchors or
  // the parent were last set from code, or the control was loaded.
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and on a visible parent chain up to a shown form.
  bool Showing() const;

  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // The control's text: the caption of labels, buttons and forms, the text of edits.
  String Caption() const { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() const { return GetText(); }
  void SetText(const String& Value);

  String Hint;
  bool ShowHint = false;
  TCursor Cursor = crDefault;
  TPopupMenu* PopupMenu = nullptr;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  // The control's font; a change repaints it and tells the view.
  TFont* Font() const { return FFont.get(); }
  bool ParentFont = true;

  TControlStyle ControlStyle;
  TControlState ControlState;

  // Messages: Perform delivers at once to WndProc and returns the result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // Painting. While WM_SETREDRAW has switched redrawing off, invalidating does nothing; the
  // control's owner invalidates it again when it switches redrawing back on.
  virtual void Invalidate();
  void Repaint();
  void Update();
  void Refresh() { Repaint(); }
  // Repaints only a rectangle of the client area (the next paint's canvas is clipped to it).
  void InvalidateArea(const TRect& R);

  void BringToFront();
  void SendToBack();

  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // The Qt view (nullptr when none exists: headless, or not shown yet).
  QWidget* View() const { return FView; }
  // Creates the view (and the views of children) inside the parent's view.
  virtual void CreateView(QWidget* ParentView);
  virtual void DestroyView();
  // Pushes our state (geometry, visibility, text, ...) to the view.
  virtual void UpdateView();

  void Loaded() override;

 protected:
  virtual String GetText() const { return FText; }
  virtual void TextChanged();
  virtual void Resize();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  // Makes the view object for this control; the default is a custom-painted widget.
  virtual QWidget* MakeView(QWidget* ParentView);
  void SetView(QWidget* View) { FView = View; }
  void RequestAlign();
  // Takes the anchor distances from the present bounds and parent size.
  void UpdateAnchorRules();
  // Moves and sizes the control as its anchors say for the parent's present client size.
  void AnchorToParent();

  String FText;
  TColor FColor;

 private:
  void HandleMouseMessage(TMessage& Message);

  std::unique_ptr<TFont> FFont;
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Per axis: the width kept (both edges), the near edge's offset (far edge only) or the
  // centre (neither), with the parent's client size they belong to (0: nothing to keep).
  TPoint FAnchorRules;
  TPoint FOriginalParentSize;
  bool FAnchorMove = false;
  bool FRedrawOff = false;
  bool FVisible = true;
  bool FEnabled = true;
  QWidget* FView = nullptr;
  friend class TWinControl;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window handle, made when first asked for.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }

  // Scales the children too.
  void ChangeScale(int M, int D) override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;

  // Lays out the aligned children inside the client area, then places the anchored ones.
  void Realign();
  virtual void AlignControls(TControl* AControl, TRect& ARect);
  // Narrows the rectangle aligned children share (a group box keeps its frame and caption).
  virtual void AdjustClientRect(TRect& /*Rect*/) {}

  // Focus.
  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool TabStop = false;
  int TabOrder = -1;
  // Moves the focus to the next (or previous) control in tab order after CurControl.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void GetTabOrderList(std::vector<TWinControl*>& List);

  // Sends the message to every child control.
  void Broadcast(TMessage& Message);

  void WndProc(TMessage& Message) override;
  // The entry point for messages that come from the window system (real input, SendMessage,
  // posted messages): an error that escapes is shown in the application's error box.
  void MainWndProc(TMessage& Message);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void CreateView(QWidget* ParentView) override;
  void DestroyView() override;
  void UpdateView() override;

 protected:
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void CreateWnd() {}
  virtual void DestroyWnd() {}
  void Resize() override;
  void VisibleChanged() override;

 private:
  void HandleKeyMessage(TMessage& Message);

  HWND FHandle = nullptr;
  std::vector<TControl*> FControls;
  bool FAligning = false;
  friend class TControl;
};

// A windowed control that paints itself through its Canvas in Paint.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas; }
  // Paints the control onto the given canvas (the view's painter, or a bitmap in tests): the
  // control receives WM_PAINT with the canvas (its device context) in WParam, and the
  // message's default handling runs Paint on it.
  void PaintTo(TCanvas* ACanvas);
  void WndProc(TMessage& Message) override;

 protected:
  virtual void Paint() {}
  TCanvas* FCanvas = nullptr;
};

// A control without a window that paints itself inside its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas; }
  void PaintTo(TCanvas* ACanvas);

 protected:
  virtual void Paint() {}
  TCanvas* FCanvas = nullptr;
};

// The control under which a screen point lies (used by real input).
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
