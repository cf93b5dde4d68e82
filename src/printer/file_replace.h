// Replacing a file's whole content so that a failure never costs the old
// file: the new content goes to a temporary file in the same folder, which
// then takes the file's place in one rename.
#pragma once

#include <string>

// Writes bytes to a new temporary file beside path, flushes it to the disk
// and renames it over path (a link at path is followed: the file it names is
// replaced). An existing file's permissions carry over. Returns 1 on
// success; 0 on any failure, with the old file untouched and no temporary
// file left behind.
int ReplaceFileContents(const std::string& path, const std::string& bytes);
