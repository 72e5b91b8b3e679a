#pragma once

#include <cstddef>
#include <cstdint>

namespace s::xml {

// The memory of one parsed document: its nodes, names, texts, attribute records and their
// arrays are cut from a few large blocks by moving a cursor, and all of it goes back at once
// with the arena. Nothing cut from it is freed on its own. Not locked: it belongs to the
// document's tree, which belongs to one thread at a time.
class Arena {
public:
    // An arena whose first block holds about `expectedBytes`; nullptr when out of memory.
    static Arena* create(size_t expectedBytes);
    // Frees every block; `arena` may be nullptr.
    static void destroy(Arena* arena);

    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // `bytes` aligned to `align` (a power of two, at most 16); nullptr when out of memory.
    void* allocate(size_t bytes, size_t align) {
        const uintptr_t at = (cursor_ + (align - 1)) & ~uintptr_t{align - 1};
        if (at + bytes <= limit_ && at >= cursor_) {
            cursor_ = at + bytes;
            return reinterpret_cast<void*>(at);
        }
        return allocateInNewBlock(bytes, align);
    }
    // A zero-terminated copy of n units; nullptr when out of memory.
    char16_t* copyText(const char16_t* text, uint32_t n);
    // n bytes of UTF-8 decoded (as StrBuffer::fromUtf8 does) into zero-terminated units,
    // their count in `units`; nullptr when out of memory.
    char16_t* decodeText(const uint8_t* bytes, uint32_t n, uint32_t& units);

    // Bytes taken from the system for the blocks (a figure for tests and benchmarks).
    size_t reservedBytes() const { return reserved_; }

    // Whether a node of the document has been changed since it was parsed. An untouched
    // document holds nothing outside its arena, so it can go without visiting its nodes.
    bool touched() const { return touched_; }
    void markTouched() { touched_ = true; }

private:
    struct Block;
    explicit Arena(size_t nextBlockBytes) : nextBlockBytes_(nextBlockBytes) {}
    ~Arena() = default;
    void* allocateInNewBlock(size_t bytes, size_t align);

    uintptr_t cursor_ = 0;
    uintptr_t limit_ = 0;
    Block* blocks_ = nullptr;  // the newest first
    size_t nextBlockBytes_;
    size_t reserved_ = 0;
    bool touched_ = false;
};

}  // namespace s::xml
