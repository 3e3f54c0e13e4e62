#include "classlib/SysUtils.h"
#include <chrono>
#include <filesystem>
#include <unistd.h>
Cardinal GetTickCount() {
  return static_cast<Cardinal>(std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch()).count());
}
String IntToStr(Int64 Value) { return std::to_string(Value); }
String GetCurrentDir() { return std::filesystem::current_path().string(); }
bool SetCurrentDir(const String& Dir) { return chdir(Dir.c_str()) == 0; }
String ExpandFileName(const String& FileName) { return std::filesystem::absolute(FileName).lexically_normal().string(); }
String ExtractFileName(const String& FileName) { auto p = FileName.rfind('/'); return p == String::npos ? FileName : FileName.substr(p + 1); }
bool FileExists(const String& FileName) { return std::filesystem::is_regular_file(FileName); }
#include <strings.h>
bool SameText(const String& S1, const String& S2) { return S1.size() == S2.size() && strncasecmp(S1.data(), S2.data(), S1.size()) == 0; }
