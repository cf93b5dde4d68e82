// Reading a fuzz input piece by piece: a byte, a number in a range, a run
// of bytes. Past the end every read gives zeros and empty runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A number from 0 to count - 1 (count > 0).
  int Below(int count) { return Byte() % count; }
  // Up to `count` bytes.
  std::string Bytes(std::size_t count) {
    const std::size_t left = size_ - at_;
    const std::size_t taken = count < left ? count : left;
    std::string bytes(reinterpret_cast<const char*>(data_ + at_), taken);
    at_ += taken;
    return bytes;
  }
  // A run whose length comes first (one byte, or two when the first is 255).
  std::string Run() {
    std::size_t count = Byte();
    if (count == 255) count = std::size_t(Byte()) << 8 | Byte();
    return Bytes(count);
  }
  std::string Rest() { return Bytes(size_ - at_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;  // never past size_
};
