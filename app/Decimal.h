#pragma once
#include <charconv>
#include <concepts>
#include <cstddef>
#include <string_view>

// The plain decimal form of a whole number, '-' first when negative, held in place.
class Decimal {
  public:
    explicit Decimal(std::integral auto value)
        : length_(static_cast<std::size_t>(
              std::to_chars(digits_, digits_ + sizeof digits_, value).ptr - digits_)) {}
    std::string_view view() const { return {digits_, length_}; }

  private:
    char digits_[24]; // any 64-bit number with its sign
    std::size_t length_;
};
