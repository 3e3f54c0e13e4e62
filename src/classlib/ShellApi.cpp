#include "classlib/ShellApi.h"

#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

#include "classlib/Forms.h"

int ShellExecute(HWND, const String& Verb, const String& File, const String& Parameters,
                 const String& Directory, int ShowCmd) {
  TShellRequest request{Verb, File, Parameters, Directory, ShowCmd};
  Application->Hooks.ShellRequests.push_back(request);
  if (Application->Hooks.Shell) return Application->Hooks.Shell(request);

  constexpr int kFileNotFound = 2;
  constexpr int kNoAssociation = 31;
  constexpr int kSuccess = 42;
  bool isAddress = File.find("://") != String::npos || File.rfind("mailto:", 0) == 0;
  if (isAddress) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(File))) ? kSuccess : kNoAssociation;
  }
  std::filesystem::path path(File);
  if (path.is_relative() && !Directory.empty()) path = std::filesystem::path(Directory) / path;
  std::error_code ec;
  path = std::filesystem::absolute(path, ec);
  if (ec || !std::filesystem::exists(path)) return kFileNotFound;
  if (!Application->ViewsEnabled()) return kNoAssociation;
  bool ok = QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string())));
  return ok ? kSuccess : kNoAssociation;
}
