#include "app/Text.h"

#include <cstring>

#include "app/Heap.h"

Text Text::Allocate(std::size_t length) {
    Text text;
    text.bytes_ = static_cast<char*>(heap::Allocate(length + 1));
    std::memset(text.bytes_, 0, length + 1);
    text.length_ = length;
    return text;
}

Text Text::Copy(std::string_view bytes) {
    Text text = Allocate(bytes.size());
    if (!bytes.empty()) std::memcpy(text.bytes_, bytes.data(), bytes.size());
    return text;
}

Text& Text::operator=(Text&& other) noexcept {
    if (this != &other) {
        heap::Release(bytes_);
        bytes_ = other.bytes_;
        length_ = other.length_;
        other.bytes_ = nullptr;
        other.length_ = 0;
    }
    return *this;
}

Text::~Text() { heap::Release(bytes_); }

Text ConcatTexts(std::initializer_list<std::string_view> pieces) {
    std::size_t total = 0;
    for (std::string_view piece : pieces) total += piece.size();
    Text joined = Text::Allocate(total);
    char* out = joined.data();
    for (std::string_view piece : pieces) {
        if (!piece.empty()) std::memcpy(out, piece.data(), piece.size());
        out += piece.size();
    }
    return joined;
}
