#include "base/array_iterator.h"

#include <cstring>

#include "base/array.h"

namespace s::col::_array {

void Iterator::bind(ArrayBase* array, int32_t index) {
    array_ = array;
    index_ = index;
}

bool Iterator::hasNext() const {
    return array_ && index_ < array_->count() - 1;
}

void* Iterator::next() {
    if (!array_ || index_ + 1 < 0 || index_ + 1 >= array_->count())
        return nullptr;
    return array_->elementAddress(++index_);
}

void* Iterator::previous() {
    if (!array_ || index_ - 1 < 0 || index_ - 1 >= array_->count())
        return nullptr;
    return array_->elementAddress(--index_);
}

void Iterator::reset() {
    array_ = nullptr;
    index_ = -1;
}

void CollectionInputStream::bind(const ArrayBase* array) {
    array_ = array;
    pos_ = 0;
}

int32_t CollectionInputStream::read(void* target, int32_t count) {
    if (!array_ || !target || count <= 0)
        return 0;
    const uint32_t size = static_cast<uint32_t>(array_->byteSize(-1));
    if (pos_ >= size)
        return 0;
    uint32_t n = size - pos_;
    if (static_cast<uint32_t>(count) < n)
        n = static_cast<uint32_t>(count);
    std::memcpy(target, static_cast<const uint8_t*>(array_->rawItems()) + pos_, n);
    pos_ += n;
    return static_cast<int32_t>(n);
}

void CollectionInputStream::seekEnd() {
    pos_ = array_ ? static_cast<uint32_t>(array_->byteSize(-1)) : 0;
}

void CollectionInputStream::seekBy(int32_t delta) {
    int64_t size = array_ ? array_->byteSize(-1) : 0;
    int64_t pos = int64_t{pos_} + delta;
    pos_ = static_cast<uint32_t>(pos < 0 ? 0 : (pos > size ? size : pos));
}

void CollectionInputStream::reset() {
    array_ = nullptr;
    pos_ = 0;
}

}  // namespace s::col::_array
