#pragma once
#include <cstddef>
#include <initializer_list>
#include <string_view>

// A zero-terminated byte text in the ANSI code page, owned on the process heap.
// A missing text (no buffer) reads as the empty text.
class Text {
public:
    Text() = default;
    static Text Copy(std::string_view bytes);
    static Text Allocate(std::size_t length); // length bytes plus the terminator, zeroed

    Text(Text&& other) noexcept : bytes_(other.bytes_), length_(other.length_) {
        other.bytes_ = nullptr;
        other.length_ = 0;
    }
    Text& operator=(Text&& other) noexcept;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text();

    const char* c_str() const { return bytes_ ? bytes_ : ""; }
    char* data() { return bytes_; }
    std::size_t size() const { return length_; }
    std::string_view view() const { return {c_str(), length_}; }
    bool empty() const { return length_ == 0; }

private:
    char* bytes_ = nullptr;
    std::size_t length_ = 0;
};

// Joins the pieces, in order, into one fresh text (always a buffer, also when empty).
Text ConcatTexts(std::initializer_list<std::string_view> pieces);
