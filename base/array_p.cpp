#include "base/array.h"

#include "base/comparators.h"
#include "base/merge_sort.h"
#include "base/str_buffer.h"

namespace s::col::_array {

ArrayP::~ArrayP() {
    disposeRange(0, count_);
}

const base::IComparator& ArrayP::elementComparator() const {
    return comp::CompP::instance();
}

void ArrayP::appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const {
    // Elements are taken to be framework objects (IObject* as stored).
    auto* object = static_cast<const base::IObject*>(get(i));
    if (object) {
        out.appendText(object->className());
    } else {
        out.appendText(u"null");
    }
    out.appendUnit(u'(').appendUInt64(reinterpret_cast<uintptr_t>(object)).appendUnit(u')');
}

void* ArrayP::detach(int32_t i) {
    if (i < 0 || static_cast<uint32_t>(i) >= count_)
        return nullptr;
    void* p = data()[i];
    eraseRaw(static_cast<uint32_t>(i), 1);
    return p;
}

void ArrayP::replace(int32_t i, void* p) {
    if (i < 0 || static_cast<uint32_t>(i) >= count_)
        return;
    if (data()[i] != p)
        disposeRange(static_cast<uint32_t>(i), static_cast<uint32_t>(i) + 1);
    data()[i] = p;
}

void ArrayP::resize(int32_t n) {
    if (n < 0)
        n = 0;
    if (static_cast<uint32_t>(n) < count_)
        disposeRange(static_cast<uint32_t>(n), count_);
    ArrayBase::resize(n);
}

void ArrayP::dropLast(int32_t n) {
    if (n <= 0)
        return;
    uint32_t drop = static_cast<uint32_t>(n) > count_ ? count_ : static_cast<uint32_t>(n);
    disposeRange(count_ - drop, count_);
    count_ -= drop;
}

void ArrayP::dropFirst(int32_t n) {
    removeRange(0, n);
}

void ArrayP::removeRange(int32_t at, int32_t n) {
    if (!clip(at, n))
        return;
    disposeRange(static_cast<uint32_t>(at), static_cast<uint32_t>(at + n));
    eraseRaw(static_cast<uint32_t>(at), static_cast<uint32_t>(n));
}

void ArrayP::clear() {
    disposeRange(0, count_);
    ArrayBase::clear();
}

void ArrayP::freeStorage() {
    disposeRange(0, count_);
    ArrayBase::freeStorage();
}

void ArrayP::reset() {
    freeStorage();
    disposer_ = nullptr;
}

void ArrayP::sort(SortCompare compare, void* context) {
    col::mergeSort(data(), count(), compare, context);
}

void ArrayP::sortDescending(SortCompare compare, void* context) {
    col::mergeSortDescending(data(), count(), compare, context);
}

void ArrayP::disposeRange(uint32_t from, uint32_t to) {
    if (!disposer_)
        return;
    for (uint32_t i = from; i < to && i < count_; ++i) {
        if (data()[i])
            disposer_->dispose(&data()[i]);
    }
}

}  // namespace s::col::_array
