// status --watch: the panel's lines again whenever they change, until
// SIGINT or SIGTERM, or until the reader of the output has gone.
#pragma once

#include <functional>
#include <string>

// Calls `read` every `seconds` and `print` with its result whenever that
// differs from the last one printed (the first always). `read` reports a
// printer it cannot read in its result, so that the watch outlives a
// printer switched off. Returns when a signal asks to stop, or when the
// output has no reader any more (`print` returns false, or the pipe it
// prints into is closed).
void WatchStatus(int seconds, const std::function<std::string()>& read,
                 const std::function<bool(const std::string&)>& print);
