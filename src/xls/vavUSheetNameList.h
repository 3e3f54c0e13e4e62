// The sheet names of a workbook, kept sorted to refuse duplicates, to number new sheets
// ("Sheet", "Sheet1", ...), to follow renames and deletions, and to clean typed names.
// Names are told apart without regard to letter case, as spreadsheet programs do: "Data" and
// "DATA" are the same name.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Types.h"

// One name: root S followed by number n (the number is left out when it is 0).
struct TWideContainer {
  WideString S;
  Integer n = 0;
  WideString FullName() const;
};

class TSheetNameList {
 public:
  // Binary search on the full names; Index is the match or the insertion position.
  virtual bool FindFullString(const WideString& S, Integer& Index) const;
  // Whether some item has root S; Index is the position of the one with the highest number.
  virtual bool FindRootString(const WideString& S, Integer& Index) const;
  virtual ~TSheetNameList() = default;

  // Adds a name; a name already in use raises "Sheet name already exists: %s".
  void Add(const WideString& aName);
  // Adds aName, numbered when needed to be unique, and returns the name added.
  WideString AddUniqueName(const WideString& aName);
  // Removes a name; one not in the list raises "Sheet name already exists: %s".
  void DeleteSheet(const WideString& SheetName);
  // Renames OldName, which must be present, to NewName, which must be free (a change of
  // letter case only is allowed).
  void Rename(const WideString& OldName, const WideString& NewName);
  // At most 31 characters, with / \ ? [ ] * replaced by _ and : by .
  static WideString MakeValidSheetName(const WideString& aName);

  void Clear() { FList.clear(); }
  Integer Count() const { return static_cast<Integer>(FList.size()); }
  WideString operator[](Integer Index) const { return FList.at(Index)->FullName(); }

 private:
  std::vector<std::unique_ptr<TWideContainer>> FList;
};
