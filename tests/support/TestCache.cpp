#include "support/TestCache.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace testsupport {
namespace {

std::string CommandOutput(const std::string& Command) {
  std::string out;
  if (FILE* pipe = popen(Command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

std::uint64_t Fnv1a(std::uint64_t Hash, const std::string& Bytes) {
  for (unsigned char c : Bytes) {
    Hash ^= c;
    Hash *= 1099511628211ull;
  }
  return Hash;
}

}  // namespace

std::string ReadFileBytes(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path TestCacheFolder(const std::string& Kind) {
  const char* root = std::getenv("ZORVAN_TEST_CACHE");
  if (root == nullptr || *root == 0) return {};
  const fs::path folder = fs::path(root) / Kind;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder;
}

std::string TestCacheKey(const std::vector<std::string>& Parts) {
  // Two hashes of different seeds and the total length: no two inputs of a test run share a key.
  std::uint64_t a = 14695981039346656037ull, b = 0x84222325cbf29ce4ull;
  size_t length = 0;
  for (const std::string& part : Parts) {
    const std::string framed = std::to_string(part.size()) + ":" + part;
    a = Fnv1a(a, framed);
    b = Fnv1a(b, framed);
    length += part.size();
  }
  std::ostringstream key;
  key << std::hex << a << b << "-" << std::dec << length;
  return key.str();
}

std::string ProgramIdentity(const std::string& Command) {
  static std::mutex guard;
  static std::map<std::string, std::string> known;
  std::lock_guard<std::mutex> lock(guard);
  if (auto it = known.find(Command); it != known.end()) return it->second;
  const std::string path = Command.find('/') != std::string::npos ? Command : CommandOutput("command -v '" + Command + "' 2>/dev/null");
  std::error_code ec;
  const fs::path real = fs::canonical(path, ec);
  std::string identity = path;
  if (!ec) {
    const auto size = fs::file_size(real, ec);
    const auto time = fs::last_write_time(real, ec).time_since_epoch().count();
    identity = real.string() + ":" + std::to_string(size) + ":" + std::to_string(time);
  }
  return known[Command] = identity;
}

std::string CachedOutput(const std::string& Kind, const std::string& Key,
                         const std::function<std::string(bool& Ok)>& Produce) {
  const fs::path folder = TestCacheFolder(Kind);
  std::error_code ec;
  if (!folder.empty() && fs::is_regular_file(folder / Key, ec)) return ReadFileBytes(folder / Key);
  bool ok = false;
  std::string out = Produce(ok);
  if (ok && !folder.empty()) {
    // Written aside and renamed, so that a parallel test never reads half an answer.
    const fs::path partial = folder / (Key + ".part" + std::to_string(getpid()));
    {
      std::ofstream file(partial, std::ios::binary);
      file << out;
    }
    fs::rename(partial, folder / Key, ec);
    if (ec) fs::remove(partial, ec);
  }
  return out;
}

}  // namespace testsupport
