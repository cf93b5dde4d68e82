#include "words.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    std::string word;
    if (c == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\' || i + 1 >= line.size()) {
          word += line[i];
          continue;
        }
        char e = line[++i];
        if (e == 'r')
          word += '\r';
        else if (e == 'n')
          word += '\n';
        else if (e == 't')
          word += '\t';
        else if (e == 'b')
          word += '\b';
        else if (e == 'x') {
          int high = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
          int low = i + 2 < line.size() ? HexDigit(line[i + 2]) : -1;
          if (high < 0 || low < 0) throw ParseError{"\\x takes two hexadecimal digits"};
          word += static_cast<char>(high * 16 + low);
          i += 2;
        } else
          word += e;
      }
      if (i >= line.size()) throw ParseError{"unterminated quoted text"};
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
        word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

std::string Trimmed(const std::string& line) {
  bool quoted = false;
  std::size_t end = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"' && (i == 0 || line[i - 1] != '\\')) quoted = !quoted;
    if (line[i] == '#' && !quoted) break;
    if (line[i] != ' ' && line[i] != '\t' && line[i] != '\r') end = i + 1;
  }
  std::size_t start = line.find_first_not_of(" \t");
  return start < end ? line.substr(start, end - start) : std::string();
}

int Number(const std::string& word) {
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(word.c_str(), &end, 0);
  if (word.empty() || *end) throw ParseError{"'" + word + "' is not a number"};
  if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
    throw ParseError{"'" + word + "' is out of range"};
  return static_cast<int>(value);
}
