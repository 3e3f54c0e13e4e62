// Files and folders.
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "classlib/SysUtils.h"
#include "classlib/SysUtilsInternal.h"

namespace stdfs = std::filesystem;
using sysutils_detail::AsciiUpper;

// =============================================================================================
// Files and folders

bool FileExists(const String& FileName) {
  std::error_code ec;
  return !FileName.empty() && stdfs::is_regular_file(stdfs::path(FileName), ec);
}

bool DirectoryExists(const String& Directory) {
  std::error_code ec;
  return !Directory.empty() && stdfs::is_directory(stdfs::path(Directory), ec);
}

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) return false;
  std::error_code ec;
  stdfs::create_directories(stdfs::path(ExcludeTrailingPathDelimiter(Dir)), ec);
  return DirectoryExists(Dir);
}

bool CreateDir(const String& Dir) {
  std::error_code ec;
  return stdfs::create_directory(stdfs::path(Dir), ec);
}

bool RemoveDir(const String& Dir) { return ::rmdir(Dir.c_str()) == 0; }

bool DeleteFile(const String& FileName) {
  if (DirectoryExists(FileName)) return false;
  return ::unlink(FileName.c_str()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName) {
  // Like the classic routine, an existing target is not replaced.
  struct stat st;
  if (::lstat(NewName.c_str(), &st) == 0) return false;
  return ::rename(OldName.c_str(), NewName.c_str()) == 0;
}

String GetCurrentDir() {
  std::error_code ec;
  return stdfs::current_path(ec).string();
}

bool SetCurrentDir(const String& Dir) { return ::chdir(Dir.c_str()) == 0; }

String ExpandFileName(const String& FileName) {
  std::error_code ec;
  stdfs::path p = FileName.empty() ? stdfs::current_path(ec) : stdfs::absolute(stdfs::path(FileName), ec);
  String s = p.lexically_normal().string();
  return s;
}

String ExtractFileName(const String& FileName) {
  size_t at = FileName.rfind(PathDelim);
  return at == String::npos ? FileName : FileName.substr(at + 1);
}

String ExtractFilePath(const String& FileName) {
  size_t at = FileName.rfind(PathDelim);
  return at == String::npos ? String() : FileName.substr(0, at + 1);
}

String ExtractFileDir(const String& FileName) {
  size_t at = FileName.rfind(PathDelim);
  if (at == String::npos) return {};
  if (at == 0) return "/";
  return FileName.substr(0, at);
}

String ExtractFileExt(const String& FileName) {
  size_t dot = FileName.rfind('.');
  size_t slash = FileName.rfind(PathDelim);
  if (dot == String::npos || (slash != String::npos && dot < slash)) return {};
  return FileName.substr(dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  size_t dot = FileName.rfind('.');
  size_t slash = FileName.rfind(PathDelim);
  if (dot == String::npos || (slash != String::npos && dot < slash)) return FileName + Extension;
  return FileName.substr(0, dot) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  return (!S.empty() && S.back() == PathDelim) ? S : S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
  String r = S;
  while (r.size() > 1 && r.back() == PathDelim) r.pop_back();
  return r;
}

Int64 FileSize(const String& FileName) {
  struct stat st;
  if (::stat(FileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<Int64>(st.st_size);
}

bool MatchesMask(const String& Name, const String& Mask) {
  // Iterative wildcard match with one backtrack point for the last '*'.
  size_t n = 0, m = 0, starM = String::npos, starN = 0;
  while (n < Name.size()) {
    if (m < Mask.size() && (Mask[m] == '?' || AsciiUpper(Mask[m]) == AsciiUpper(Name[n]))) {
      ++n;
      ++m;
    } else if (m < Mask.size() && Mask[m] == '*') {
      starM = m++;
      starN = n;
    } else if (starM != String::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == '*') ++m;
  return m == Mask.size();
}

std::vector<String> ListFiles(const String& Folder, const String& Mask) {
  std::vector<String> names;
  std::error_code ec;
  stdfs::directory_iterator it(stdfs::path(Folder.empty() ? String(".") : Folder), ec);
  if (ec) return names;
  for (const auto& entry : it) {
    std::error_code ec2;
    if (!entry.is_regular_file(ec2)) continue;
    String name = entry.path().filename().string();
    if (MatchesMask(name, Mask)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const String& a, const String& b) {
    int r = CompareText(a, b);
    return r != 0 ? r < 0 : a < b;
  });
  return names;
}

String ReadFileBytes(const String& FileName) {
  const String openMsg = "Cannot open file \"" + FileName + "\"";
  // Without O_NONBLOCK opening a named pipe waits for a writer; only regular files are read.
  int fd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw EFOpenError(openMsg);
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw EFOpenError(openMsg);
  }
  String data;
  data.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  if (!ok) throw EReadError("Error reading file \"" + FileName + "\"");
  return data;
}

namespace {
mode_t DefaultFileMode() {
  static const mode_t mode = [] {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}
}  // namespace

namespace {
// The file a name leads to through any symbolic links; empty when the chain is too long or
// unreadable. A link's relative target counts from the link's folder.
String FollowLinks(const String& FileName) {
  String name = FileName;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
    String link(static_cast<size_t>(PATH_MAX), '\0');
    ssize_t n = ::readlink(name.c_str(), link.data(), link.size());
    if (n < 0 || static_cast<size_t>(n) >= link.size()) return {};
    link.resize(static_cast<size_t>(n));
    name = !link.empty() && link[0] == PathDelim ? link : ExtractFilePath(name) + link;
  }
  return {};
}

// Makes a finished rename last: the folder's entry reaches the disk. A folder that cannot be
// flushed (some file systems refuse) leaves the file in place all the same.
void FlushFolder(const String& Dir) {
  int fd = ::open(Dir.empty() ? "." : Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
}  // namespace

void WriteFileAtomically(const String& FileName, const String& Bytes, TWriteDurability Durability) {
  const String createMsg = "Cannot create file \"" + FileName + "\"";
  if (FileName.empty() || DirectoryExists(FileName)) throw EFCreateError(createMsg);
  // A link stays a link: the new text replaces the file it names, beside that file.
  const String target = FollowLinks(FileName);
  if (target.empty()) throw EFCreateError(createMsg);
  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  // Only a regular file is replaced, and only one that may be written: a read-only file stays
  // read-only even for a user whom the system would let replace it.
  if (exists && (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
    throw EFCreateError(createMsg);
  const String dir = ExtractFilePath(target);
  String tmpl = dir + "." + ExtractFileName(target) + ".XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) throw EFCreateError(createMsg);
  mode_t mode = exists ? (st.st_mode & 07777) : DefaultFileMode();
  ::fchmod(fd, mode);
  const char* p = Bytes.data();
  size_t left = Bytes.size();
  bool ok = true;
  while (left > 0) {
    ssize_t w = ::write(fd, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    p += w;
    left -= static_cast<size_t>(w);
  }
  // The new text is on the disk before it replaces the old, so a crash leaves one of them
  // whole rather than an empty file under the name.
  const bool durable = Durability == TWriteDurability::Durable;
  if (ok && durable && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tmpl.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(tmpl.c_str());
    throw EWriteError("Error writing file \"" + FileName + "\"");
  }
  if (durable) FlushFolder(dir);
}
