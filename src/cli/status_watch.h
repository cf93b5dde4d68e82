// status --watch: the panel's lines again whenever they change, until
// SIGINT or SIGTERM, or until the reader of the output has gone.
#pragma once

#include <functional>
#include <string>

// Calls `read` every `seconds` and `print` with its result whenever that
// differs from the last one printed (the first always). Returns when a
// signal asks to stop or the pipe it prints into has no reader any more; a
// failed read ends it with its CliFailure.
void WatchStatus(int seconds, const std::function<std::string()>& read,
                 const std::function<void(const std::string&)>& print);
