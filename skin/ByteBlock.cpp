#include "skin/ByteBlock.h"

#include <cstring>

#include "app/Heap.h"

ByteBlock ByteBlock::FromBytes(std::span<const std::uint8_t> bytes) {
    auto* block = static_cast<ByteBlockHeader*>(heap::Allocate(sizeof(ByteBlockHeader) + bytes.size()));
    block->dimensions = 1;
    block->size = static_cast<std::int32_t>(bytes.size());
    if (!bytes.empty()) std::memcpy(block + 1, bytes.data(), bytes.size());
    return ByteBlock(block);
}

ByteBlock ByteBlock::Empty() { return FromBytes({}); }

ByteBlock ByteBlock::CopyOf(ByteBlockView source) {
    auto* block = static_cast<ByteBlockHeader*>(heap::Allocate(source.BlockBytes()));
    if (source.Block()) {
        std::memcpy(block, source.Block(), source.BlockBytes());
    } else {
        *block = {1, 0};
    }
    return ByteBlock(block);
}

ByteBlock& ByteBlock::operator=(ByteBlock&& other) noexcept {
    if (this != &other) {
        heap::Release(block_);
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

ByteBlock::~ByteBlock() { heap::Release(block_); }
