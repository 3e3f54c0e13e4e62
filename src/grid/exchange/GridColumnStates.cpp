// Column widths and the column order kept in the INI file or registry key that ColumnSize
// names, and the whole column arrangement as one string ("n#widths#order#visibility").
#include <algorithm>
#include <map>

#include "classlib/IniFiles.h"
#include "classlib/Registry.h"
#include "grid/model/RivErodovOzar.h"

namespace {

// The store ColumnSize names, opened for one call: integers by name in the section (INI) or
// under the key's subkey (registry).
class TColumnStore {
 public:
  explicit TColumnStore(const TColumnSize& Size) : FSize(Size) {
    if (Size.Location == clIniFile) {
      FIni = std::make_unique<TMemIniFile>(Size.Key);
    } else {
      FRegistry = std::make_unique<TRegistry>();
      FRegistry->OpenKey(Size.Key + "\\" + Size.Section, true);
    }
  }
  int Read(const String& Name, int Default) const {
    if (FIni) return FIni->ReadInteger(FSize.Section, Name, Default);
    return FRegistry->ValueExists(Name) ? FRegistry->ReadInteger(Name) : Default;
  }
  bool Exists(const String& Name) const {
    return FIni ? FIni->ValueExists(FSize.Section, Name) : FRegistry->ValueExists(Name);
  }
  void Write(const String& Name, int Value) {
    if (FIni) FIni->WriteInteger(FSize.Section, Name, Value);
    else FRegistry->WriteInteger(Name, Value);
  }
  // Whole or not at all.
  void Save() {
    if (FIni) FIni->UpdateFile();
  }

 private:
  const TColumnSize& FSize;
  std::unique_ptr<TMemIniFile> FIni;
  std::unique_ptr<TRegistry> FRegistry;
};

bool StoreNamed(const TRivErodovOzar& Grid) {
  return !Grid.ColumnSize()->Key.empty() && !Grid.ColumnSize()->Section.empty() &&
         !Grid.ComponentState().Contains(csDesigning);
}

std::vector<String> SplitAt(const String& S, char Sep) {
  std::vector<String> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = S.find(Sep, start);
    parts.push_back(S.substr(start, at == String::npos ? String::npos : at - start));
    if (at == String::npos) return parts;
    start = at + 1;
  }
}

String Joined(const std::vector<int>& Values) {
  String s;
  for (size_t i = 0; i < Values.size(); ++i) s += (i > 0 ? "," : "") + IntToStr(Values[i]);
  return s;
}

}  // namespace

void TRivErodovOzar::SaveColSizes() {
  if (!StoreNamed(*this)) return;
  TColumnStore store(*ColumnSize());
  for (int i = 0; i < ColCount(); ++i) store.Write("Col" + IntToStr(i), ColWidths(i));
  store.Save();
}

void TRivErodovOzar::LoadColSizes() {
  if (!StoreNamed(*this)) return;
  TColumnStore store(*ColumnSize());
  for (int i = 0; i < ColCount(); ++i) {
    const int w = store.Read("Col" + IntToStr(i), ColWidths(i));
    if (w != ColWidths(i)) SetColWidths(i, w);
  }
}

void TRivErodovOzar::SaveColPositions() {
  if (!StoreNamed(*this)) return;
  TColumnStore store(*ColumnSize());
  for (int i = 0; i < FColumnOrder->Count(); ++i) store.Write("Pos" + IntToStr(i), FColumnOrder->Items(i));
  store.Save();
}

void TRivErodovOzar::LoadColPositions() {
  if (!StoreNamed(*this)) return;
  TColumnStore store(*ColumnSize());
  if (store.Read("Pos0", -1) == -1) return;
  std::vector<int> order;
  for (int i = 0; i < AllColCount(); ++i)
    if (store.Exists("Pos" + IntToStr(i))) order.push_back(store.Read("Pos" + IntToStr(i), -1));
  // The columns stand where the list says once the order reset has moved them back.
  std::vector<int> hidden;
  for (int c = 0; c < AllColCount(); ++c)
    if (IsHiddenColumn(c)) hidden.push_back(c);
  std::vector<int> inverse(order.size(), -1);
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i] >= 0 && order[i] < static_cast<int>(order.size())) inverse[static_cast<size_t>(order[i])] = static_cast<int>(i);
  FColumnOrder->Clear();
  for (int v : inverse) FColumnOrder->Add(v);
  UnHideColumnsAll();
  if (FColumnOrder->Count() > 0) ResetColumnOrder();
  for (auto it = hidden.rbegin(); it != hidden.rend(); ++it) HideColumn(*it);
  FColumnOrder->Clear();
  for (int v : order) FColumnOrder->Add(v);
}

String TRivErodovOzar::ColumnStatesToString() {
  const int n = AllColCount();
  std::vector<int> widths, order, visible;
  for (int i = 0; i < n; ++i) widths.push_back(i < ColCount() ? ColWidths(i) : DefaultColWidth());
  for (int i = 0; i < FColumnOrder->Count(); ++i) order.push_back(FColumnOrder->Items(i));
  if (order.empty())
    for (int i = 0; i < n; ++i) order.push_back(i);
  for (int i = 0; i < n; ++i) visible.push_back(IsHiddenColumn(i) ? 0 : 1);
  return IntToStr(n) + "#" + Joined(widths) + "#" + Joined(order) + "#" + Joined(visible);
}

void TRivErodovOzar::StringToColumnStates(const String& Value) {
  if (Value.find('#') == String::npos) return;
  const std::vector<String> parts = SplitAt(Value, '#');
  // Everything is read before the grid changes: a damaged string changes nothing.
  const int n = StrToInt(parts[0]);
  if (n < 0 || n > 65536) throw EConvertError("'" + parts[0] + "' is not a valid column count");
  auto numbers = [](const String& Part) {
    std::vector<int> values;
    if (!Part.empty())
      for (const String& v : SplitAt(Part, ',')) values.push_back(StrToInt(v));
    return values;
  };
  const std::vector<int> widths = parts.size() > 1 ? numbers(parts[1]) : std::vector<int>();
  const std::vector<int> order = parts.size() > 2 ? numbers(parts[2]) : std::vector<int>();
  const std::vector<String> visibility = parts.size() > 3 && !parts[3].empty() ? SplitAt(parts[3], ',') : std::vector<String>();

  FColumnOrder->Clear();
  UnHideColumnsAll();
  SetColCount(n);
  if (!order.empty()) {
    std::vector<int> kept;
    for (int v : order)
      if (v != -1) kept.push_back(v);
    std::vector<int> inverse(kept.size(), -1);
    for (size_t i = 0; i < kept.size(); ++i)
      if (kept[i] >= 0 && kept[i] < static_cast<int>(kept.size())) inverse[static_cast<size_t>(kept[i])] = static_cast<int>(i);
    for (int v : inverse) FColumnOrder->Add(v);
    if (FColumnOrder->Count() > 0) ResetColumnOrder();
    FColumnOrder->Clear();
    for (int v : kept) FColumnOrder->Add(v);
  }
  for (int i = static_cast<int>(visibility.size()) - 1; i >= 0; --i)
    if (visibility[static_cast<size_t>(i)] == "0" && i < AllColCount()) HideColumn(i);
  const bool stretch = ColumnSize()->Stretch();
  if (stretch) {
    ColumnSize()->SetStretch(false);
    const int column = ColumnSize()->StretchColumn == -1 ? ColCount() - 1 : ColumnSize()->StretchColumn;
    if (column >= 0 && column < ColCount()) SetDefaultColWidth(ColWidths(column));
  }
  for (int i = 0; i < ColCount() && i < static_cast<int>(widths.size()); ++i) SetColWidths(i, std::max(0, widths[static_cast<size_t>(i)]));
  if (stretch) ColumnSize()->SetStretch(true);
}
