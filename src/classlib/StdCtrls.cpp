#include "classlib/StdCtrls.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsQt.h"
#include "classlib/WinApi.h"
#include "classlib/qt/KeyMap.h"
#include "classlib/qt/Views.h"

namespace {
// The edit whose view is passing on a key right now: that key is edited natively by the view
// unless a handler consumes it, while keys that reach an edit any other way (a grid handing
// its first typed character to its inplace editor, tests) are edited by the edit itself.
TCustomEdit* ViewKeyTarget = nullptr;

struct ViewKeyScope {
  explicit ViewKeyScope(TCustomEdit* edit) : saved(ViewKeyTarget) { ViewKeyTarget = edit; }
  ~ViewKeyScope() { ViewKeyTarget = saved; }
  TCustomEdit* saved;
};
}  // namespace

// Keeps a QLineEdit and its edit in step without echo.
class EditViewLink {
 public:
  static void Connect(TCustomEdit* edit, QLineEdit* view) {
    QObject::connect(view, &QLineEdit::textEdited, view, [edit, view](const QString& text) {
      ReadSelection(edit, view);
      try {
        edit->ViewTextEdited(text.toStdString());
      } catch (const std::exception& e) {
        Application->HandleException(edit, e);
      }
      edit->ClampSelection();
    });
    // Every caret move and selection of the view is the edit's selection at once, so that
    // code and the edit's own key handling work on what the person sees.
    auto read = [edit, view] { ReadSelection(edit, view); };
    QObject::connect(view, &QLineEdit::selectionChanged, view, read);
    QObject::connect(view, &QLineEdit::cursorPositionChanged, view, read);
  }

  // The view's selection (or its caret), in bytes of the view's text.
  static void ReadSelection(TCustomEdit* edit, const QLineEdit* view) {
    const QString text = view->text();
    const bool selected = view->hasSelectedText();
    const int start = selected ? view->selectionStart() : view->cursorPosition();
    const int length = selected ? view->selectionLength() : 0;
    edit->FSelStart = static_cast<int>(text.left(start).toUtf8().size());
    edit->FSelLength = static_cast<int>(text.mid(start, length).toUtf8().size());
  }
};

namespace {
// A line edit whose keys reach the edit's key handlers first, as key messages, and are
// edited natively only when no handler consumed them (an inplace editor takes Enter and
// Escape, a form's menu its shortcuts, a masked edit its typing).
class KeyForwardingLineEdit : public QLineEdit {
 public:
  KeyForwardingLineEdit(TCustomEdit* edit, QWidget* parent) : QLineEdit(parent), edit_(edit) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    QPointer<QLineEdit> alive(this);
    ViewKeyScope scope(edit_);
    EditViewLink::ReadSelection(edit_, this);
    Views::SyncModifierKeys(e->modifiers().toInt());
    Word vk = KeyMap::ToVirtualKey(e->key());
    if (vk != 0) {
      SetKeyDown(vk, true);
      if (KeyInput(edit_, WM_KEYDOWN, vk, Views::KeyDataOf(e->modifiers().toInt())) == 0 || !alive) return;
    }
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      bool consumed = false;
      for (char c : e->text().toUtf8()) {
        if (KeyInput(edit_, WM_CHAR, static_cast<unsigned char>(c), Views::KeyDataOf(e->modifiers().toInt())) == 0)
          consumed = true;
        if (!alive) return;
      }
      if (consumed) return;
    }
    QLineEdit::keyPressEvent(e);
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    QPointer<QLineEdit> alive(this);
    ViewKeyScope scope(edit_);
    Word vk = KeyMap::ToVirtualKey(e->key());
    if (vk != 0) {
      SetKeyDown(vk, false);
      KeyInput(edit_, WM_KEYUP, vk);
      if (!alive) return;
    }
    QLineEdit::keyReleaseEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    QLineEdit::focusInEvent(e);
    if (!edit_->Focused()) edit_->SetFocus();
  }
  // After the native drawing the edit gets WM_PAINT with a canvas over the view, so that an
  // edit can draw over its text (a focus mark, a picture of its value).
  void paintEvent(QPaintEvent* e) override {
    QLineEdit::paintEvent(e);
    QPainter painter(this);
    TCanvas canvas(&painter);
    try {
      edit_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0);
    } catch (const std::exception& ex) {
      Application->HandleException(edit_, ex);
    }
  }
  // The wheel reaches the edit as WM_MOUSEWHEEL (delta above the key states, the screen point
  // in LParam); what the edit leaves unhandled goes on as before.
  void wheelEvent(QWheelEvent* e) override {
    const int delta = e->angleDelta().y();
    if (delta == 0 || !edit_->Enabled()) {
      QLineEdit::wheelEvent(e);
      return;
    }
    Views::SyncModifierKeys(e->modifiers().toInt());
    const QPoint g = e->globalPosition().toPoint();
    TMessage m{WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16, MakeLParam(g.x(), g.y()), 0};
    QPointer<QLineEdit> alive(this);
    edit_->MainWndProc(m);
    if (!alive) return;
    if (m.Result != 0)
      e->accept();
    else
      QLineEdit::wheelEvent(e);
  }

 private:
  TCustomEdit* edit_;
};
}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  TabStop = true;
  SetBounds(0, 0, 121, 21);
  FColor = static_cast<TColor>(0xFF000005);  // window colour
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  UpdateView();
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  UpdateView();
}

void TCustomEdit::ClampSelection() {
  int len = static_cast<int>(FText.size());
  FSelStart = std::clamp(FSelStart, 0, len);
  FSelLength = std::clamp(FSelLength, 0, len - FSelStart);
}

void TCustomEdit::SetSelStart(int Value) {
  FSelStart = Value;
  FSelLength = 0;
  ClampSelection();
  UpdateView();
}

void TCustomEdit::SetSelLength(int Value) {
  FSelLength = Value;
  ClampSelection();
  UpdateView();
}

String TCustomEdit::SelText() const {
  return FText.substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomEdit::SetSelText(const String& Value) {
  String t = FText;
  t.replace(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength), Value);
  int caret = FSelStart + static_cast<int>(Value.size());
  SetText(t);
  FSelStart = caret;
  FSelLength = 0;
  ClampSelection();
  UpdateView();
}

void TCustomEdit::SetFormattingRect(const TRect& Value) {
  FFormattingRect = Value;
  UpdateView();
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(FText.size());
  UpdateView();
}

void TCustomEdit::TextChanged() {
  ClampSelection();
  TWinControl::TextChanged();
  Modified = true;
  Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::ViewTextEdited(const String& Value) {
  FFromView = true;
  try {
    SetText(Value);
  } catch (...) {
    FFromView = false;
    if (FText != Value) UpdateView();
    throw;
  }
  FFromView = false;
  // A change handler may have set another text; the view shows what the program reads.
  if (FText != Value) UpdateView();
}

bool TCustomEdit::KeyFromView() const { return ViewKeyTarget == this; }

namespace {
// An edit given a colour of its own shows it behind its text; the window colour is the
// style's own.
void ShowEditColor(QLineEdit* View, TColor Color) {
  if (Color == static_cast<TColor>(0xFF000005)) {
    if (View->testAttribute(Qt::WA_SetPalette)) View->setPalette(QPalette());
    return;
  }
  QPalette palette = View->palette();
  palette.setColor(QPalette::Base, ToQColor(ColorToRGB(Color)));
  View->setPalette(palette);
}
}  // namespace

void TCustomEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_COLORCHANGED:
      TWinControl::WndProc(Message);
      if (auto* view = dynamic_cast<QLineEdit*>(View())) ShowEditColor(view, Color());
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      return;
    case WM_SETFOCUS:
      TWinControl::WndProc(Message);
      if (AutoSelect) SelectAll();
      return;
    case EM_SHOWBALLOONTIP:
      ShowBalloonTip(reinterpret_cast<const EDITBALLOONTIP*>(Message.LParam));
      Message.Result = 1;
      return;
    case EM_HIDEBALLOONTIP:
      HideBalloonTip();
      Message.Result = 1;
      return;
    default:
      TWinControl::WndProc(Message);
  }
}

void TCustomEdit::ShowBalloonTip(const EDITBALLOONTIP* Tip) {
  if (Tip == nullptr) return;
  FBalloonTitle = Tip->pszTitle != nullptr ? Tip->pszTitle : "";
  FBalloonText = Tip->pszText != nullptr ? Tip->pszText : "";
  FBalloonIcon = Tip->ttiIcon;
  QWidget* view = View();
  if (view == nullptr || !view->isVisible()) return;
  QString shown = QString::fromStdString(FBalloonTitle);
  if (!FBalloonText.empty()) {
    if (!shown.isEmpty()) shown += "\n";
    shown += QString::fromStdString(FBalloonText);
  }
  QToolTip::showText(view->mapToGlobal(QPoint(view->width() / 2, view->height())), shown, view);
}

void TCustomEdit::HideBalloonTip() {
  FBalloonTitle.clear();
  FBalloonText.clear();
  FBalloonIcon = 0;
  if (View() != nullptr) QToolTip::hideText();
}

void TCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (KeyFromView()) return;  // the view edits natively
  switch (Key) {
    case VK_LEFT:
      SetSelStart(FSelLength > 0 ? FSelStart : FSelStart - 1);
      break;
    case VK_RIGHT:
      SetSelStart(FSelLength > 0 ? FSelStart + FSelLength : FSelStart + 1);
      break;
    case VK_HOME:
      SetSelStart(0);
      break;
    case VK_END:
      SetSelStart(static_cast<int>(FText.size()));
      break;
    case VK_DELETE:
      if (FReadOnly) break;
      if (FSelLength == 0) FSelLength = FSelStart < static_cast<int>(FText.size()) ? 1 : 0;
      SetSelText("");
      break;
    default:
      break;
  }
}

void TCustomEdit::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (Key == 0 || KeyFromView() || FReadOnly) return;
  if (Key == '\b') {
    if (FSelLength == 0 && FSelStart > 0) {
      --FSelStart;
      FSelLength = 1;
    }
    SetSelText("");
    return;
  }
  if (static_cast<unsigned char>(Key) < 32) return;
  if (FMaxLength > 0 && static_cast<int>(FText.size()) - FSelLength >= FMaxLength) return;
  char c = Key;
  if (CharCase == ecUpperCase) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (CharCase == ecLowerCase) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  SetSelText(String(1, c));
}

QWidget* TCustomEdit::MakeView(QWidget* ParentView) {
  auto* view = new KeyForwardingLineEdit(this, ParentView);
  EditViewLink::Connect(this, view);
  return view;
}

void TCustomEdit::UpdateView() {
  TWinControl::UpdateView();
  auto* view = dynamic_cast<QLineEdit*>(View());
  if (view != nullptr) ShowEditColor(view, Color());
  if (view == nullptr || FFromView) return;
  QSignalBlocker block(view);
  QString text = QString::fromStdString(FText);
  if (view->text() != text) view->setText(text);
  view->setReadOnly(FReadOnly);
  view->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
  view->setEchoMode(PasswordChar != '\0' ? QLineEdit::Password : QLineEdit::Normal);
  view->setAlignment(Alignment == taRightJustify ? Qt::AlignRight : Alignment == taCenter ? Qt::AlignHCenter : Qt::AlignLeft);
  if (FFormattingRect.Width() > 0)
    view->setTextMargins(FFormattingRect.Left, 0, std::max(0, Width() - FFormattingRect.Right), 0);
  else
    view->setTextMargins(0, 0, 0, 0);
  int start = static_cast<int>(QString::fromUtf8(FText.substr(0, static_cast<size_t>(FSelStart))).size());
  int length = static_cast<int>(QString::fromUtf8(SelText()).size());
  // A selection the view already shows is left alone: it keeps the end the person moves
  // (Shift+Left after Shift+Home goes on from the start).
  const bool selected = view->hasSelectedText();
  const int shownStart = selected ? view->selectionStart() : view->cursorPosition();
  const int shownLength = selected ? view->selectionLength() : 0;
  if (start == shownStart && length == shownLength) return;
  if (length > 0) view->setSelection(start, length); else view->setCursorPosition(start);
}
