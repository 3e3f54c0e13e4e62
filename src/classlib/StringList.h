// Lists of strings: the abstract TStrings, which controls' line and item lists derive from, and
// the plain TStringList.
#pragma once

#include <functional>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Persistent.h"
#include "classlib/Types.h"

class TStream;

// An ordered list of strings, each with an optional object pointer (not owned here).
//
// A descendant stores the strings and provides the virtual primitives (Get, GetCount, Insert,
// Delete, Clear and, where it can do better than the defaults, Put, GetObject, PutObject);
// everything else is written on top of them. Lines are joined with CR LF after every line and
// split at CR LF, LF or lone CR. Name=value lookups and IndexOf ignore letter case unless a
// descendant compares otherwise (CompareStrings).
class TStrings : public TPersistent {
 public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;

  // ---- primitives
  virtual String Get(Integer Index) const = 0;
  virtual Integer GetCount() const = 0;
  // Default: delete and re-insert, keeping the object.
  virtual void Put(Integer Index, const String& S);
  // Default: no objects (nullptr; PutObject does nothing).
  virtual TObject* GetObject(Integer Index) const;
  virtual void PutObject(Integer Index, TObject* AObject);
  virtual void Insert(Integer Index, const String& S) = 0;
  virtual void Delete(Integer Index) = 0;
  virtual void Clear() = 0;

  // ---- operations a descendant may do faster
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  // Index of the first string equal to S (letter case ignored by default); -1 when absent.
  virtual Integer IndexOf(const String& S) const;
  // The whole list as text, one line per string with CR LF after each; setting it replaces
  // the list (a final line break adds no empty line).
  virtual String GetTextStr() const;
  virtual void SetTextStr(const String& Value);
  // From another TStrings: strings and objects.
  void Assign(TPersistent* Source) override;

  // ---- helpers on top of the primitives
  Integer Add(const String& S) { return AddObject(S, nullptr); }
  Integer AddObject(const String& S, TObject* AObject) { return DoAdd(S, AObject); }
  void InsertObject(Integer Index, const String& S, TObject* AObject);
  void AddStrings(const TStrings& Strings);
  void Append(const String& S) { Add(S); }

  Integer Count() const { return GetCount(); }
  String Strings(Integer Index) const { return Get(Index); }
  String operator[](Integer Index) const { return Get(Index); }
  TObject* Objects(Integer Index) const { return GetObject(Index); }
  Integer IndexOfObject(const TObject* AObject) const;
  bool Equals(const TStrings& Other) const;

  String Text() const { return GetTextStr(); }
  void SetText(const String& Value) { SetTextStr(Value); }

  // Items separated by Delimiter; an item holding a blank, a control character, the quote or
  // the delimiter is put in QuoteChar quotes (inner quotes doubled). Reading splits at
  // delimiters and at unquoted blanks, skips blanks after a delimiter and takes quoted items
  // whole.
  char Delimiter = ',';
  char QuoteChar = '"';
  String DelimitedText() const;
  void SetDelimitedText(const String& Value);
  // DelimitedText with ',' and '"'.
  String CommaText() const;
  void SetCommaText(const String& Value);

  // "name=value" items.
  String Names(Integer Index) const;
  String ValueFromIndex(Integer Index) const;
  Integer IndexOfName(const String& Name) const;
  String Values(const String& Name) const;
  // Sets the value of Name, adding "name=value" when absent; an empty value deletes the item.
  void SetValue(const String& Name, const String& Value);

  // A byte-order mark selects UTF-8 or UTF-16 (converted to UTF-8); other bytes are kept as
  // they are. Raises EFOpenError when the file cannot be read.
  void LoadFromFile(const String& FileName);
  void LoadFromStream(TStream& Stream);
  // CR LF after every line; the file is written whole or not at all.
  void SaveToFile(const String& FileName) const;
  void SaveToStream(TStream& Stream) const;

  // Between BeginUpdate and the matching EndUpdate, change notifications are held back.
  void BeginUpdate();
  void EndUpdate();
  Integer UpdateCount() const { return updateCount_; }

 protected:
  // How Add places a string: at the end by default; a sorted list puts it in order.
  virtual Integer DoAdd(const String& S, TObject* AObject);
  // Called with true when the first BeginUpdate starts and false when the last EndUpdate ends.
  virtual void SetUpdateState(bool Updating) { (void)Updating; }
  // Comparison of IndexOf, IndexOfName and sorting: letter case ignored by default.
  virtual int CompareStrings(const String& S1, const String& S2) const;
  [[noreturn]] void Error(const String& Message, Integer Index) const;

 private:
  Integer updateCount_ = 0;
};

class TStringList;

enum TDuplicates { dupIgnore, dupAccept, dupError };
// <0, 0, >0 as the item at Index1 sorts before, with or after the item at Index2.
using TStringListSortCompare = std::function<int(TStringList* List, Integer Index1, Integer Index2)>;

// A list of strings held in memory. A sorted list keeps its strings in order (Add inserts in
// place; Insert and Put are not allowed) and handles duplicates as Duplicates says. Objects are
// not owned unless OwnsObjects is set, in which case Delete, Clear and the destructor free them.
// OnChanging and OnChange run around every change, once per BeginUpdate/EndUpdate bracket.
class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : ownsObjects_(OwnsObjects) {}
  ~TStringList() override;

  String Get(Integer Index) const override;
  Integer GetCount() const override { return static_cast<Integer>(items_.size()); }
  void Put(Integer Index, const String& S) override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  void Insert(Integer Index, const String& S) override;
  void Delete(Integer Index) override;
  void Clear() override;
  void Exchange(Integer Index1, Integer Index2) override;
  Integer IndexOf(const String& S) const override;
  void SetTextStr(const String& Value) override;

  // Binary search of a sorted list: true when found; Index is its position, or where it would
  // be inserted.
  bool Find(const String& S, Integer& Index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  Integer DoAdd(const String& S, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const String& S1, const String& S2) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    String S;
    TObject* Obj = nullptr;
  };
  void CheckIndex(Integer Index) const;
  void InsertItem(Integer Index, const String& S, TObject* AObject);
  void QuickSort(Integer L, Integer R, const TStringListSortCompare& Compare);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
