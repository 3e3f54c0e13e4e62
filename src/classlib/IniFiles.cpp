#include "classlib/IniFiles.h"

#include <cstdlib>

#include "classlib/SysUtils.h"

TMemIniFile::TMemIniFile(const String& FileName) : fileName_(FileName) {
  if (!FileExists(FileName)) return;
  TStringList lines;
  lines.LoadFromFile(FileName);
  Parse(lines);
}

void TMemIniFile::Parse(const TStrings& List) {
  sections_.clear();
  Section* current = nullptr;
  for (Integer i = 0; i < List.Count(); ++i) {
    const String line = Trim(List[i]);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const String name = line.substr(1, line.size() - 2);
      current = FindSection(name);
      if (!current) {
        sections_.push_back(Section{name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (!current) continue;
    const size_t eq = line.find('=');
    if (eq == String::npos) continue;
    const String key = Trim(line.substr(0, eq));
    const String value = line.substr(eq + 1);
    bool replaced = false;
    for (auto& e : current->Entries) {
      if (SameText(e.Key, key)) {
        e.Value = value;
        replaced = true;
        break;
      }
    }
    if (!replaced) current->Entries.push_back(Entry{key, value});
  }
}

const TMemIniFile::Section* TMemIniFile::FindSection(const String& Name) const {
  for (const auto& s : sections_)
    if (SameText(s.Name, Name)) return &s;
  return nullptr;
}

TMemIniFile::Section* TMemIniFile::FindSection(const String& Name) {
  return const_cast<Section*>(static_cast<const TMemIniFile*>(this)->FindSection(Name));
}

const TMemIniFile::Entry* TMemIniFile::FindEntry(const String& SectionName, const String& Ident) const {
  const Section* s = FindSection(SectionName);
  if (!s) return nullptr;
  for (const auto& e : s->Entries)
    if (SameText(e.Key, Ident)) return &e;
  return nullptr;
}

String TMemIniFile::ReadString(const String& SectionName, const String& Ident, const String& Default) const {
  const Entry* e = FindEntry(SectionName, Ident);
  return e ? e->Value : Default;
}

void TMemIniFile::WriteString(const String& SectionName, const String& Ident, const String& Value) {
  Section* s = FindSection(SectionName);
  if (!s) {
    sections_.push_back(Section{SectionName, {}});
    s = &sections_.back();
  }
  bool found = false;
  for (auto& e : s->Entries) {
    if (SameText(e.Key, Ident)) {
      e.Value = Value;
      found = true;
      break;
    }
  }
  if (!found) s->Entries.push_back(Entry{Ident, Value});
  Modified();
}

Integer TMemIniFile::ReadInteger(const String& SectionName, const String& Ident, Integer Default) const {
  return StrToIntDef(Trim(ReadString(SectionName, Ident, String())), Default);
}

void TMemIniFile::WriteInteger(const String& SectionName, const String& Ident, Integer Value) {
  WriteString(SectionName, Ident, IntToStr(Value));
}

bool TMemIniFile::ReadBool(const String& SectionName, const String& Ident, bool Default) const {
  return ReadInteger(SectionName, Ident, Default ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const String& SectionName, const String& Ident, bool Value) {
  WriteString(SectionName, Ident, Value ? "1" : "0");
}

double TMemIniFile::ReadFloat(const String& SectionName, const String& Ident, double Default) const {
  const String text = Trim(ReadString(SectionName, Ident, String()));
  Extended v;
  if (TryStrToFloat(text, v, TFormatSettings::Invariant()) || TryStrToFloat(text, v)) return static_cast<double>(v);
  return Default;
}

void TMemIniFile::WriteFloat(const String& SectionName, const String& Ident, double Value) {
  WriteString(SectionName, Ident, FloatToStr(Value, TFormatSettings::Invariant()));
}

bool TMemIniFile::SectionExists(const String& SectionName) const { return FindSection(SectionName) != nullptr; }

bool TMemIniFile::ValueExists(const String& SectionName, const String& Ident) const {
  return FindEntry(SectionName, Ident) != nullptr;
}

void TMemIniFile::EraseSection(const String& SectionName) {
  for (auto it = sections_.begin(); it != sections_.end(); ++it) {
    if (SameText(it->Name, SectionName)) {
      sections_.erase(it);
      Modified();
      return;
    }
  }
}

void TMemIniFile::DeleteKey(const String& SectionName, const String& Ident) {
  Section* s = FindSection(SectionName);
  if (!s) return;
  for (auto it = s->Entries.begin(); it != s->Entries.end(); ++it) {
    if (SameText(it->Key, Ident)) {
      s->Entries.erase(it);
      Modified();
      return;
    }
  }
}

void TMemIniFile::ReadSections(TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  for (const auto& s : sections_) Strings.Add(s.Name);
  Strings.EndUpdate();
}

void TMemIniFile::ReadSection(const String& SectionName, TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  if (const Section* s = FindSection(SectionName))
    for (const auto& e : s->Entries) Strings.Add(e.Key);
  Strings.EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& SectionName, TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  if (const Section* s = FindSection(SectionName))
    for (const auto& e : s->Entries) Strings.Add(e.Key + "=" + e.Value);
  Strings.EndUpdate();
}

void TMemIniFile::Clear() {
  sections_.clear();
  Modified();
}

void TMemIniFile::GetStrings(TStrings& List) const {
  List.BeginUpdate();
  List.Clear();
  for (const auto& s : sections_) {
    List.Add("[" + s.Name + "]");
    for (const auto& e : s.Entries) List.Add(e.Key + "=" + e.Value);
    List.Add("");
  }
  List.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& List) {
  Parse(List);
  Modified();
}

void TMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(lines);
  lines.SaveToFile(fileName_);
}

String ConfigFolder() {
  String base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = IncludeTrailingPathDelimiter(home) + ".config";
  } else {
    base = "/tmp";
  }
  const String folder = IncludeTrailingPathDelimiter(ExcludeTrailingPathDelimiter(base)) + "ZorvanProfessional";
  ForceDirectories(folder);
  return folder;
}

String ConfigIniFileName() { return ConfigFolder() + "/settings.ini"; }
