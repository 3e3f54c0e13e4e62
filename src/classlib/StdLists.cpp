// Combo boxes and list boxes.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <cctype>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/WinApi.h"
#include "classlib/qt/DialogKeyView.h"
#include "classlib/qt/Views.h"

namespace {
// The item that equals Text exactly (letter case counts), -1 when none.
int IndexOfExact(const TStrings& items, const String& text) {
  for (int i = 0; i < items.Count(); ++i)
    if (items.Strings(i) == text) return i;
  return -1;
}

template <typename F>
void Guarded(TComponent* sender, F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    Application->HandleException(sender, e);
  }
}
}  // namespace

// Turns a person's choice or typing in a QComboBox into the combo box's user actions.
class ComboViewLink {
 public:
  static void Connect(TCustomComboBox* combo, QComboBox* view) {
    QObject::connect(view, QOverload<int>::of(&QComboBox::activated), view,
                     [combo](int index) { Guarded(combo, [&] { combo->UserSelect(index); }); });
    QObject::connect(view, &QComboBox::editTextChanged, view, [combo](const QString& text) {
      Guarded(combo, [&] { combo->UserTyped(text.toStdString()); });
    });
  }
};

class ListViewLink {
 public:
  static void Connect(TCustomListBox* list, QListWidget* view) {
    QObject::connect(view, &QListWidget::itemSelectionChanged, view, [list, view]() {
      Guarded(list, [&] {
        for (int i = 0; i < view->count() && i < static_cast<int>(list->FSelected.size()); ++i)
          list->FSelected[static_cast<size_t>(i)] = view->item(i)->isSelected();
        int current = view->currentRow();
        list->FItemIndex = current;
        list->UpdateView();
        list->Click();
      });
    });
    // A click on an item also ends as a release over it, as the list's own mouse handling
    // sees it (a drop-down list picks its entry there).
    QObject::connect(view, &QListWidget::itemClicked, view, [list, view](QListWidgetItem* item) {
      Guarded(list, [&] {
        const QRect r = view->visualItemRect(item);
        const QPoint p = view->viewport()->mapTo(view, r.center());
        list->Perform(WM_LBUTTONUP, 0, MakeLParam(p.x(), p.y()));
      });
    });
  }
};

// ---------------------------------------------------------------------------------------
// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TStringList>()) {
  TabStop = true;
  SetBounds(0, 0, 145, 21);
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() { FItems->OnChange = nullptr; }

void TCustomComboBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FStyle == csDropDownList) {
    FInternal = true;
    SetText(FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String());
    FInternal = false;
  }
  UpdateView();
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  FInternal = true;
  SetText(Value >= 0 ? FItems->Strings(Value) : String());
  FInternal = false;
  UpdateView();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  FStyle = Value;
  if (View() != nullptr) {
    QWidget* parent = View()->parentWidget();
    DestroyView();
    CreateView(parent);
  }
}

void TCustomComboBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetItemIndex(-1);
}

void TCustomComboBox::TextChanged() {
  // Text set from code: a drop-down list can only show one of its items.
  if (!FInternal) {
    if (FStyle == csDropDownList) {
      int index = FItems->IndexOf(FText);
      FItemIndex = index;
      FText = index >= 0 ? FItems->Strings(index) : String();
    } else {
      FItemIndex = IndexOfExact(*FItems, FText);
    }
  }
  TWinControl::TextChanged();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::UserSelect(int Index) {
  if (Index < 0 || Index >= FItems->Count()) return;
  SetItemIndex(Index);
  Click();
  Select();
}

void TCustomComboBox::UserTyped(const String& Value) {
  if (FStyle == csDropDownList || Value == FText) return;
  FText = Value;
  FItemIndex = IndexOfExact(*FItems, FText);
  Change();
}

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  int count = FItems->Count();
  int next = FItemIndex;
  switch (Key) {
    case VK_DOWN: next = std::min(FItemIndex + 1, count - 1); break;
    case VK_UP: next = std::max(FItemIndex - 1, 0); break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    default: return;
  }
  if (View() != nullptr) return;  // a real view moves natively
  Key = 0;
  if (next != FItemIndex) UserSelect(next);
}

void TCustomComboBox::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (Key == 0 || View() != nullptr) return;
  if (FStyle == csDropDownList) {
    // A letter moves to the next item that starts with it.
    int count = FItems->Count();
    for (int step = 1; step <= count; ++step) {
      int i = (std::max(FItemIndex, -1) + step) % count;
      String s = FItems->Strings(i);
      if (!s.empty() && std::tolower(static_cast<unsigned char>(s[0])) == std::tolower(static_cast<unsigned char>(Key))) {
        if (i != FItemIndex) UserSelect(i);
        break;
      }
    }
    Key = 0;
    return;
  }
  if (Key == '\b') {
    if (!FText.empty()) UserTyped(FText.substr(0, FText.size() - 1));
  } else if (static_cast<unsigned char>(Key) >= 32) {
    if (MaxLength <= 0 || static_cast<int>(FText.size()) < MaxLength) UserTyped(FText + Key);
  }
  Key = 0;
}

void TCustomComboBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    default:
      TWinControl::WndProc(Message);
  }
}

QWidget* TCustomComboBox::MakeView(QWidget* ParentView) {
  auto* view = new DialogKeyView<QComboBox>(this, ParentView);
  view->setEditable(FStyle == csDropDown || FStyle == csSimple);
  view->setInsertPolicy(QComboBox::NoInsert);
  ComboViewLink::Connect(this, view);
  return view;
}

void TCustomComboBox::UpdateView() {
  TWinControl::UpdateView();
  auto* view = dynamic_cast<QComboBox*>(View());
  if (view == nullptr) return;
  QSignalBlocker block(view);
  QStringList items;
  for (int i = 0; i < FItems->Count(); ++i) items << QString::fromStdString(FItems->Strings(i));
  QStringList shown;
  for (int i = 0; i < view->count(); ++i) shown << view->itemText(i);
  if (shown != items) {
    view->clear();
    view->addItems(items);
  }
  view->setCurrentIndex(FItemIndex);
  view->setMaxVisibleItems(std::max(1, DropDownCount));
  if (view->isEditable()) {
    QSignalBlocker blockEdit(view->lineEdit());
    QString text = QString::fromStdString(FText);
    if (view->currentText() != text) view->setEditText(text);
    if (MaxLength > 0) view->lineEdit()->setMaxLength(MaxLength);
  }
}

// ---------------------------------------------------------------------------------------
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TStringList>()) {
  TabStop = true;
  // OnClick means "a person changed the selection" here, not "the mouse went up inside".
  ControlStyle.Exclude(csClickEvents);
  SetBounds(0, 0, 121, 97);
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomListBox::~TCustomListBox() { FItems->OnChange = nullptr; }

void TCustomListBox::ItemsChanged() {
  FSelected.assign(static_cast<size_t>(FItems->Count()), false);
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FItemIndex >= 0) FSelected[static_cast<size_t>(FItemIndex)] = true;
  UpdateView();
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  if (!FMultiSelect) std::fill(FSelected.begin(), FSelected.end(), false);
  if (Value >= 0) FSelected[static_cast<size_t>(Value)] = true;
  UpdateView();
}

void TCustomListBox::SetMultiSelect(bool Value) {
  FMultiSelect = Value;
  if (!Value) SetItemIndex(FItemIndex);
  UpdateView();
}

bool TCustomListBox::Selected(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FSelected.size()))
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FSelected[static_cast<size_t>(Index)];
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  Selected(Index);  // checks the index
  if (!FMultiSelect) {
    SetItemIndex(Value ? Index : (FItemIndex == Index ? -1 : FItemIndex));
    return;
  }
  FSelected[static_cast<size_t>(Index)] = Value;
  UpdateView();
}

int TCustomListBox::SelCount() const {
  if (!FMultiSelect) return -1;
  return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
  if (Pos.Y < 0 || ItemHeight <= 0) return Existing ? -1 : 0;
  int index = TopIndex + Pos.Y / ItemHeight;
  if (index < FItems->Count()) return index;
  return Existing ? -1 : FItems->Count();
}

void TCustomListBox::UserSelect(int Index, bool Toggle) {
  if (Index < 0 || Index >= FItems->Count()) return;
  if (FMultiSelect && Toggle) {
    FSelected[static_cast<size_t>(Index)] = !FSelected[static_cast<size_t>(Index)];
    FItemIndex = Index;
    UpdateView();
  } else {
    if (FMultiSelect) std::fill(FSelected.begin(), FSelected.end(), false);
    SetItemIndex(Index);
  }
  Click();
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) UserSelect(ItemAtPos(Point(X, Y), true), Shift.Contains(ssCtrl));
}

void TCustomListBox::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (View() != nullptr) return;
  int count = FItems->Count();
  int next;
  switch (Key) {
    case VK_DOWN: next = std::min(FItemIndex + 1, count - 1); break;
    case VK_UP: next = std::max(FItemIndex - 1, 0); break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    default: return;
  }
  Key = 0;
  if (next != FItemIndex) UserSelect(next, false);
}

void TCustomListBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  }
  TWinControl::WndProc(Message);
}

QWidget* TCustomListBox::MakeView(QWidget* ParentView) {
  auto* view = new DialogKeyView<QListWidget>(this, ParentView);
  ListViewLink::Connect(this, view);
  return view;
}

void TCustomListBox::UpdateView() {
  TWinControl::UpdateView();
  auto* view = dynamic_cast<QListWidget*>(View());
  if (view == nullptr) return;
  QSignalBlocker block(view);
  view->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  bool same = view->count() == FItems->Count();
  for (int i = 0; same && i < view->count(); ++i)
    same = view->item(i)->text() == QString::fromStdString(FItems->Strings(i));
  if (!same) {
    view->clear();
    for (int i = 0; i < FItems->Count(); ++i) view->addItem(QString::fromStdString(FItems->Strings(i)));
  }
  view->setCurrentRow(FItemIndex, QItemSelectionModel::NoUpdate);
  for (int i = 0; i < view->count() && i < static_cast<int>(FSelected.size()); ++i)
    view->item(i)->setSelected(FSelected[static_cast<size_t>(i)]);
}
