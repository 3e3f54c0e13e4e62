#include "classlib/Registry.h"

#include <map>
#include <vector>

#include "classlib/IniFiles.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace {

String& StoreOverride() {
  static String name;
  return name;
}

const String kDword = "dword:";
// A text that would read as another type (or as this mark) is stored behind this mark.
const String kTextPrefix = "sz:";

bool StartsWith(const String& S, const String& Prefix) { return S.compare(0, Prefix.size(), Prefix) == 0; }

String RootName(HKEY Root) {
  switch (Root) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    default: return "HKEY_CURRENT_USER";
  }
}

// "\Software\X\" and "Software\X" name the same key.
String TrimSlashes(const String& Key) {
  size_t first = Key.find_first_not_of('\\');
  if (first == String::npos) return String();
  size_t last = Key.find_last_not_of('\\');
  return Key.substr(first, last - first + 1);
}

struct TWatch {
  HKEY Root;
  String Key;  // upper case, without outer backslashes
  bool WatchSubtree;
  TRegistry::TChangeHandler Handler;
};

std::map<int, TWatch>& Watches() {
  static std::map<int, TWatch> watches;
  return watches;
}

}  // namespace

int TRegistry::AddChangeWatch(HKEY Root, const String& Key, bool WatchSubtree, TChangeHandler Handler) {
  static int nextId = 0;
  Watches()[++nextId] = TWatch{Root, UpperCase(TrimSlashes(Key)), WatchSubtree, std::move(Handler)};
  return nextId;
}

void TRegistry::RemoveChangeWatch(int Id) { Watches().erase(Id); }

void TRegistry::ValueWritten() const {
  const String key = UpperCase(FCurrentPath);
  std::vector<TChangeHandler> due;
  for (const auto& [id, watch] : Watches()) {
    if (watch.Root != RootKey) continue;
    const bool same = key == watch.Key;
    const bool below = watch.WatchSubtree && key.size() > watch.Key.size() &&
                       key.compare(0, watch.Key.size(), watch.Key) == 0 && key[watch.Key.size()] == '\\';
    if (same || below) due.push_back(watch.Handler);
  }
  // A handler may add or remove watches.
  for (const TChangeHandler& handler : due) handler();
}

void TRegistry::SetStoreFileName(const String& FileName) { StoreOverride() = FileName; }

String TRegistry::StoreFileName() {
  return StoreOverride().empty() ? ConfigFolder() + "/registry.ini" : StoreOverride();
}

TRegistry::TRegistry() : FStore(std::make_unique<TMemIniFile>(StoreFileName())) {}
TRegistry::~TRegistry() = default;

String TRegistry::Section(const String& Key) const {
  String key = TrimSlashes(Key);
  return key.empty() ? RootName(RootKey) : RootName(RootKey) + "\\" + key;
}

bool TRegistry::KeyExists(const String& Key) const {
  const String section = Section(Key);
  if (FStore->SectionExists(section)) return true;
  // A key exists when one of its sub-keys does, as creating a sub-key creates its parents.
  TStringList sections;
  FStore->ReadSections(sections);
  const String prefix = UpperCase(section) + "\\";
  for (int i = 0; i < sections.Count(); ++i)
    if (UpperCase(sections[i]).compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
  CloseKey();
  if (!KeyExists(Key)) return false;
  FCurrentPath = TrimSlashes(Key);
  FReadOnly = true;
  return true;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  CloseKey();
  if (!KeyExists(Key)) {
    if (!CanCreate) return false;
    // An INI section without values stands for a key without values.
    FStore->WriteString(Section(Key), "new", "");
    FStore->DeleteKey(Section(Key), "new");
    FStore->UpdateFile();
  }
  FCurrentPath = TrimSlashes(Key);
  FReadOnly = false;
  return true;
}

void TRegistry::CloseKey() {
  FCurrentPath.clear();
  FReadOnly = true;
}

bool TRegistry::ValueExists(const String& Name) const {
  return !FCurrentPath.empty() && FStore->ValueExists(Section(FCurrentPath), Name);
}

Integer TRegistry::ReadInteger(const String& Name) const {
  String raw = ValueExists(Name) ? FStore->ReadString(Section(FCurrentPath), Name, "") : String();
  Integer value = 0;
  if (raw.compare(0, kDword.size(), kDword) != 0 || !TryStrToInt(raw.substr(kDword.size()), value))
    throw ERegistryException("Invalid data type for '" + Name + "'");
  return value;
}

String TRegistry::ReadString(const String& Name) const {
  if (!ValueExists(Name)) return String();
  String raw = FStore->ReadString(Section(FCurrentPath), Name, "");
  if (StartsWith(raw, kDword)) throw ERegistryException("Invalid data type for '" + Name + "'");
  return StartsWith(raw, kTextPrefix) ? raw.substr(kTextPrefix.size()) : raw;
}

void TRegistry::WriteInteger(const String& Name, Integer Value) {
  if (FCurrentPath.empty() || FReadOnly) throw ERegistryException("Failed to set data for '" + Name + "'");
  FStore->WriteString(Section(FCurrentPath), Name, kDword + IntToStr(Value));
  FStore->UpdateFile();
  ValueWritten();
}

void TRegistry::WriteString(const String& Name, const String& Value) {
  if (FCurrentPath.empty() || FReadOnly) throw ERegistryException("Failed to set data for '" + Name + "'");
  const bool marked = StartsWith(Value, kDword) || StartsWith(Value, kTextPrefix);
  FStore->WriteString(Section(FCurrentPath), Name, marked ? kTextPrefix + Value : Value);
  FStore->UpdateFile();
  ValueWritten();
}
