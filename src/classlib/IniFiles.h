// INI files: sections of name=value pairs in a text file, and the program's configuration
// folder (where this platform keeps what would otherwise go into the registry).
#pragma once

#include <vector>

#include "classlib/StringList.h"
#include "classlib/Types.h"

// An INI file held in memory. The constructor reads the file (a missing file is an empty one);
// UpdateFile writes everything back, whole or not at all, with CR LF line ends.
//
// Section and key names are compared without regard to letter case and keep the order in
// which they were first written. Blank lines and lines starting with ';' are skipped when
// reading (and not written back); text before the first section is ignored. Key names are
// trimmed; values are kept raw (no quoting or escaping; blanks after "=" stay), only the
// trailing blanks of a line are dropped on reading.
class TMemIniFile : public TObject {
 public:
  explicit TMemIniFile(const String& FileName);
  ~TMemIniFile() override = default;

  const String& FileName() const { return fileName_; }

  String ReadString(const String& Section, const String& Ident, const String& Default) const;
  void WriteString(const String& Section, const String& Ident, const String& Value);
  // A missing or non-numeric value gives Default (decimal, or hex after "$" or "0x").
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  // Stored as "1" / "0"; any other integer reads as true, a non-number as Default.
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // Written with '.'; read with '.' or the regional separator.
  double ReadFloat(const String& Section, const String& Ident, double Default) const;
  void WriteFloat(const String& Section, const String& Ident, double Value);

  bool SectionExists(const String& Section) const;
  bool ValueExists(const String& Section, const String& Ident) const;
  void EraseSection(const String& Section);
  void DeleteKey(const String& Section, const String& Ident);
  // Names of the sections / the keys of a section / "key=value" items of a section.
  void ReadSections(TStrings& Strings) const;
  void ReadSection(const String& Section, TStrings& Strings) const;
  void ReadSectionValues(const String& Section, TStrings& Strings) const;
  void Clear();

  // The file's text / replacing the contents from text in the file's format.
  void GetStrings(TStrings& List) const;
  void SetStrings(const TStrings& List);

  // Writes the file. Raises EFCreateError or EWriteError when it cannot be written.
  virtual void UpdateFile();

 protected:
  // Called after every change; TIniFile writes through.
  virtual void Modified() {}

 private:
  struct Entry {
    String Key;
    String Value;
  };
  struct Section {
    String Name;
    std::vector<Entry> Entries;
  };
  const Section* FindSection(const String& Name) const;
  Section* FindSection(const String& Name);
  const Entry* FindEntry(const String& Section, const String& Ident) const;
  void Parse(const TStrings& List);

  String fileName_;
  std::vector<Section> sections_;
};

// An INI file whose every change is written to the file at once.
class TIniFile : public TMemIniFile {
 public:
  using TMemIniFile::TMemIniFile;

 protected:
  void Modified() override { UpdateFile(); }
};

// The user's configuration folder of the program: $XDG_CONFIG_HOME/ZorvanProfessional, or
// ~/.config/ZorvanProfessional; created when missing. No trailing '/'.
String ConfigFolder();
// The INI file that stands in for the program's registry key.
String ConfigIniFileName();
