#include "classlib/Mask.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <cctype>

#include "classlib/WinApi.h"

namespace {

bool IsRequired(char kind) { return kind == '0' || kind == 'L' || kind == 'A' || kind == 'C'; }

QClipboard* SystemClipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr ? QGuiApplication::clipboard()
                                                                                  : nullptr;
}

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
  ForgetUndo();
  TCustomEdit::TextChanged();
}

bool TCustomMaskEdit::Fits(const Position& p, char c) const {
  auto u = static_cast<unsigned char>(c);
  switch (p.Kind) {
    case '0': case '9': return std::isdigit(u) != 0;
    case '#': return std::isdigit(u) != 0 || c == '+' || c == '-';
    case 'L': case 'l': return std::isalpha(u) != 0 || u >= 0x80;
    case 'A': case 'a': return std::isalnum(u) != 0 || u >= 0x80;
    case 'C': case 'c': return u >= 32 && u != 127;
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

int TCustomMaskEdit::NextData(int i) const {
  while (i < Size() && !IsData(i)) ++i;
  return i;
}

void TCustomMaskEdit::ClearData(String& Text, int First, int Last) const {
  for (int j = std::max(First, 0); j < Last && j < Size(); ++j)
    if (IsData(j)) Text[static_cast<size_t>(j)] = FBlank;
}

void TCustomMaskEdit::TextChanged() {
  // Text set from code: what was typed before cannot be undone.
  ForgetUndo();
  if (IsMasked() && !FFormatting) FText = Format(FText, FSaveLiterals);
  TCustomEdit::TextChanged();
}

void TCustomMaskEdit::SetEditText(const String& Value) {
  if (!IsMasked()) {
    SetText(Value);
    return;
  }
  ForgetUndo();
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

void TCustomMaskEdit::ForgetUndo() {
  FCanUndo = false;
  FUndoText.clear();
  FTypingCaret = -1;
}

void TCustomMaskEdit::UserEdit(const String& EditText, int Caret, bool Typing) {
  const bool continues = Typing && FTypingCaret == SelStart() && SelLength() == 0;
  if (EditText != FText && !continues) {
    FUndoText = FText;
    FUndoCaret = SelStart();
    FCanUndo = true;
  }
  FTyped = true;
  FTypingCaret = -1;
  SetMaskedText(EditText, Caret);
  if (Typing) FTypingCaret = Caret;
}

void TCustomMaskEdit::Undo() {
  if (!FCanUndo || ReadOnly()) return;
  // The text undone becomes the undo text: a second undo redoes, as in an edit control.
  const String back = FUndoText;
  const int caret = FUndoCaret;
  FUndoText = FText;
  FUndoCaret = SelStart();
  FTyped = true;
  FTypingCaret = -1;
  SetMaskedText(back, caret);
}

void TCustomMaskEdit::CopySelection() const {
  if (SelLength() == 0) return;
  if (QClipboard* clipboard = SystemClipboard()) clipboard->setText(QString::fromStdString(SelText()));
}

void TCustomMaskEdit::CutSelection() {
  if (SelLength() == 0 || ReadOnly()) return;
  CopySelection();
  String text = FText;
  ClearData(text, SelStart(), SelStart() + SelLength());
  UserEdit(text, SelStart(), false);
}

void TCustomMaskEdit::Paste(const String& Value) {
  if (ReadOnly()) return;
  const int first = SelStart();
  String text = FText;
  ClearData(text, first, first + SelLength());
  int j = first;
  for (char c : Value) {
    // A literal pasted where the mask has it is passed over, as the caret passes it.
    if (j < Size() && !IsData(j) && c == FPositions[static_cast<size_t>(j)].Literal) {
      ++j;
      continue;
    }
    j = NextData(j);
    if (j >= Size()) break;
    const Position& p = FPositions[static_cast<size_t>(j)];
    if (c == ' ' || c == FBlank) {
      text[static_cast<size_t>(j)] = FBlank;
    } else if (Fits(p, c)) {
      text[static_cast<size_t>(j)] = Cased(p, c);
    } else {
      MessageBeep(0);
      break;
    }
    ++j;
  }
  UserEdit(text, NextData(j), false);
}

void TCustomMaskEdit::KeyPress(char& Key) {
  if (!IsMasked()) {
    TCustomEdit::KeyPress(Key);
    return;
  }
  TWinControl::KeyPress(Key);
  if (Key == 0 || ReadOnly()) return;
  const int first = SelStart();
  const int last = first + SelLength();
  String text = FText;
  if (Key == '\b') {
    Key = 0;
    if (last > first) {
      ClearData(text, first, last);
      UserEdit(text, first, false);
      return;
    }
    int j = first - 1;
    while (j >= 0 && !IsData(j)) --j;
    if (j >= 0) {
      text[static_cast<size_t>(j)] = FBlank;
      UserEdit(text, j, false);
    }
    return;
  }
  if (static_cast<unsigned char>(Key) < 32) return;
  const char typed = Key;
  Key = 0;
  // A selection is blanked even when the character does not fit.
  ClearData(text, first, last);
  const int j = NextData(first);
  if (j >= Size() || !Fits(FPositions[static_cast<size_t>(j)], typed)) {
    MessageBeep(0);
    if (last > first) UserEdit(text, first, false);
    return;
  }
  text[static_cast<size_t>(j)] = Cased(FPositions[static_cast<size_t>(j)], typed);
  UserEdit(text, NextData(j + 1), true);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (!IsMasked()) {
    TCustomEdit::KeyDown(Key, Shift);
    return;
  }
  TWinControl::KeyDown(Key, Shift);
  const bool shift = Shift.Contains(ssShift);
  const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  switch (Key) {
    case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
      if (KeyFromView()) return;  // the view moves the caret, and selects with Shift
      if (Key == VK_LEFT) SetSelStart(SelStart() - 1);
      if (Key == VK_RIGHT) SetSelStart(SelStart() + 1);
      if (Key == VK_HOME) SetSelStart(0);
      if (Key == VK_END) SetSelStart(Size());
      break;
    case VK_DELETE: {
      if (shift) {
        CutSelection();
        break;
      }
      if (ReadOnly()) break;
      String text = FText;
      const int first = SelStart();
      ClearData(text, first, std::max(first + 1, first + SelLength()));
      UserEdit(text, first, false);
      break;
    }
    case VK_INSERT:
      if (shift) {
        if (QClipboard* clipboard = SystemClipboard()) Paste(clipboard->text().toStdString());
      } else if (ctrl) {
        CopySelection();
      } else {
        return;
      }
      break;
    case 'X': if (!ctrl) return; CutSelection(); break;
    case 'C': if (!ctrl) return; CopySelection(); break;
    case 'V':
      if (!ctrl) return;
      if (QClipboard* clipboard = SystemClipboard()) Paste(clipboard->text().toStdString());
      break;
    case 'Z': if (!ctrl) return; Undo(); break;
    default: return;
  }
  Key = 0;
}

void TCustomMaskEdit::ViewTextEdited(const String& Value) {
  if (!IsMasked()) {
    TCustomEdit::ViewTextEdited(Value);
    return;
  }
  // An edit the view made itself (its context menu, a drop): the text is laid into the mask.
  UserEdit(Format(Value, true), std::min(SelStart(), Size()), false);
}
