// Answers of the independent readers (LibreOffice, xlrd, olefile) kept between test runs. Each
// takes from a fraction of a second to seconds, and their answer for the same bytes, the same
// script and the same installed program does not change, so a second run reads it back.
// The cache lives in the folder the environment variable ZORVAN_TEST_CACHE names (the test
// runner sets it to a folder of the build tree); without it nothing is kept.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// The cache's folder for one kind of answer, or an empty path when nothing is kept.
std::filesystem::path TestCacheFolder(const std::string& Kind);

// A key for everything an answer depends on (file bytes, scripts, filters, programs).
std::string TestCacheKey(const std::vector<std::string>& Parts);

// What identifies an installed program (a command on the PATH or a path): its real path,
// size and time, so that an update of it is not answered from the one before.
std::string ProgramIdentity(const std::string& Command);

// The answer kept under Key, or Produce's; an answer Produce marks as failed is not kept.
std::string CachedOutput(const std::string& Kind, const std::string& Key,
                         const std::function<std::string(bool& Ok)>& Produce);

std::string ReadFileBytes(const std::filesystem::path& Path);

}  // namespace testsupport
