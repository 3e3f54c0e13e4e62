#include "classlib/StringList.h"

#include <algorithm>
#include <utility>

#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

// =============================================================================================
// TStrings

void TStrings::Put(Integer Index, const String& S) {
  TObject* obj = GetObject(Index);
  BeginUpdate();
  Delete(Index);
  InsertObject(Index, S, obj);
  EndUpdate();
}

TObject* TStrings::GetObject(Integer Index) const {
  (void)Index;
  return nullptr;
}

void TStrings::PutObject(Integer Index, TObject* AObject) {
  (void)Index;
  (void)AObject;
}

Integer TStrings::DoAdd(const String& S, TObject* AObject) {
  const Integer index = GetCount();
  Insert(index, S);
  if (AObject) PutObject(index, AObject);
  return index;
}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  if (AObject) PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Strings) {
  BeginUpdate();
  for (Integer i = 0; i < Strings.GetCount(); ++i) AddObject(Strings.Get(i), Strings.GetObject(i));
  EndUpdate();
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  BeginUpdate();
  const String s1 = Get(Index1);
  TObject* o1 = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, s1);
  PutObject(Index2, o1);
  EndUpdate();
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  const String s = Get(CurIndex);
  TObject* obj = GetObject(CurIndex);
  PutObject(CurIndex, nullptr);  // so that an owning list does not free it on Delete
  Delete(CurIndex);
  InsertObject(NewIndex, s, obj);
  EndUpdate();
}

int TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

Integer TStrings::IndexOf(const String& S) const {
  const Integer n = GetCount();
  for (Integer i = 0; i < n; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const {
  const Integer n = GetCount();
  for (Integer i = 0; i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

bool TStrings::Equals(const TStrings& Other) const {
  if (GetCount() != Other.GetCount()) return false;
  for (Integer i = 0; i < GetCount(); ++i)
    if (Get(i) != Other.Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  Clear();
  AddStrings(*source);
  EndUpdate();
}

String TStrings::GetTextStr() const {
  String out;
  const Integer n = GetCount();
  for (Integer i = 0; i < n; ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

namespace {
// Splits at CR LF, LF or lone CR; a final line break adds no empty line.
template <class Fn>
void ForEachLine(const String& text, Fn&& add) {
  size_t start = 0, i = 0;
  const size_t n = text.size();
  while (i < n) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      add(text.substr(start, i - start));
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < n) add(text.substr(start));
}
}  // namespace

void TStrings::SetTextStr(const String& Value) {
  BeginUpdate();
  Clear();
  ForEachLine(Value, [this](String line) { Add(line); });
  EndUpdate();
}

String TStrings::DelimitedText() const {
  const Integer n = GetCount();
  if (n == 1 && Get(0).empty()) return String(2, QuoteChar);
  String out;
  for (Integer i = 0; i < n; ++i) {
    const String s = Get(i);
    bool quote = false;
    for (char c : s) {
      if (static_cast<unsigned char>(c) <= ' ' || c == QuoteChar || c == Delimiter) {
        quote = true;
        break;
      }
    }
    if (quote) {
      out += QuoteChar;
      for (char c : s) {
        if (c == QuoteChar) out += QuoteChar;
        out += c;
      }
      out += QuoteChar;
    } else {
      out += s;
    }
    if (i + 1 < n) out += Delimiter;
  }
  return out;
}

void TStrings::SetDelimitedText(const String& Value) {
  auto isBlank = [](char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; };
  BeginUpdate();
  Clear();
  const size_t n = Value.size();
  size_t i = 0;
  while (i < n && isBlank(Value[i])) ++i;
  while (i < n) {
    String item;
    if (Value[i] == QuoteChar) {
      ++i;
      while (i < n) {
        if (Value[i] == QuoteChar) {
          if (i + 1 < n && Value[i + 1] == QuoteChar) {
            item += QuoteChar;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += Value[i++];
      }
    } else {
      const size_t start = i;
      while (i < n && static_cast<unsigned char>(Value[i]) > ' ' && Value[i] != Delimiter) ++i;
      item = Value.substr(start, i - start);
    }
    Add(item);
    while (i < n && isBlank(Value[i])) ++i;
    if (i < n && Value[i] == Delimiter) {
      if (i + 1 == n) Add("");
      do {
        ++i;
      } while (i < n && isBlank(Value[i]));
    } else if (i < n && Value[i] == '\0') {
      ++i;
    }
  }
  EndUpdate();
}

String TStrings::CommaText() const {
  if (Delimiter == ',' && QuoteChar == '"') return DelimitedText();
  auto* self = const_cast<TStrings*>(this);
  const char d = Delimiter, q = QuoteChar;
  self->Delimiter = ',';
  self->QuoteChar = '"';
  String r = DelimitedText();
  self->Delimiter = d;
  self->QuoteChar = q;
  return r;
}

void TStrings::SetCommaText(const String& Value) {
  const char d = Delimiter, q = QuoteChar;
  Delimiter = ',';
  QuoteChar = '"';
  try {
    SetDelimitedText(Value);
  } catch (...) {
    Delimiter = d;
    QuoteChar = q;
    throw;
  }
  Delimiter = d;
  QuoteChar = q;
}

String TStrings::Names(Integer Index) const {
  const String s = Get(Index);
  const size_t eq = s.find('=');
  return eq == String::npos ? String() : s.substr(0, eq);
}

String TStrings::ValueFromIndex(Integer Index) const {
  const String s = Get(Index);
  const size_t eq = s.find('=');
  return eq == String::npos ? String() : s.substr(eq + 1);
}

Integer TStrings::IndexOfName(const String& Name) const {
  const Integer n = GetCount();
  for (Integer i = 0; i < n; ++i) {
    const String s = Get(i);
    const size_t eq = s.find('=');
    if (eq != String::npos && CompareStrings(s.substr(0, eq), Name) == 0) return i;
  }
  return -1;
}

String TStrings::Values(const String& Name) const {
  const Integer i = IndexOfName(Name);
  return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValue(const String& Name, const String& Value) {
  const Integer i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0) Add(Name + "=" + Value);
    else Put(i, Name + "=" + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

namespace {
// Text of a file or stream as UTF-8 (or the original bytes when there is no byte-order mark).
String DecodeTextBytes(const String& bytes) {
  auto starts = [&](const char* bom, size_t n) { return bytes.size() >= n && bytes.compare(0, n, bom, n) == 0; };
  if (starts("\xEF\xBB\xBF", 3)) return bytes.substr(3);
  const bool le = starts("\xFF\xFE", 2), be = starts("\xFE\xFF", 2);
  if (!le && !be) return bytes;
  WideString w;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[le ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(bytes[le ? i + 1 : i]);
    w += static_cast<char16_t>((hi << 8) | lo);
  }
  return WideToUtf8(w);
}
}  // namespace

void TStrings::LoadFromFile(const String& FileName) { SetTextStr(DecodeTextBytes(ReadFileBytes(FileName))); }

void TStrings::LoadFromStream(TStream& Stream) { SetTextStr(DecodeTextBytes(Stream.ReadAll())); }

void TStrings::SaveToFile(const String& FileName) const { WriteFileAtomically(FileName, GetTextStr()); }

void TStrings::SaveToStream(TStream& Stream) const { Stream.WriteString(GetTextStr()); }

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Error(const String& Message, Integer Index) const {
  throw EStringListError(StringReplace(Message, "%d", std::to_string(Index), 0));
}

// =============================================================================================
// TStringList

namespace {
const char* const kIndexError = "List index out of bounds (%d)";
const char* const kSortedError = "Operation not allowed on sorted list";
const char* const kDuplicateError = "String list does not allow duplicates";
}  // namespace

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (ownsObjects_)
    for (auto& item : items_) delete item.Obj;
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error(kIndexError, Index);
}

String TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return items_[static_cast<size_t>(Index)].S;
}

void TStringList::Put(Integer Index, const String& S) {
  if (sorted_) Error(kSortedError, 0);
  CheckIndex(Index);
  Changing();
  items_[static_cast<size_t>(Index)].S = S;
  Changed();
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return items_[static_cast<size_t>(Index)].Obj;
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  items_[static_cast<size_t>(Index)].Obj = AObject;
  Changed();
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
  Changing();
  items_.insert(items_.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Insert(Integer Index, const String& S) {
  if (sorted_) Error(kSortedError, 0);
  if (Index < 0 || Index > GetCount()) Error(kIndexError, Index);
  InsertItem(Index, S, nullptr);
}

Integer TStringList::DoAdd(const String& S, TObject* AObject) {
  Integer index;
  if (!sorted_) {
    index = GetCount();
  } else if (Find(S, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) Error(kDuplicateError, 0);
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = items_[static_cast<size_t>(Index)].Obj;
  items_.erase(items_.begin() + Index);
  if (ownsObjects_) delete obj;
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  if (ownsObjects_)
    for (auto& item : old) delete item.Obj;
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
  Changed();
}

void TStringList::SetTextStr(const String& Value) {
  BeginUpdate();
  Clear();
  // Filled directly: one change notification, and sorted lists still sort and drop duplicates.
  ForEachLine(Value, [this](String line) { DoAdd(line, nullptr); });
  EndUpdate();
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
  return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

bool TStringList::Find(const String& S, Integer& Index) const {
  bool found = false;
  Integer lo = 0, hi = GetCount() - 1;
  while (lo <= hi) {
    const Integer mid = lo + (hi - lo) / 2;
    const int c = CompareStrings(items_[static_cast<size_t>(mid)].S, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

Integer TStringList::IndexOf(const String& S) const {
  if (!sorted_) return TStrings::IndexOf(S);
  Integer index;
  return Find(S, index) ? index : -1;
}

void TStringList::QuickSort(Integer L, Integer R, const TStringListSortCompare& Compare) {
  // Hoare partition around the middle item; the smaller side recurses and the larger loops,
  // so the depth stays logarithmic. Items move by exchange, as the comparer sees indexes.
  while (L < R) {
    Integer i = L, j = R, p = L + (R - L) / 2;
    do {
      while (Compare(this, i, p) < 0) ++i;
      while (Compare(this, j, p) > 0) --j;
      if (i <= j) {
        if (i != j) std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
        if (p == i) p = j;
        else if (p == j) p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - L < R - i) {
      if (L < j) QuickSort(L, j, Compare);
      L = i;
    } else {
      if (i < R) QuickSort(i, R, Compare);
      R = j;
    }
  }
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (GetCount() < 2) return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, Integer a, Integer b) {
    return list->CompareStrings(list->items_[static_cast<size_t>(a)].S, list->items_[static_cast<size_t>(b)].S);
  });
}

void TStringList::SetSorted(bool Value) {
  if (Value == sorted_) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == caseSensitive_) return;
  caseSensitive_ = Value;
  if (sorted_) Sort();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) Changing();
  else Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}
