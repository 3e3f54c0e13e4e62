#include "classlib/Mask.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cctype>

#include "classlib/Forms.h"
#include "classlib/WinApi.h"
#include "classlib/qt/KeyMap.h"
#include "classlib/qt/Views.h"

namespace {

// A line edit whose typing goes to the masked edit as key messages; the mask decides.
class MaskLineEdit : public QLineEdit {
 public:
  MaskLineEdit(TCustomMaskEdit* edit, QWidget* parent) : QLineEdit(parent), edit_(edit) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    Word vk = KeyMap::ToVirtualKey(e->key());
    bool nav = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_HOME || vk == VK_END;
    if (!edit_->IsMasked() || (nav && !(e->modifiers() & Qt::ShiftModifier)) || (e->modifiers() & Qt::ControlModifier)) {
      QLineEdit::keyPressEvent(e);
      return;
    }
    if (vk != 0) KeyInput(edit_, WM_KEYDOWN, vk);
    for (char c : e->text().toUtf8())
      if (static_cast<unsigned char>(c) >= 32 || c == '\b') KeyInput(edit_, WM_CHAR, static_cast<unsigned char>(c));
  }

 private:
  TCustomMaskEdit* edit_;
};

bool IsRequired(char kind) { return kind == '0' || kind == 'L' || kind == 'A' || kind == 'C'; }

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value) {
  String old = GetText();
  FEditMask = Value;
  FPositions.clear();
  FReverse = false;
  FSaveLiterals = true;
  FBlank = '_';
  size_t i = 0;
  int casing = 0;
  for (; i < Value.size(); ++i) {
    char c = Value[i];
    if (c == ';') break;
    switch (c) {
      case '!': FReverse = true; break;
      case '>': casing = 1; break;
      case '<':
        if (i + 1 < Value.size() && Value[i + 1] == '>') {
          casing = 0;
          ++i;
        } else {
          casing = -1;
        }
        break;
      case '\\':
        if (i + 1 < Value.size()) FPositions.push_back({0, Value[++i], 0});
        break;
      case '_': FPositions.push_back({0, ' ', 0}); break;
      case '0': case '9': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
        FPositions.push_back({c, 0, casing});
        break;
      default: FPositions.push_back({0, c, 0}); break;
    }
  }
  if (i < Value.size()) {  // the save-literals flag and the blank character
    if (i + 1 < Value.size()) FSaveLiterals = Value[i + 1] != '0';
    if (i + 3 < Value.size() && Value[i + 2] == ';') FBlank = Value[i + 3];
  }
  FFormatting = true;
  FText = IsMasked() ? Format(old, FSaveLiterals) : old;
  FFormatting = false;
  TCustomEdit::TextChanged();
}

bool TCustomMaskEdit::Fits(const Position& p, char c) const {
  auto u = static_cast<unsigned char>(c);
  switch (p.Kind) {
    case '0': case '9': return std::isdigit(u) != 0;
    case '#': return std::isdigit(u) != 0 || c == '+' || c == '-';
    case 'L': case 'l': return std::isalpha(u) != 0 || u >= 0x80;
    case 'A': case 'a': return std::isalnum(u) != 0 || u >= 0x80;
    case 'C': case 'c': return u >= 32;
    default: return false;
  }
}

char TCustomMaskEdit::Cased(const Position& p, char c) const {
  auto u = static_cast<unsigned char>(c);
  if (p.Case > 0) return static_cast<char>(std::toupper(u));
  if (p.Case < 0) return static_cast<char>(std::tolower(u));
  return c;
}

String TCustomMaskEdit::Format(const String& Value, bool WithLiterals) const {
  const int n = static_cast<int>(FPositions.size());
  String out(static_cast<size_t>(n), FBlank);
  // Lays the characters into the positions from the left, or from the right with '!'.
  const int step = FReverse ? -1 : 1;
  int k = FReverse ? static_cast<int>(Value.size()) - 1 : 0;
  auto more = [&] { return k >= 0 && k < static_cast<int>(Value.size()); };
  for (int j = FReverse ? n - 1 : 0; j >= 0 && j < n; j += step) {
    const Position& p = FPositions[static_cast<size_t>(j)];
    if (p.Kind == 0) {
      out[static_cast<size_t>(j)] = p.Literal;
      if (WithLiterals && more() && Value[static_cast<size_t>(k)] == p.Literal) k += step;
      continue;
    }
    if (!more()) continue;
    char c = Value[static_cast<size_t>(k)];
    k += step;
    if (c != ' ' && c != FBlank && Fits(p, c)) out[static_cast<size_t>(j)] = Cased(p, c);
  }
  return out;
}

String TCustomMaskEdit::GetText() const {
  if (!IsMasked()) return FText;
  String out;
  for (size_t i = 0; i < FPositions.size() && i < FText.size(); ++i) {
    if (FPositions[i].Kind == 0 && !FSaveLiterals) continue;
    out += FPositions[i].Kind != 0 && FText[i] == FBlank ? ' ' : FText[i];
  }
  return out;
}

void TCustomMaskEdit::TextChanged() {
  if (IsMasked() && !FFormatting) FText = Format(FText, FSaveLiterals);
  TCustomEdit::TextChanged();
}

void TCustomMaskEdit::SetEditText(const String& Value) {
  if (!IsMasked()) {
    SetText(Value);
    return;
  }
  SetMaskedText(Format(Value, true), SelStart());
}

void TCustomMaskEdit::SetMaskedText(const String& EditText, int Caret) {
  if (EditText != FText) {
    FFormatting = true;
    FText = EditText;
    try {
      TCustomEdit::TextChanged();
    } catch (...) {
      FFormatting = false;
      throw;
    }
    FFormatting = false;
  }
  SetSelStart(Caret);
}

void TCustomMaskEdit::ValidateEdit() {
  for (size_t i = 0; i < FPositions.size(); ++i) {
    if (IsRequired(FPositions[i].Kind) && (i >= FText.size() || FText[i] == FBlank)) {
      SetSelStart(static_cast<int>(i));
      throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
    }
  }
}

void TCustomMaskEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CM_EXIT && IsMasked() && FTyped) {
    FTyped = false;
    ValidateEdit();
  }
  TCustomEdit::WndProc(Message);
}

void TCustomMaskEdit::KeyPress(char& Key) {
  if (!IsMasked()) {
    TCustomEdit::KeyPress(Key);
    return;
  }
  TWinControl::KeyPress(Key);
  if (Key == 0 || ReadOnly()) return;
  const int n = static_cast<int>(FPositions.size());
  String text = FText;
  if (Key == '\b') {
    int j = SelStart() - 1;
    while (j >= 0 && !IsData(j)) --j;
    if (j >= 0) {
      text[static_cast<size_t>(j)] = FBlank;
      FTyped = true;
      SetMaskedText(text, j);
    }
    Key = 0;
    return;
  }
  if (static_cast<unsigned char>(Key) < 32) return;
  int j = SelStart();
  while (j < n && !IsData(j)) ++j;
  const char typed = Key;
  Key = 0;
  if (j >= n || !Fits(FPositions[static_cast<size_t>(j)], typed)) {
    MessageBeep(0);
    return;
  }
  text[static_cast<size_t>(j)] = Cased(FPositions[static_cast<size_t>(j)], typed);
  int caret = j + 1;
  while (caret < n && !IsData(caret)) ++caret;
  FTyped = true;
  SetMaskedText(text, caret);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (!IsMasked()) {
    TCustomEdit::KeyDown(Key, Shift);
    return;
  }
  TWinControl::KeyDown(Key, Shift);
  const int n = static_cast<int>(FPositions.size());
  switch (Key) {
    case VK_LEFT: SetSelStart(SelStart() - 1); break;
    case VK_RIGHT: SetSelStart(SelStart() + 1); break;
    case VK_HOME: SetSelStart(0); break;
    case VK_END: SetSelStart(n); break;
    case VK_DELETE: {
      if (ReadOnly()) break;
      String text = FText;
      int first = SelStart();
      int last = std::max(first + 1, first + SelLength());
      for (int j = first; j < last && j < n; ++j)
        if (IsData(j)) text[static_cast<size_t>(j)] = FBlank;
      FTyped = true;
      SetMaskedText(text, first);
      break;
    }
    default: return;
  }
  Key = 0;
}

QWidget* TCustomMaskEdit::MakeView(QWidget* ParentView) {
  auto* view = new MaskLineEdit(this, ParentView);
  QObject::connect(view, &QLineEdit::textEdited, view, [this](const QString& text) {
    try {
      if (IsMasked()) SetEditText(text.toStdString()); else ViewTextEdited(text.toStdString());
    } catch (const std::exception& e) {
      Application->HandleException(this, e);
    }
    UpdateView();
  });
  QObject::connect(view, &QLineEdit::cursorPositionChanged, view, [this, view](int, int pos) {
    if (view->hasSelectedText()) return;
    int bytes = static_cast<int>(view->text().left(pos).toUtf8().size());
    if (bytes != SelStart()) SetSelStart(bytes);
  });
  return view;
}
