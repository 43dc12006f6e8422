#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// A counted byte buffer: a 32-bit dimension count (always 1), a signed 32-bit byte
// count N, then N bytes. Embedded files sit in read-only data in this layout; dynamic
// blocks are process-heap buffers of N + 8 bytes.
struct ByteBlockHeader {
    std::int32_t dimensions;
    std::int32_t size;
};
static_assert(sizeof(ByteBlockHeader) == 8);

// Read access to a block in place; an absent block (null) has length 0.
class ByteBlockView {
public:
    ByteBlockView() = default;
    explicit ByteBlockView(const void* block) : block_(static_cast<const ByteBlockHeader*>(block)) {}

    std::int32_t Size() const { return block_ && block_->size > 0 ? block_->size : 0; }
    const std::uint8_t* Data() const {
        return block_ ? reinterpret_cast<const std::uint8_t*>(block_ + 1) : nullptr;
    }
    std::span<const std::uint8_t> Bytes() const { return {Data(), static_cast<std::size_t>(Size())}; }
    const void* Block() const { return block_; }
    std::size_t BlockBytes() const { return sizeof(ByteBlockHeader) + Size(); }

private:
    const ByteBlockHeader* block_ = nullptr;
};

// A dynamic block owned on the process heap, released when it goes.
class ByteBlock {
public:
    ByteBlock() = default;                                  // absent
    static ByteBlock Empty();                               // 1 dimension, N = 0
    static ByteBlock CopyOf(ByteBlockView source);          // the header and all N bytes
    static ByteBlock FromBytes(std::span<const std::uint8_t> bytes);

    ByteBlock(ByteBlock&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    ByteBlock& operator=(ByteBlock&& other) noexcept;
    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;
    ~ByteBlock();

    ByteBlockView View() const { return ByteBlockView(block_); }
    bool Absent() const { return block_ == nullptr; }
    std::uint8_t* MutableData() { return block_ ? reinterpret_cast<std::uint8_t*>(block_ + 1) : nullptr; }

private:
    explicit ByteBlock(ByteBlockHeader* block) : block_(block) {}
    ByteBlockHeader* block_ = nullptr;
};
