// The memo and its lines.
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/qt/Views.h"

namespace {

// Splits at CR LF, LF or lone CR; the text after the last break is a line even when empty.
std::vector<String> SplitEditLines(const String& text) {
  std::vector<String> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

String JoinEditLines(const std::vector<String>& lines) {
  String out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines[i];
  }
  return out;
}

}  // namespace

// Keeps a QPlainTextEdit and its memo in step without echo.
class MemoViewLink {
 public:
  static void Connect(TCustomMemo* memo, QPlainTextEdit* view) {
    QObject::connect(view, &QPlainTextEdit::textChanged, view, [memo, view]() {
      QString text = view->toPlainText();
      text.replace(QChar('\n'), QStringLiteral("\r\n"));
      try {
        memo->ViewTextEdited(text.toStdString());
      } catch (const std::exception& e) {
        Application->HandleException(memo, e);
      }
    });
    // A selection can change without the caret moving (Ctrl+A with the caret at the end).
    auto readSelection = [memo, view]() {
      QTextCursor cursor = view->textCursor();
      QString text = view->toPlainText();
      auto bytes = [&text](int pos) {
        QString before = text.left(pos);
        return static_cast<int>(before.toUtf8().size() + before.count(QChar('\n')));
      };
      int a = bytes(cursor.selectionStart());
      int b = bytes(cursor.selectionEnd());
      memo->FSelStart = a;
      memo->FSelLength = b - a;
    };
    QObject::connect(view, &QPlainTextEdit::cursorPositionChanged, view, readSelection);
    QObject::connect(view, &QPlainTextEdit::selectionChanged, view, readSelection);
  }
};

// ---------------------------------------------------------------------------------------
// TMemoStrings

String TMemoStrings::Get(Integer Index) const {
  const auto& lines = FMemo->EditLines();
  return Index >= 0 && Index < static_cast<Integer>(lines.size()) ? lines[static_cast<size_t>(Index)] : String();
}

Integer TMemoStrings::GetCount() const {
  const auto& lines = FMemo->EditLines();
  auto n = static_cast<Integer>(lines.size());
  return lines.back().empty() ? n - 1 : n;
}

void TMemoStrings::Put(Integer Index, const String& S) {
  if (Index < 0) return;
  if (Index >= GetCount()) {
    while (GetCount() < Index) Insert(GetCount(), "");
    Insert(Index, S);
    return;
  }
  std::vector<String> lines = FMemo->EditLines();
  lines[static_cast<size_t>(Index)] = S;
  FMemo->SetEditLines(std::move(lines));
}

void TMemoStrings::Insert(Integer Index, const String& S) {
  Integer count = GetCount();
  if (Index < 0 || Index > count) Error("List index out of bounds (%d)", Index);
  std::vector<String> lines = FMemo->EditLines();
  // Inserting before the empty line after a final break keeps that break.
  if (Index < static_cast<Integer>(lines.size()))
    lines.insert(lines.begin() + Index, S);
  else
    lines.push_back(S);
  FMemo->SetEditLines(std::move(lines));
}

void TMemoStrings::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) return;
  std::vector<String> lines = FMemo->EditLines();
  lines.erase(lines.begin() + Index);
  if (lines.empty()) lines.emplace_back();
  FMemo->SetEditLines(std::move(lines));
}

void TMemoStrings::Clear() { FMemo->SetEditLines({String()}); }

void TMemoStrings::SetTextStr(const String& Value) { FMemo->SetText(Value); }

// ---------------------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  FEditLines = {String()};
  AutoSelect = false;
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

const std::vector<String>& TCustomMemo::EditLines() const { return FEditLines; }

void TCustomMemo::SetEditLines(std::vector<String> Lines) {
  String text = JoinEditLines(Lines);
  SetText(text);
  FEditLines = SplitEditLines(FText);
}

void TCustomMemo::TextChanged() {
  // Line breaks are stored as CR LF whatever the text set used.
  FEditLines = SplitEditLines(FText);
  FText = JoinEditLines(FEditLines);
  TCustomEdit::TextChanged();
}

void TCustomMemo::SetWordWrap(bool Value) {
  FWordWrap = Value;
  UpdateView();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  UpdateView();
}

void TCustomMemo::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::WndProc(Message);
    if (WantReturns) Message.Result |= DLGC_WANTALLKEYS;
    if (WantTabs) Message.Result |= DLGC_WANTTAB;
    return;
  }
  TCustomEdit::WndProc(Message);
}

void TCustomMemo::KeyPress(char& Key) {
  if (View() == nullptr && !ReadOnly() && ((Key == '\r' && WantReturns) || (Key == '\t' && WantTabs))) {
    TWinControl::KeyPress(Key);
    if (Key == '\r') SetSelText("\r\n");
    if (Key == '\t') SetSelText("\t");
    return;
  }
  TCustomEdit::KeyPress(Key);
}

QWidget* TCustomMemo::MakeView(QWidget* ParentView) {
  auto* view = new QPlainTextEdit(ParentView);
  MemoViewLink::Connect(this, view);
  return view;
}

void TCustomMemo::UpdateView() {
  TWinControl::UpdateView();
  auto* view = dynamic_cast<QPlainTextEdit*>(View());
  if (view == nullptr || UpdatingFromView()) return;
  QSignalBlocker block(view);
  QString text = QString::fromStdString(FText);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (view->toPlainText() != text) view->setPlainText(text);
  view->setReadOnly(ReadOnly());
  view->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  bool h = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  bool v = FScrollBars == ssVertical || FScrollBars == ssBoth;
  view->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}
