// Replacing a file on POSIX systems (Windows: file_replace_win32.cpp).
#include "printer/file_replace.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "common/utf8_path.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;

// Pushes the file's data to the disk, so that the rename cannot be
// persisted before the content it points at.
bool SyncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

// A name not used by anyone yet: a per-run counter mixed with the clock.
std::string CandidateName() {
  static std::uint64_t counter = 0;
  std::uint64_t ticks = static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  std::uint64_t mixed = (ticks * 0x9E3779B97F4A7C15ULL) ^ ++counter;
  char name[40];
  std::snprintf(name, sizeof name, "vantrel-export-%012llx.tmp",
                static_cast<unsigned long long>(mixed & 0xFFFFFFFFFFFFULL));
  return name;
}

// Creates a file that must not exist yet (errno EEXIST when it does).
std::FILE* CreateNew(const fs::path& path) { return std::fopen(path.c_str(), "wbx"); }

// Creates (exclusively) a new empty file in folder; nullptr when none can be made.
std::FILE* CreateTemporaryIn(const fs::path& folder, fs::path& created) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    fs::path candidate = folder / CandidateName();
    errno = 0;
    if (std::FILE* file = CreateNew(candidate)) {
      created = candidate;
      return file;
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

bool WriteAll(std::FILE* file, const std::string& bytes) {
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = ok && SyncToDisk(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int ReplaceFileContents(const std::string& path, const std::string& bytes) {
  std::error_code error;
  fs::path target = PathFromUtf8(path);
  if (fs::is_symlink(target, error)) {
    fs::path resolved = fs::canonical(target, error);
    if (!error) target = resolved;
  }

  // Only a file is replaced: renaming over a device or a pipe (/dev/null
  // as root) would put a plain file in its place.
  const fs::file_status existing = fs::status(target, error);
  if (fs::exists(existing) && !fs::is_regular_file(existing)) return 0;

  fs::path temporary;
  std::FILE* file = CreateTemporaryIn(target.parent_path(), temporary);
  if (!file) return 0;
  bool ok = WriteAll(file, bytes);

  if (ok) {
    if (fs::is_regular_file(existing)) fs::permissions(temporary, existing.permissions(), error);
    error.clear();
    fs::rename(temporary, target, error);
    ok = !error;
  }
  if (!ok) fs::remove(temporary, error);
  return ok ? 1 : 0;
}
