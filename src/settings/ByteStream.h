#pragma once
// Little-endian reading and writing of the settings file's fields.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads fields from untrusted bytes. A read that would pass the end returns
// zero or empty and marks the reader as failed; every later read does the same,
// so a cut file decodes as if it ended before the first incomplete field.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Failed() const { return failed_; }
  std::size_t Remaining() const { return bytes_.size() - pos_; }

  std::uint16_t UInt16() { return static_cast<std::uint16_t>(Little(2)); }
  std::int16_t Int16() { return static_cast<std::int16_t>(UInt16()); }
  std::int32_t Int32() { return static_cast<std::int32_t>(Little(4)); }

  // `n` bytes as they are; empty when fewer remain.
  std::string Bytes(std::size_t n) {
    const std::uint8_t* at = Take(n);
    return at == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(at), n);
  }

  template <std::size_t N>
  void Block(std::array<std::uint8_t, N>& block) {
    const std::uint8_t* at = Take(N);
    for (std::size_t i = 0; i < N; ++i) block[i] = at == nullptr ? 0 : at[i];
  }

 private:
  // `n` bytes, the lowest first.
  std::uint32_t Little(std::size_t n) {
    const std::uint8_t* at = Take(n);
    std::uint32_t value = 0;
    for (std::size_t i = 0; at != nullptr && i < n; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
  }

  // The next `n` bytes, or nullptr. Compared as `n > size - pos`: pos never
  // passes size, so the subtraction cannot wrap and no sum can overflow.
  const std::uint8_t* Take(std::size_t n) {
    if (failed_ || n > bytes_.size() - pos_) {
      failed_ = true;
      return nullptr;
    }
    const std::uint8_t* at = bytes_.data() + pos_;
    pos_ += n;
    return at;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

class ByteWriter {
 public:
  void Int16(std::int16_t value) { Little(static_cast<std::uint16_t>(value), 2); }
  void Int32(std::int32_t value) { Little(static_cast<std::uint32_t>(value), 4); }
  void Bytes(std::string_view bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  template <std::size_t N>
  void Block(const std::array<std::uint8_t, N>& block) {
    bytes_.insert(bytes_.end(), block.begin(), block.end());
  }

  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  void Little(std::uint32_t bits, int n) {
    for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  }
  std::vector<std::uint8_t> bytes_;
};
