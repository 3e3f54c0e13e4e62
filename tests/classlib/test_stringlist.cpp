// String lists: the helpers every TStrings gets from its primitives, the sorted list, text and
// comma text, files; and the Assign protocol and collections they rest on.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "classlib/Persistent.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace {

std::vector<String> Items(const TStrings& list) {
  std::vector<String> v;
  for (Integer i = 0; i < list.Count(); ++i) v.push_back(list[i]);
  return v;
}

// A list with only the primitives, like a control's line list: reads past the end give "".
class TLineList : public TStrings {
 public:
  String Get(Integer Index) const override {
    return Index >= 0 && Index < GetCount() ? lines[static_cast<size_t>(Index)] : String();
  }
  Integer GetCount() const override { return static_cast<Integer>(lines.size()); }
  void Put(Integer Index, const String& S) override {
    if (Index >= 0 && Index < GetCount()) lines[static_cast<size_t>(Index)] = S;
  }
  void Insert(Integer Index, const String& S) override { lines.insert(lines.begin() + Index, S); }
  void Delete(Integer Index) override { lines.erase(lines.begin() + Index); }
  void Clear() override { lines.clear(); }
  std::vector<String> lines;
};

TEST(Strings, HelpersWorkOverThePrimitivesAlone) {
  TLineList lines;
  lines.SetText("one\r\nTwo\nthree");
  EXPECT_EQ(lines.lines, (std::vector<String>{"one", "Two", "three"}));
  EXPECT_EQ(lines.Text(), "one\r\nTwo\r\nthree\r\n");
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(lines.IndexOf("TWO"), 1);
  lines.Exchange(0, 2);
  lines.Move(0, 1);
  EXPECT_EQ(lines.lines, (std::vector<String>{"Two", "three", "one"}));
  lines.SetValue("k", "v");
  EXPECT_EQ(lines.Values("K"), "v");
  TStringList copy;
  copy.Assign(&lines);
  EXPECT_EQ(Items(copy), lines.lines);
  lines.Assign(&copy);
  EXPECT_TRUE(lines.Equals(copy));
}

TEST(Strings, TextSplitsAtAnyLineEnd) {
  struct {
    const char* text;
    std::vector<String> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\n", {""}},
      {"x\n\ny", {"x", "", "y"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Items(list), c.lines) << c.text;
  }
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  list.Add("a");
  list.Add("");
  EXPECT_EQ(list.Text(), "a\r\n\r\n");
}

TEST(Strings, CommaText) {
  struct {
    const char* text;
    std::vector<String> items;
  } reads[] = {
      {"7, 8", {"7", "8"}},
      {"\"a b\",c,\"x\"\"y\"", {"a b", "c", "x\"y"}},
      {"a b", {"a", "b"}},
      {"a,", {"a", ""}},
      {"  a ,, b", {"a", "", "b"}},
      {"\"unclosed", {"unclosed"}},
      {"", {}},
  };
  for (const auto& r : reads) {
    TStringList list;
    list.SetCommaText(r.text);
    EXPECT_EQ(Items(list), r.items) << r.text;
  }
  TStringList list;
  for (const char* s : {"a b", "c", "", "q\"t", "x,y"}) list.Add(s);
  EXPECT_EQ(list.CommaText(), "\"a b\",c,,\"q\"\"t\",\"x,y\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(Items(back), (std::vector<String>{"a b", "c", "", "q\"t", "x,y"}));
  TStringList single;
  single.Add("");
  EXPECT_EQ(single.CommaText(), "\"\"");
  single.Delimiter = ';';
  single.SetDelimitedText("a;b c");
  EXPECT_EQ(Items(single), (std::vector<String>{"a", "b", "c"}));
  EXPECT_EQ(single.CommaText(), "a,b,c");
}

TEST(Strings, LookupsIgnoreCaseByDefault) {
  TStringList list;
  list.SetText("Alpha\nbeta\nname=Value\nother=x=y");
  EXPECT_EQ(list.IndexOf("ALPHA"), 0);
  EXPECT_EQ(list.IndexOf("gamma"), -1);
  EXPECT_EQ(list.Values("NAME"), "Value");
  EXPECT_EQ(list.Values("other"), "x=y");
  EXPECT_EQ(list.Names(3), "other");
  EXPECT_EQ(list.Names(0), "");
  list.SetValue("name", "");
  EXPECT_EQ(list.IndexOfName("name"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("ALPHA"), -1);
  EXPECT_EQ(list.IndexOf("Alpha"), 0);
}

TEST(Strings, IndexErrorsAndSortedRestrictions) {
  TStringList list;
  list.Add("a");
  try {
    list.Get(1);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message, "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.Insert(2, "x"), EStringListError);
  list.SetSorted(true);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.Put(0, "x"), EStringListError);
}

TEST(Strings, SortedListsKeepOrderAndHandleDuplicates) {
  TStringList list;
  for (const char* s : {"pear", "Apple", "fig", "apple"}) list.Add(s);
  list.SetSorted(true);
  EXPECT_EQ(list[0].size(), 5u);  // both apples first, in either order
  EXPECT_EQ(list[2], "fig");
  EXPECT_EQ(list.Add("banana"), 2);  // in place
  EXPECT_EQ(list.Add("FIG"), 3);     // dupIgnore: the existing index, nothing added
  EXPECT_EQ(list.Count(), 5);
  list.SetDuplicates(dupError);
  try {
    list.Add("Pear");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message, "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  list.Add("Pear");
  EXPECT_EQ(list.Count(), 6);
  Integer at = -1;
  EXPECT_TRUE(list.Find("PEAR", at));
  EXPECT_FALSE(list.Find("cherry", at));
  EXPECT_EQ(at, 3);  // where it would go
  EXPECT_EQ(list.IndexOf("Banana"), 2);

  // Case-sensitive order: lower case before upper case, letters case-blind first.
  TStringList cs;
  cs.SetCaseSensitive(true);
  cs.SetText("B\nb\nA\na");
  cs.Sort();
  EXPECT_EQ(Items(cs), (std::vector<String>{"a", "A", "b", "B"}));
}

TEST(Strings, SortCopesWithLongRunsAndCustomOrders) {
  TStringList list;
  list.BeginUpdate();
  for (int i = 0; i < 200000; ++i) list.Add(i % 1000 == 0 ? "b" : "a");
  list.EndUpdate();
  list.Sort();
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[199799], "a");
  EXPECT_EQ(list[199800], "b");

  TStringList words;
  words.SetText("ccc\na\nbb\ndddd");
  words.CustomSort([](TStringList* l, Integer i, Integer j) {
    return static_cast<int>(l->Get(j).size()) - static_cast<int>(l->Get(i).size());
  });
  EXPECT_EQ(Items(words), (std::vector<String>{"dddd", "ccc", "bb", "a"}));
}

struct TCounted : TObject {
  explicit TCounted(int* count) : deleted(count) {}
  ~TCounted() override { ++*deleted; }
  int* deleted;
};

TEST(Strings, ObjectsMoveWithTheirStringsAndAreFreedOnlyWhenOwned) {
  int deleted = 0;
  {
    TStringList owning(true);
    TCounted* a = new TCounted(&deleted);
    owning.AddObject("a", a);
    owning.AddObject("b", new TCounted(&deleted));
    owning.AddObject("c", new TCounted(&deleted));
    owning.Move(0, 2);
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(owning.Objects(2), a);
    EXPECT_EQ(owning.IndexOfObject(a), 2);
    owning.Exchange(0, 2);
    EXPECT_EQ(owning.Objects(0), a);
    owning.Delete(0);
    EXPECT_EQ(deleted, 1);
  }
  EXPECT_EQ(deleted, 3);
  TCounted kept(&deleted);
  {
    TStringList plain;
    plain.AddObject("k", &kept);
    plain.Clear();
  }
  EXPECT_EQ(deleted, 3);
}

TEST(Strings, ChangeEventsOncePerUpdateBracket) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.BeginUpdate();
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(changing, 2);
  list.SetText("x\ny\nz");
  EXPECT_EQ(changed, 3);
}

TEST(Strings, FilesAcceptAnyLineEndAndSaveWithCrLf) {
  const String dir = std::filesystem::temp_directory_path().string() + "/zorvan_sl_" + std::to_string(getpid());
  ForceDirectories(dir);
  const String path = dir + "/lines.txt";
  WriteFileAtomically(path, "a\r\nb\nc\rd\r\n");
  TStringList list;
  list.LoadFromFile(path);
  EXPECT_EQ(Items(list), (std::vector<String>{"a", "b", "c", "d"}));
  list.Add("caf\xE9");  // not UTF-8: kept byte for byte
  list.SaveToFile(path);
  EXPECT_EQ(ReadFileBytes(path), "a\r\nb\r\nc\r\nd\r\ncaf\xE9\r\n");

  WriteFileAtomically(path, String("\xFF\xFE" "h\0\xE9\0\n\0", 8));  // UTF-16LE with BOM
  list.LoadFromFile(path);
  EXPECT_EQ(Items(list), (std::vector<String>{"h\xC3\xA9"}));
  WriteFileAtomically(path, "\xEF\xBB\xBFx\r\n");
  list.LoadFromFile(path);
  EXPECT_EQ(Items(list), (std::vector<String>{"x"}));
  EXPECT_THROW(list.LoadFromFile(dir + "/missing.txt"), EFOpenError);
  std::filesystem::remove_all(dir);
}

// ---- Assign protocol and collections

class TNamed : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  void Assign(TPersistent* Source) override {
    if (auto* other = dynamic_cast<TNamed*>(Source)) {
      Name = other->Name;
      Changed(false);
    } else {
      TCollectionItem::Assign(Source);
    }
  }
  String Name;
};

class TWatched : public TCollection {
 public:
  TWatched() : TCollection(FactoryOf<TNamed>()) {}
  int updates = 0;

 protected:
  void Update(TCollectionItem*) override { ++updates; }
};

TEST(Persistent, AssignWithoutSupportNamesBothClasses) {
  TStringList list;
  TWatched collection;
  try {
    list.Assign(&collection);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Cannot assign a TWatched to a TStringList");
  }
  try {
    collection.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Cannot assign a nil to a TWatched");
  }
}

TEST(Persistent, CollectionsOwnOrderAndCopyTheirItems) {
  TWatched a;
  static_cast<TNamed*>(a.Add())->Name = "x";
  static_cast<TNamed*>(a.Add())->Name = "z";
  auto* y = static_cast<TNamed*>(a.Insert(1));
  y->Name = "y";
  EXPECT_EQ(y->Index(), 1);
  EXPECT_EQ(y->Collection(), &a);
  EXPECT_EQ(a.FindItemID(y->ID()), y);
  EXPECT_THROW(a.Items(3), EListError);

  TWatched b;
  b.Add();
  b.updates = 0;
  b.Assign(&a);
  EXPECT_EQ(b.updates, 1);  // one notification for the whole copy
  ASSERT_EQ(b.Count(), 3);
  EXPECT_EQ(static_cast<TNamed*>(b.Items(1))->Name, "y");
  b.Items(2)->SetIndex(0);
  EXPECT_EQ(static_cast<TNamed*>(b.Items(0))->Name, "z");
  delete b.Items(0);  // an item removes itself
  EXPECT_EQ(b.Count(), 2);
  b.Delete(0);
  EXPECT_EQ(static_cast<TNamed*>(b.Items(0))->Name, "y");
}

}  // namespace
