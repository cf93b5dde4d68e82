// The Windows way of replacing a file: names are UTF-8 in the program and
// reach the system as UTF-16 through the wide functions; the temporary file
// is created only if new, flushed to the disk, and moved over the target in
// one step.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/win32/system_error_text.h"
#include "common/win32/utf16.h"
#include "printer/file_replace.h"

namespace {

constexpr int kNameAttempts = 100;

// The folder part of path, with its separator ("" for the current folder).
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) return path.substr(0, slash + 1);
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);  // "C:name"
  return L"";
}

// A name not used by anyone yet: a per-run counter mixed with the clock.
std::wstring CandidateName() {
  static std::uint64_t counter = 0;
  const std::uint64_t mixed = (GetTickCount64() * 0x9E3779B97F4A7C15ULL) ^ ++counter;
  wchar_t name[40];
  std::swprintf(name, 40, L"vantrel-export-%012llx.tmp",
                static_cast<unsigned long long>(mixed & 0xFFFFFFFFFFFFULL));
  return name;
}

// Creates (exclusively) a new empty file in folder; INVALID_HANDLE_VALUE
// when none can be made.
HANDLE CreateTemporaryIn(const std::wstring& folder, std::wstring& created) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::wstring candidate = folder + CandidateName();
    HANDLE file = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      created = candidate;
      return file;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t written = 0;
  bool ok = true;
  while (ok && written < bytes.size()) {
    DWORD chunk = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
    ok = WriteFile(file, bytes.data() + written, wanted, &chunk, nullptr) && chunk == wanted;
    written += chunk;
  }
  ok = ok && FlushFileBuffers(file);
  return CloseHandle(file) && ok;
}

// Whether path may be replaced: nothing there yet, or a plain file that is
// not read-only. A link or junction is refused whatever it leads to: moving
// over it would replace the link, and following it would write where its
// maker chose; a device name such as NUL is no file either.
bool MayReplace(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND;
  }
  constexpr DWORD kNotAPlainFile =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
  if (attributes & (kNotAPlainFile | FILE_ATTRIBUTE_READONLY)) return false;
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool disk = GetFileType(file) == FILE_TYPE_DISK;
  CloseHandle(file);
  return disk;
}

}  // namespace

int ReplaceFileContents(const std::string& path, const std::string& bytes, std::string* reason) {
  const auto refuse = [reason](const std::string& why) {
    if (reason) *reason = why;
    return 0;
  };
  const std::wstring target = Wide(path);
  if (target.empty() || !MayReplace(target))
    return refuse(
        "not a plain file that may be written (a read-only file, a folder, a link or "
        "a device)");
  std::wstring temporary;
  HANDLE file = CreateTemporaryIn(FolderOf(target), temporary);
  if (file == INVALID_HANDLE_VALUE) return refuse(SystemErrorText(GetLastError()));
  bool ok =
      WriteAll(file, bytes) && MoveFileExW(temporary.c_str(), target.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    return refuse(SystemErrorText(error));
  }
  return 1;
}
