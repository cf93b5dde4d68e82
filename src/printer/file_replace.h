// Replacing a file's whole content so that a failure never costs the old
// file: the new content goes to a temporary file in the same folder, which
// then takes the file's place in one rename.
#pragma once

#include <string>

// Writes bytes to a new temporary file beside path, flushes it to the disk
// and renames it over path. An existing file's permissions carry over.
// Refused (0): anything but a regular file at path; a file that is read-only
// or that the user may not write; on POSIX systems a link that leads
// nowhere (dangling, a loop) or that another user planted in a shared
// sticky folder. Any other link is followed and the file it leads to is
// replaced under the same rules; on Windows a link or junction at path is
// refused. Returns 1 on success; 0 on any failure, with the old file
// untouched and no temporary file left behind, and then, with reason, why
// in the system's words where it gave one ("Permission denied").
int ReplaceFileContents(const std::string& path, const std::string& bytes,
                        std::string* reason = nullptr);
