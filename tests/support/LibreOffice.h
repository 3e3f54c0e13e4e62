// LibreOffice as the independent reader of the files the program writes: headless conversions
// of workbooks to text, and of text to workbooks, for the tests that compare with it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// True when LibreOffice (soffice) is installed.
bool HaveLibreOffice();

// Converts the files Names of folder Dir in one headless run, as
//   soffice --headless --convert-to Filter --outdir Dir Names...
// so that Dir holds what LibreOffice writes for each (<stem>.<ext>, or <stem>-<sheet>.csv for
// every sheet where the filter asks for that), or OutDir when it is given. False when
// LibreOffice is not installed.
//
// A conversion takes seconds, so its results are kept (support/TestCache.h), keyed by the
// file's bytes, the filter and the installed LibreOffice: a file LibreOffice has already read,
// byte for byte, is answered from there.
bool LibreOfficeConvert(const std::filesystem::path& Dir, const std::vector<std::string>& Names,
                        const std::string& Filter, const std::filesystem::path& OutDir = {});

}  // namespace testsupport
