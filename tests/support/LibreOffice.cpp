#include "support/LibreOffice.h"

#include "support/TestCache.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace testsupport {
namespace {

std::string StemOf(const std::string& Name) { return fs::path(Name).stem().string(); }

// The input a converted file belongs to: the longest stem it begins with, followed by "." or
// "-" (a sheet's file is "<stem>-<sheet>.csv"). Empty when none.
std::string OwnerOf(const std::string& Output, const std::vector<std::string>& Stems) {
  std::string best;
  for (const std::string& stem : Stems) {
    if (Output.size() > stem.size() && Output.compare(0, stem.size(), stem) == 0 &&
        (Output[stem.size()] == '.' || Output[stem.size()] == '-') && stem.size() > best.size())
      best = stem;
  }
  return best;
}

// Converts the files Names of folder In into folder Out.
void RunLibreOffice(const fs::path& In, const fs::path& Out, const std::vector<std::string>& Names,
                    const std::string& Filter) {
  std::string files;
  for (const std::string& name : Names) files += " '" + name + "'";
  // A profile of its own keeps parallel runs apart.
  const std::string command = "cd '" + In.string() + "' && timeout 300 soffice -env:UserInstallation=file://" +
                              (Out.parent_path() / "profile").string() + " --headless --convert-to '" + Filter +
                              "' --outdir '" + Out.string() + "'" + files + " >/dev/null 2>&1";
  if (std::system(command.c_str()) == -1) return;
}

}  // namespace

bool HaveLibreOffice() {
  static const bool have = std::system("command -v soffice >/dev/null 2>&1") == 0;
  return have;
}

bool LibreOfficeConvert(const fs::path& Dir, const std::vector<std::string>& Names, const std::string& Filter,
                        const fs::path& OutDir) {
  if (!HaveLibreOffice()) return false;
  const fs::path cache = TestCacheFolder("libreoffice");
  std::error_code ec;

  // What each input gives, as (name after the stem, bytes): from the cache or from a run.
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> outputs;
  std::vector<std::string> misses;
  std::map<std::string, std::string> keys;
  for (const std::string& name : Names) {
    const std::string key = TestCacheKey({ProgramIdentity("soffice"), Filter, ReadFileBytes(Dir / name)});
    keys[name] = key;
    if (cache.empty() || !fs::is_directory(cache / key, ec)) {
      misses.push_back(name);
      continue;
    }
    for (const auto& entry : fs::directory_iterator(cache / key, ec))
      outputs[name].emplace_back(entry.path().filename().string(), ReadFileBytes(entry.path()));
  }

  if (!misses.empty()) {
    const fs::path work = Dir / ("libreoffice_" + std::to_string(getpid()));
    fs::remove_all(work, ec);
    fs::create_directories(work / "in", ec);
    fs::create_directories(work / "out", ec);
    std::vector<std::string> stems;
    std::map<std::string, std::string> nameOfStem;
    for (const std::string& name : misses) {
      fs::copy_file(Dir / name, work / "in" / name, fs::copy_options::overwrite_existing, ec);
      stems.push_back(StemOf(name));
      nameOfStem[StemOf(name)] = name;
    }
    RunLibreOffice(work / "in", work / "out", misses, Filter);
    for (const auto& entry : fs::directory_iterator(work / "out", ec)) {
      if (!entry.is_regular_file()) continue;
      const std::string file = entry.path().filename().string();
      const std::string owner = OwnerOf(file, stems);
      if (owner.empty()) continue;
      outputs[nameOfStem[owner]].emplace_back(file.substr(owner.size()), ReadFileBytes(entry.path()));
    }
    fs::remove_all(work, ec);

    // Kept only where LibreOffice wrote something; a folder appears whole or not at all.
    for (const std::string& name : misses) {
      if (cache.empty() || outputs[name].empty()) continue;
      const fs::path partial = cache / (keys[name] + ".part" + std::to_string(getpid()));
      fs::create_directories(partial, ec);
      for (const auto& [suffix, bytes] : outputs[name]) {
        std::ofstream out(partial / suffix, std::ios::binary);
        out << bytes;
      }
      fs::rename(partial, cache / keys[name], ec);
      if (ec) fs::remove_all(partial, ec);
    }
  }

  const fs::path target = OutDir.empty() ? Dir : OutDir;
  fs::create_directories(target, ec);
  for (const std::string& name : Names) {
    for (const auto& [suffix, bytes] : outputs[name]) {
      std::ofstream out(target / (StemOf(name) + suffix), std::ios::binary);
      out << bytes;
    }
  }
  return true;
}

}  // namespace testsupport
