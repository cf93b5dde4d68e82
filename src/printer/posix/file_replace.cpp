// Replacing a file on POSIX systems.
#include "printer/file_replace.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/utf8_path.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;
constexpr int kMostLinksFollowed = 40;  // as the kernel's path walk

// Pushes the file's data to the disk, so that the rename cannot be
// persisted before the content it points at.
bool SyncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

// A name not used by anyone yet: a per-run counter mixed with the clock.
std::string CandidateName() {
  static std::uint64_t counter = 0;
  std::uint64_t ticks =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
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

// The kernel's rule for links in shared folders (protected_symlinks), kept
// by the program itself because it resolves the link in user space: a link
// in a sticky, world-writable folder is followed only when it belongs to
// the user or to the folder's owner. Otherwise another user could plant a
// link there that makes the export replace one of the user's own files.
bool MayFollow(const fs::path& link, const struct stat& linkInfo) {
  const fs::path folder = link.has_parent_path() ? link.parent_path() : fs::path(".");
  struct stat folderInfo {};
  if (stat(folder.c_str(), &folderInfo) != 0) return false;
  const bool shared = (folderInfo.st_mode & S_ISVTX) && (folderInfo.st_mode & S_IWOTH);
  return !shared || linkInfo.st_uid == geteuid() || linkInfo.st_uid == folderInfo.st_uid;
}

// Where the export goes: the path itself, or the file that the links at
// the path lead to (a user may keep the file elsewhere). False when a link
// may not be followed, or leads nowhere: dangling, a loop, or too long a
// chain; the link is then left as it is.
bool ResolveTarget(fs::path path, fs::path& target) {
  for (int hop = 0; hop <= kMostLinksFollowed; ++hop) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
      if (errno != ENOENT || hop > 0) return false;
      target = path;  // a new file
      return true;
    }
    if (!S_ISLNK(info.st_mode)) {
      target = path;
      return true;
    }
    if (!MayFollow(path, info)) return false;
    std::error_code error;
    const fs::path next = fs::read_symlink(path, error);
    if (error) return false;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return false;
}

// Whether the user may write the file and it is not marked read-only (no
// write permission for anyone; root could write it anyway).
bool Writable(const fs::path& file) {
  struct stat info {};
  return stat(file.c_str(), &info) == 0 && (info.st_mode & 0222) != 0 &&
         faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0;
}

bool WriteAll(std::FILE* file, const std::string& bytes) {
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = ok && SyncToDisk(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int ReplaceFileContents(const std::string& path, const std::string& bytes, std::string* reason) {
  const auto refuse = [reason](const std::string& why) {
    if (reason) *reason = why;
    return 0;
  };
  const auto failed = [&refuse](int number) { return refuse(std::strerror(number)); };
  std::error_code error;
  fs::path target;
  if (!ResolveTarget(PathFromUtf8(path), target))
    return refuse("a link that may not be followed or that leads nowhere");

  // Only a file is replaced: renaming over a device or a pipe (/dev/null
  // as root) would put a plain file in its place. A file marked read-only,
  // or one the user may not write, is kept as it is.
  const fs::file_status existing = fs::status(target, error);
  if (fs::exists(existing)) {
    if (!fs::is_regular_file(existing)) return refuse("not a regular file");
    if ((static_cast<unsigned>(existing.permissions()) & 0222) == 0)
      return refuse("the file is read-only");
    if (!Writable(target)) return failed(EACCES);
  }

  fs::path temporary;
  errno = 0;
  std::FILE* file = CreateTemporaryIn(target.parent_path(), temporary);
  if (!file) return failed(errno ? errno : EEXIST);
  errno = 0;
  bool ok = WriteAll(file, bytes);
  if (!ok) {
    const int number = errno ? errno : EIO;
    fs::remove(temporary, error);
    return failed(number);
  }
  if (fs::is_regular_file(existing)) fs::permissions(temporary, existing.permissions(), error);
  error.clear();
  fs::rename(temporary, target, error);
  if (error) {
    const std::string why = error.message();
    fs::remove(temporary, error);
    return refuse(why);
  }
  return 1;
}
