#include "persist/xml/arena.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/utf8.h"

namespace s::xml {

namespace {

constexpr size_t kMinBlockBytes = 4096;
// Blocks grow by doubling up to this; a larger request gets a block of its own size.
constexpr size_t kMaxBlockBytes = size_t{8} << 20;

}  // namespace

struct Arena::Block {
    Block* next;
    size_t bytes;  // usable bytes after the header
};

Arena* Arena::create(size_t expectedBytes) {
    void* memory = std::malloc(sizeof(Arena));
    if (memory == nullptr)
        return nullptr;
    size_t first = expectedBytes < kMinBlockBytes ? kMinBlockBytes : expectedBytes;
    if (first > kMaxBlockBytes)
        first = kMaxBlockBytes;
    return new (memory) Arena(first);
}

void Arena::destroy(Arena* arena) {
    if (arena == nullptr)
        return;
    for (Block* block = arena->blocks_; block != nullptr;) {
        Block* next = block->next;
        std::free(block);
        block = next;
    }
    arena->~Arena();
    std::free(arena);
}

void* Arena::allocateInNewBlock(size_t bytes, size_t align) {
    constexpr size_t kHeader = (sizeof(Block) + 15) & ~size_t{15};
    if (bytes > kMaxBlockBytes * 64)
        return nullptr;  // no document of this system comes near; a count gone wrong
    size_t size = nextBlockBytes_;
    if (size < bytes + align)
        size = bytes + align;
    void* memory = std::malloc(kHeader + size);
    if (memory == nullptr)
        return nullptr;
    auto* block = static_cast<Block*>(memory);
    block->next = blocks_;
    block->bytes = size;
    blocks_ = block;
    reserved_ += kHeader + size;
    if (nextBlockBytes_ < kMaxBlockBytes)
        nextBlockBytes_ *= 2;
    cursor_ = reinterpret_cast<uintptr_t>(memory) + kHeader;
    limit_ = cursor_ + size;
    return allocate(bytes, align);
}

char16_t* Arena::copyText(const char16_t* text, uint32_t n) {
    auto* copy = static_cast<char16_t*>(
        allocate((static_cast<size_t>(n) + 1) * sizeof(char16_t), alignof(char16_t)));
    if (copy == nullptr)
        return nullptr;
    if (n > 0)
        std::memcpy(copy, text, n * sizeof(char16_t));
    copy[n] = 0;
    return copy;
}

char16_t* Arena::decodeText(const uint8_t* bytes, uint32_t n, uint32_t& units) {
    // Room for the most units n bytes can yield; what is left over goes back at once, which
    // is possible because this is the newest allocation.
    auto* text = static_cast<char16_t*>(
        allocate((static_cast<size_t>(n) + 1) * sizeof(char16_t), alignof(char16_t)));
    if (text == nullptr)
        return nullptr;
    // ASCII a word at a time first: most names and many texts are nothing else.
    uint32_t i = 0;
    while (n - i >= 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        if ((word & 0x8080808080808080ull) != 0)
            break;
        for (int k = 0; k < 8; ++k)
            text[i + k] = bytes[i + k];
        i += 8;
    }
    units = i + (i < n ? str::decodeUtf8(bytes + i, n - i, text + i) : 0);
    text[units] = 0;
    cursor_ = reinterpret_cast<uintptr_t>(text + units + 1);
    return text;
}

}  // namespace s::xml
