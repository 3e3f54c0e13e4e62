// TRegistry: the stand-in for the platform registry. Keys and values live in one INI file
// under the user's configuration folder ("registry.ini"), a section per key
// ("HKEY_CURRENT_USER\Software\..."); an integer value is stored as "dword:<decimal>", a string
// as it is. A program that never writes finds every key absent.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

class TMemIniFile;

using HKEY = Cardinal;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

class ERegistryException : public Exception { public: using Exception::Exception; };

class TRegistry : public TObject {
 public:
  TRegistry();
  ~TRegistry() override;

  HKEY RootKey = HKEY_CURRENT_USER;
  // The key opened last ("" while none is open).
  const String& CurrentPath() const { return FCurrentPath; }

  bool KeyExists(const String& Key) const;
  // False when the key does not exist.
  bool OpenKeyReadOnly(const String& Key);
  // Creates a missing key when CanCreate; false otherwise.
  bool OpenKey(const String& Key, bool CanCreate);
  void CloseKey();

  bool ValueExists(const String& Name) const;
  // Raise ERegistryException "Invalid data type for '<name>'" for a missing value or one of
  // the other kind.
  Integer ReadInteger(const String& Name) const;
  String ReadString(const String& Name) const;
  // Raise ERegistryException "Failed to set data for '<name>'" on a key opened read-only.
  void WriteInteger(const String& Name, Integer Value);
  void WriteString(const String& Name, const String& Value);

  // Change notification: Handler runs after a value of Key (with WatchSubtree, also of its
  // sub-keys) under Root is written through this stand-in, on the thread that wrote it.
  // Returns an id for RemoveChangeWatch. Changes made by other processes are not seen.
  using TChangeHandler = std::function<void()>;
  static int AddChangeWatch(HKEY Root, const String& Key, bool WatchSubtree, TChangeHandler Handler);
  static void RemoveChangeWatch(int Id);

  // Where the stand-in keeps its keys; "" restores the file in the configuration folder.
  static void SetStoreFileName(const String& FileName);
  static String StoreFileName();

 private:
  String Section(const String& Key) const;
  void ValueWritten() const;
  String FCurrentPath;
  bool FReadOnly = true;
  std::unique_ptr<TMemIniFile> FStore;
};
