#include "xls/vavUSheetNameList.h"

#include "xls/vavUWbkMessages.h"
#include "xls/vavXlsMessages.h"

namespace {
WideString NumberText(Integer n) {
  WideString text;
  for (char c : std::to_string(n)) text += static_cast<char16_t>(c);
  return text;
}

// Name order: shorter names first, equal lengths by upper-cased code units.
int CompareNames(const WideString& a, const WideString& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  WideString ua = UpperCaseText(a), ub = UpperCaseText(b);
  return ua < ub ? -1 : (ua > ub ? 1 : 0);
}

String Narrow(const WideString& s) {
  // The message text is UTF-8.
  String out;
  for (char16_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

[[noreturn]] void Duplicated(const WideString& name) { RaiseXls(XlsMsg::DuplicatedSheetName, {Narrow(name)}); }
}  // namespace

WideString TWideContainer::FullName() const { return n == 0 ? S : S + NumberText(n); }

bool TSheetNameList::FindFullString(const WideString& S, Integer& Index) const {
  Integer lo = 0, hi = Count() - 1;
  while (lo <= hi) {
    Integer mid = (lo + hi) / 2;
    int c = CompareNames(FList[mid]->FullName(), S);
    if (c == 0) {
      Index = mid;
      return true;
    }
    if (c < 0) lo = mid + 1;
    else hi = mid - 1;
  }
  Index = lo;
  return false;
}

bool TSheetNameList::FindRootString(const WideString& S, Integer& Index) const {
  // The list is sorted by full names, not roots, so a binary search on roots could miss one.
  bool found = false;
  for (Integer i = 0; i < Count(); ++i) {
    if (CompareNames(FList[i]->S, S) != 0) continue;
    if (!found || FList[i]->n > FList[Index]->n) Index = i;
    found = true;
  }
  return found;
}

void TSheetNameList::Add(const WideString& aName) {
  Integer index;
  if (FindFullString(aName, index)) Duplicated(aName);
  FList.insert(FList.begin() + index, std::make_unique<TWideContainer>(TWideContainer{aName, 0}));
}

WideString TSheetNameList::AddUniqueName(const WideString& aName) {
  // The lowest free number: the bare name when no sheet uses it, else aName1, aName2, ... A
  // number freed by a deleted sheet is handed out again, and names that another root already
  // spells ("Sheet" numbered 1 and a bare "Sheet1") are stepped over.
  TWideContainer item{aName, 0};
  Integer index = 0;
  while (FindFullString(item.FullName(), index)) ++item.n;
  FList.insert(FList.begin() + index, std::make_unique<TWideContainer>(item));
  return item.FullName();
}

void TSheetNameList::DeleteSheet(const WideString& SheetName) {
  Integer index;
  if (!FindFullString(SheetName, index)) Duplicated(SheetName);
  FList.erase(FList.begin() + index);
}

void TSheetNameList::Rename(const WideString& OldName, const WideString& NewName) {
  if (OldName == NewName) return;
  Integer oldIndex, newIndex;
  if (!FindFullString(OldName, oldIndex)) Duplicated(OldName);
  if (CompareNames(OldName, NewName) == 0) {
    // Only the letter case changes: the item keeps its place.
    *FList[oldIndex] = TWideContainer{NewName, 0};
    return;
  }
  if (FindFullString(NewName, newIndex)) Duplicated(NewName);
  FList.erase(FList.begin() + oldIndex);
  Add(NewName);
}

WideString TSheetNameList::MakeValidSheetName(const WideString& aName) {
  WideString name = aName.substr(0, 31);
  for (char16_t& c : name) {
    if (c == u'/' || c == u'\\' || c == u'?' || c == u'[' || c == u']' || c == u'*') c = u'_';
    else if (c == u':') c = u'.';
  }
  return name;
}
