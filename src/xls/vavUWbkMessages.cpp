#include "xls/vavUWbkMessages.h"

#include <cctype>
#include <charconv>
#include <filesystem>

#include "xls/vavXlsMessages.h"

String EncodeColumn(Integer C) {
  if (C <= 0) return String();
  String letter(1, static_cast<char>('A' + (C - 1) % 26));
  if (C > 26) return EncodeColumn((C - 1) / 26) + letter;
  return letter;
}

bool IsFullPath(const String& Path) {
  if (Path.empty()) return false;
  if (Path[0] == '/' || Path[0] == '\\') return true;
  return Path.size() >= 2 && std::isalpha(static_cast<unsigned char>(Path[0])) && Path[1] == ':';
}

namespace {
bool FileExists(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

String WithDelimiter(const String& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

String ProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? String() : exe.parent_path().string();
}
}  // namespace

String SearchFile(const String& BasePath, const String& FileName) {
  if (IsFullPath(FileName)) {
    if (!FileExists(FileName)) RaiseXls(XlsMsg::CantFindFile, {FileName});
    return FileName;
  }
  if (BasePath.find_first_not_of(" \t") != String::npos) {
    String path = WithDelimiter(BasePath) + FileName;
    if (!FileExists(path)) RaiseXls(XlsMsg::CantFindFile, {path});
    return path;
  }
  // The engine is linked into the program, so the program's folder is also the module's.
  String folder = ProgramFolder();
  if (!folder.empty()) {
    String path = WithDelimiter(folder) + FileName;
    if (FileExists(path)) return path;
  }
  RaiseXls(XlsMsg::CantFindFile, {FileName});
}

bool TryParseFloatDot(const String& Text, Extended& Value) {
  size_t p = Text.find_first_not_of(' ');
  if (p == String::npos) return false;
  bool negative = false;
  if (Text[p] == '+' || Text[p] == '-') negative = Text[p++] == '-';
  // from_chars would also take "inf" and "nan", which are not numbers here.
  if (p >= Text.size() || !(std::isdigit(static_cast<unsigned char>(Text[p])) || Text[p] == '.')) return false;
  long double v = 0;
  const char* end = Text.data() + Text.size();
  auto [ptr, ec] = std::from_chars(Text.data() + p, end, v, std::chars_format::general);
  if (ec != std::errc() || ptr != end) return false;
  Value = negative ? -v : v;
  return true;
}

namespace {
char16_t UpperChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if (c < 0x80) return c;
  if (c == 0xB5) return 0x39C;                                   // micro sign
  if (c == 0xFF) return 0x178;                                   // y with diaeresis
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;        // Latin-1
  if (c >= 0x100 && c <= 0x137 && (c & 1)) return c - 1;         // Latin Extended-A pairs
  if (c >= 0x139 && c <= 0x148 && !(c & 1)) return c - 1;
  if (c >= 0x14A && c <= 0x177 && (c & 1)) return c - 1;
  if (c == 0x17A || c == 0x17C || c == 0x17E) return c - 1;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;     // Greek
  if (c == 0x3C2) return 0x3A3;                                  // final sigma
  if (c >= 0x3AC && c <= 0x3AF) {                                // Greek with tonos
    static const char16_t tonos[] = {0x386, 0x388, 0x389, 0x38A};
    return tonos[c - 0x3AC];
  }
  if (c >= 0x430 && c <= 0x44F) return c - 32;                   // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}
}  // namespace

WideString UpperCaseText(const WideString& Text) {
  WideString out(Text);
  for (char16_t& c : out) c = UpperChar(c);
  return out;
}

String ReplaceOutsideQuotes(const String& Text, const String& Old, const String& New) {
  if (Old.empty()) return Text;
  auto sameIgnoringCase = [&](size_t at) {
    for (size_t k = 0; k < Old.size(); ++k)
      if (std::toupper(static_cast<unsigned char>(Text[at + k])) != std::toupper(static_cast<unsigned char>(Old[k])))
        return false;
    return true;
  };
  String out;
  bool inQuotes = false;
  size_t i = 0;
  while (i < Text.size()) {
    if (Text[i] == '"') {
      inQuotes = !inQuotes;
      out += Text[i++];
    } else if (!inQuotes && i + Old.size() <= Text.size() && sameIgnoringCase(i)) {
      out += New;
      i += Old.size();
    } else {
      out += Text[i++];
    }
  }
  return out;
}
