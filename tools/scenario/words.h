// The words of a scenario line (docs/scenarios.md) and the checks every
// command makes of them. A line that makes no sense throws ParseError.
#pragma once

#include <string>
#include <vector>

struct ParseError {
  std::string message;
};

// Splits a line into words; "quoted text" is one word, with its escapes.
// A # outside quotes starts a comment.
std::vector<std::string> Words(const std::string& line);

// The line as written, without its comment and surrounding blanks.
std::string Trimmed(const std::string& line);

// A whole number (decimal, 0x hexadecimal) that fits an int.
int Number(const std::string& word);
