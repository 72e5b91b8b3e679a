#include "base/array.h"

#include <cstdlib>
#include <cstring>

#include "base/array_iterator.h"
#include "base/comparators.h"
#include "base/digest.h"
#include "base/str_buffer.h"

namespace s::col::_array {

ArrayBase::~ArrayBase() {
    if (!borrowed_)
        std::free(items_);
}

int32_t ArrayBase::compare(const base::IComparable* other,
                           const base::IComparator* comparator) const {
    if (comparator)
        return comparator->compare(this, other);
    // Without a comparator the other object must be an array of the same element type.
    const auto* that = static_cast<const ArrayBase*>(other);
    uint32_t otherCount = that ? that->count_ : 0;
    if (count_ != otherCount)
        return count_ < otherCount ? -1 : 1;
    const base::IComparator& elements = elementComparator();
    const uint32_t size = 1u << elementShift_;
    for (uint32_t i = 0; i < count_; ++i) {
        int32_t c = elements.compare(bytes() + i * size, that->bytes() + i * size);
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    return 0;
}

int32_t ArrayBase::compareIgnoreCase(const base::IComparable* other,
                                     const base::IComparator* comparator) const {
    if (comparator)
        return comparator->compareIgnoreCase(this, other);
    return compare(other, nullptr);
}

uint32_t ArrayBase::hashCode() const {
    uint32_t h = 0;
    const uint32_t n = count_ << elementShift_;
    for (uint32_t i = 0; i < n; ++i)
        h = ((h << 1) | ((h >> 30) & 1u)) ^ bytes()[i];
    return h;
}

int32_t ArrayBase::byteSize(int32_t n) const {
    uint32_t elements = n < 0 ? count_ : static_cast<uint32_t>(n);
    return static_cast<int32_t>(elements << elementShift_);
}

bool ArrayBase::growTo(uint32_t capacity) {
    if (capacity <= capacity_)
        return true;
    size_t byteCount = size_t{capacity} << elementShift_;
    void* grown = std::malloc(byteCount);
    if (!grown)
        return false;
    if (count_ > 0)
        std::memcpy(grown, items_, size_t{count_} << elementShift_);
    if (!borrowed_)
        std::free(items_);
    borrowed_ = false;
    items_ = grown;
    capacity_ = capacity;
    return true;
}

bool ArrayBase::ensure(uint32_t n) {
    if (n <= capacity_)
        return true;
    const uint32_t capacity = col::boundedCapacity(capacity_, n);
    return capacity != 0 && growTo(capacity);
}

void ArrayBase::resize(int32_t n) {
    uint32_t target = n < 0 ? 0 : static_cast<uint32_t>(n);
    if (target > capacity_ && !growTo(target))
        return;
    if (target > count_) {
        // Zeroed, so that no element ever holds garbage (an ArrayP would dispose it).
        std::memset(bytes() + (size_t{count_} << elementShift_), 0,
                    size_t{target - count_} << elementShift_);
    }
    count_ = target;
}

bool ArrayBase::borrowStorage(void* items, int32_t n) {
    if (count_ != 0 || items == nullptr || n <= 0)
        return false;
    if (!borrowed_)
        std::free(items_);
    items_ = items;
    borrowed_ = true;
    count_ = static_cast<uint32_t>(n);
    capacity_ = count_;
    streamPos_ = 0;
    return true;
}

void ArrayBase::reserve(int32_t n) {
    if (n > 0)
        ensure(static_cast<uint32_t>(n));
}

void ArrayBase::reserveExact(int32_t n) {
    if (n > 0)
        growTo(static_cast<uint32_t>(n));
}

bool ArrayBase::clip(int32_t& from, int32_t& n) const {
    if (from < 0)
        from = 0;
    if (static_cast<uint32_t>(from) >= count_)
        return false;
    int32_t left = static_cast<int32_t>(count_) - from;
    if (n < 0 || n > left)
        n = left;
    return n > 0;
}

int32_t ArrayBase::writeTo(io::IOutputStream& stream, int32_t from, int32_t count) const {
    if (!clip(from, count))
        return 0;
    return stream.write(bytes() + (size_t(from) << elementShift_), count << elementShift_);
}

bool ArrayBase::readFrom(const ArrayBase& source, int32_t at, int32_t from, int32_t count) {
    if (source.elementShift_ != elementShift_)
        return false;
    if (!source.clip(from, count))
        return true;
    putAt(source.bytes(), count, from, at);
    return true;
}

void ArrayBase::copyOut(void* target, int32_t at, int32_t from, int32_t count) const {
    if (!target || !clip(from, count))
        return;
    std::memcpy(static_cast<uint8_t*>(target) + (size_t(at < 0 ? 0 : at) << elementShift_),
                bytes() + (size_t(from) << elementShift_), size_t(count) << elementShift_);
}

namespace {

// A copy of `size` bytes when `source` lies inside `storage`, so that growing the storage
// cannot pull the source away under the copy.
struct DetachedSource {
    const uint8_t* bytes;
    void* owned = nullptr;
    DetachedSource(const void* source, size_t size, const void* storage, size_t storageSize)
        : bytes(static_cast<const uint8_t*>(source)) {
        auto s = reinterpret_cast<uintptr_t>(source);
        auto b = reinterpret_cast<uintptr_t>(storage);
        if (storage && s >= b && s < b + storageSize) {
            owned = std::malloc(size ? size : 1);
            if (owned)
                std::memcpy(owned, source, size);
            bytes = static_cast<const uint8_t*>(owned);
        }
    }
    ~DetachedSource() { std::free(owned); }
};

}  // namespace

void ArrayBase::putAt(const void* source, int32_t n, int32_t from, int32_t at) {
    if (!source || n <= 0)
        return;
    if (at < 0)
        at = 0;
    if (from < 0)
        from = 0;
    const size_t size = size_t(n) << elementShift_;
    DetachedSource src(static_cast<const uint8_t*>(source) + (size_t(from) << elementShift_), size,
                       items_, size_t{capacity_} << elementShift_);
    if (!src.bytes)
        return;
    uint64_t end = uint64_t(at) + uint64_t(n);
    if (end > 0x7FFFFFFF || !ensure(static_cast<uint32_t>(end)))
        return;
    if (static_cast<uint32_t>(at) > count_) {
        std::memset(bytes() + (size_t{count_} << elementShift_), 0,
                    size_t(at - count_) << elementShift_);
    }
    std::memmove(bytes() + (size_t(at) << elementShift_), src.bytes, size);
    if (end > count_)
        count_ = static_cast<uint32_t>(end);
}

void ArrayBase::append(const void* source, int32_t n, int32_t from) {
    putAt(source, n, from, static_cast<int32_t>(count_));
}

void ArrayBase::prepend(const void* source, int32_t n, int32_t from) {
    insert(0, source, n, from);
}

void ArrayBase::insert(int32_t at, const void* source, int32_t n, int32_t from) {
    if (!source || n <= 0)
        return;
    if (at < 0)
        at = 0;
    if (static_cast<uint32_t>(at) > count_)
        at = static_cast<int32_t>(count_);
    if (from < 0)
        from = 0;
    const size_t size = size_t(n) << elementShift_;
    DetachedSource src(static_cast<const uint8_t*>(source) + (size_t(from) << elementShift_), size,
                       items_, size_t{capacity_} << elementShift_);
    if (!src.bytes)
        return;
    uint64_t total = uint64_t{count_} + uint64_t(n);
    if (total > 0x7FFFFFFF || !ensure(static_cast<uint32_t>(total)))
        return;
    uint8_t* place = bytes() + (size_t(at) << elementShift_);
    std::memmove(place + size, place, size_t(count_ - at) << elementShift_);
    std::memcpy(place, src.bytes, size);
    count_ = static_cast<uint32_t>(total);
}

void ArrayBase::dropLast(int32_t n) {
    if (n <= 0)
        return;
    count_ -= static_cast<uint32_t>(n) > count_ ? count_ : static_cast<uint32_t>(n);
}

void ArrayBase::dropFirst(int32_t n) {
    removeRange(0, n);
}

void ArrayBase::removeRange(int32_t at, int32_t n) {
    if (!clip(at, n))
        return;
    eraseRaw(static_cast<uint32_t>(at), static_cast<uint32_t>(n));
}

void ArrayBase::eraseRaw(uint32_t at, uint32_t n) {
    uint8_t* place = bytes() + (size_t{at} << elementShift_);
    std::memmove(place, place + (size_t{n} << elementShift_),
                 size_t{count_ - at - n} << elementShift_);
    count_ -= n;
}

void ArrayBase::popLast(void* target, int32_t n, int32_t at) {
    if (n <= 0)
        return;
    int32_t from = static_cast<int32_t>(count_) - n;
    if (from < 0)
        from = 0;
    removeRangeTo(from, target, n, at);
}

void ArrayBase::popFirst(void* target, int32_t n, int32_t at) {
    removeRangeTo(0, target, n, at);
}

void ArrayBase::removeRangeTo(int32_t at, void* target, int32_t n, int32_t targetAt) {
    if (!clip(at, n))
        return;
    if (target)
        copyOut(target, targetAt, at, n);
    eraseRaw(static_cast<uint32_t>(at), static_cast<uint32_t>(n));
}

int32_t ArrayBase::compareRange(int32_t at, const void* data, int32_t n) const {
    int32_t mine = n;
    if (!clip(at, mine))
        mine = 0;
    if (n < 0)
        n = 0;
    int32_t common = mine < n ? mine : n;
    if (common > 0 && data) {
        int c = std::memcmp(bytes() + (size_t(at) << elementShift_), data,
                            size_t(common) << elementShift_);
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    return mine == n ? 0 : (mine < n ? -1 : 1);
}

void ArrayBase::clear() {
    count_ = 0;
    streamPos_ = 0;
}

void ArrayBase::freeStorage() {
    if (!borrowed_)
        std::free(items_);
    borrowed_ = false;
    items_ = nullptr;
    count_ = 0;
    capacity_ = 0;
    streamPos_ = 0;
}

void ArrayBase::swap(int32_t i, int32_t j) {
    if (i == j)
        return;
    const size_t size = size_t{1} << elementShift_;
    uint8_t* a = bytes() + size * i;
    uint8_t* b = bytes() + size * j;
    for (size_t k = 0; k < size; ++k) {
        uint8_t t = a[k];
        a[k] = b[k];
        b[k] = t;
    }
}

void ArrayBase::swapVia(int32_t i, int32_t j, void* scratch) {
    const size_t size = size_t{1} << elementShift_;
    std::memcpy(scratch, bytes() + size * i, size);
    std::memcpy(bytes() + size * i, bytes() + size * j, size);
    std::memcpy(bytes() + size * j, scratch, size);
}

void ArrayBase::reverse() {
    if (count_ < 2)
        return;
    for (int32_t i = 0, j = static_cast<int32_t>(count_) - 1; i < j; ++i, --j)
        swap(i, j);
}

void ArrayBase::appendElementMarkup(int32_t i, str::strbuffer::StrBuffer& out) const {
    out.appendText(u"<item>");
    appendElementText(i, out);
    out.appendText(u"</item>");
}

str::strbuffer::StrBuffer* ArrayBase::toText(str::strbuffer::StrBuffer* out, bool append) const {
    if (!out)
        out = str::StrBuffer::take();
    if (!out)
        return nullptr;
    if (!append)
        out->clear();
    out->appendText(className()).appendText(u" [");
    for (uint32_t i = 0; i < count_; ++i) {
        if (i > 0)
            out->appendUnit(u' ');
        appendElementText(static_cast<int32_t>(i), *out);
    }
    out->appendUnit(u']');
    return out;
}

str::strbuffer::StrBuffer* ArrayBase::toMarkup(str::strbuffer::StrBuffer* out, bool append) const {
    if (!out)
        out = str::StrBuffer::take();
    if (!out)
        return nullptr;
    if (!append)
        out->clear();
    out->appendUnit(u'<').appendText(className()).appendText(u" length=\"");
    out->appendUInt32(count_).appendText(u"\">");
    for (uint32_t i = 0; i < count_; ++i)
        appendElementMarkup(static_cast<int32_t>(i), *out);
    out->appendText(u"</").appendText(className()).appendUnit(u'>');
    return out;
}

ArrayU08* ArrayBase::digest(digest::IDigester* digester, ArrayU08* out) const {
    digest::Md5 md5;
    if (!digester)
        digester = &md5;
    if (!out)
        out = ArrayU08::take();
    if (!out)
        return nullptr;
    digester->restart();
    digester->update(items_, byteSize(-1));
    out->resize(digester->digestSize());
    digester->finish(out->data());
    return out;
}

Iterator* ArrayBase::iterator() {
    return iteratorAt(0);
}

Iterator* ArrayBase::iteratorAtEnd() {
    return iteratorAt(-1);
}

Iterator* ArrayBase::iteratorAt(int32_t i) {
    Iterator* it = Iterator::take();
    if (it)
        it->bind(this, i < 0 ? static_cast<int32_t>(count_) : i - 1);
    return it;
}

Iterator* ArrayBase::iteratorFromEnd(int32_t n) {
    Iterator* it = Iterator::take();
    if (it)
        it->bind(this, n < 0 ? -1 : static_cast<int32_t>(count_) - n - 1);
    return it;
}

io::IInputStream* ArrayBase::streamOf() {
    CollectionInputStream* stream = CollectionInputStream::take();
    if (stream)
        stream->bind(this);
    return stream;
}

int32_t ArrayBase::read(void* target, int32_t count) {
    const uint32_t size = static_cast<uint32_t>(byteSize(-1));
    if (!target || count <= 0 || streamPos_ >= size)
        return 0;
    uint32_t n = size - streamPos_;
    if (static_cast<uint32_t>(count) < n)
        n = static_cast<uint32_t>(count);
    std::memcpy(target, bytes() + streamPos_, n);
    streamPos_ += n;
    return static_cast<int32_t>(n);
}

int32_t ArrayBase::write(const void* data, int32_t count) {
    if (!data || count <= 0)
        return 0;
    const uint64_t end = uint64_t{streamPos_} + uint64_t(count);
    const uint64_t size = uint64_t{1} << elementShift_;
    const uint64_t elements = (end + size - 1) / size;
    if (elements > 0x7FFFFFFF || !ensure(static_cast<uint32_t>(elements)))
        return 0;
    if (elements > count_) {
        // Zero the new tail so a partly written last element holds no garbage.
        std::memset(bytes() + (size_t{count_} << elementShift_), 0,
                    size_t(elements - count_) << elementShift_);
        count_ = static_cast<uint32_t>(elements);
    }
    std::memmove(bytes() + streamPos_, data, size_t(count));
    streamPos_ = static_cast<uint32_t>(end);
    return count;
}

void ArrayBase::seekEnd() {
    streamPos_ = static_cast<uint32_t>(byteSize(-1));
}

void ArrayBase::seekBy(int32_t delta) {
    int64_t pos = int64_t{streamPos_} + delta;
    int64_t size = byteSize(-1);
    streamPos_ = static_cast<uint32_t>(pos < 0 ? 0 : (pos > size ? size : pos));
}

// --- typed arrays ---

const base::IComparator& ArrayU08::elementComparator() const {
    return comp::CompU08::instance();
}
const base::IComparator& ArrayS08::elementComparator() const {
    return comp::CompS08::instance();
}
const base::IComparator& ArrayS32::elementComparator() const {
    return comp::CompS32::instance();
}
const base::IComparator& ArrayU32::elementComparator() const {
    return comp::CompU32::instance();
}

void ArrayU08::appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const {
    out.appendUInt32(get(i));
}
void ArrayS08::appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const {
    out.appendInt(get(i));
}
void ArrayS32::appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const {
    out.appendInt(get(i));
}
void ArrayU32::appendElementText(int32_t i, str::strbuffer::StrBuffer& out) const {
    out.appendUInt32(get(i));
}

}  // namespace s::col::_array
