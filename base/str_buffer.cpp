#include "base/str_buffer.h"

#include <bit>
#include <cstdlib>
#include <cstring>

#include "base/growth.h"
#include "base/str_units.h"

namespace s::str::strbuffer {

static_assert(std::endian::native == std::endian::little,
              "the byte stream and the storage order assume little-endian code units");

namespace {

constexpr char16_t kEmptyText[1] = {0};

// Exact order: storage bytes compared low byte first (as the little-endian storage reads).
int32_t compareBytes(const char16_t* a, uint32_t aLength, const char16_t* b, uint32_t bLength) {
    const uint32_t common = aLength < bLength ? aLength : bLength;
    for (uint32_t i = 0; i < common; ++i) {
        if (a[i] == b[i])
            continue;
        uint8_t aLow = static_cast<uint8_t>(a[i]), bLow = static_cast<uint8_t>(b[i]);
        if (aLow != bLow)
            return aLow < bLow ? -1 : 1;
        return (a[i] >> 8) < (b[i] >> 8) ? -1 : 1;
    }
    return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
}

int32_t compareFolded(const char16_t* a, uint32_t aLength, const char16_t* b, uint32_t bLength) {
    const uint32_t common = aLength < bLength ? aLength : bLength;
    for (uint32_t i = 0; i < common; ++i) {
        int32_t d = int32_t{lowerAscii(a[i])} - int32_t{lowerAscii(b[i])};
        if (d != 0)
            return d;
    }
    return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
}

uint32_t hashUnits(const char16_t* units, uint32_t length, bool fold) {
    uint32_t h = 0;
    for (uint32_t i = 0; i < length; ++i) {
        char16_t u = fold ? lowerAscii(units[i]) : units[i];
        h = ((h << 1) | ((h >> 30) & 1u)) ^ u;
    }
    return h;
}

const StrBuffer* asBuffer(const base::IComparable* other) {
    // Without a comparator, the other object is a text buffer by contract.
    return static_cast<const StrBuffer*>(other);
}

}  // namespace

StrBuffer::~StrBuffer() {
    std::free(chars_);
}

StrBuffer* StrBuffer::takeText(const char16_t* text) {
    StrBuffer* buffer = take();
    if (buffer)
        buffer->setText(text);
    return buffer;
}

// --- comparison and hash ---

int32_t StrBuffer::compare(const base::IComparable* other,
                           const base::IComparator* comparator) const {
    if (comparator)
        return comparator->compare(this, other);
    const StrBuffer* that = asBuffer(other);
    return compareBytes(chars_, length_, that ? that->chars_ : nullptr, that ? that->length_ : 0);
}

int32_t StrBuffer::compareIgnoreCase(const base::IComparable* other,
                                     const base::IComparator* comparator) const {
    if (comparator)
        return comparator->compareIgnoreCase(this, other);
    const StrBuffer* that = asBuffer(other);
    return compareFolded(chars_, length_, that ? that->chars_ : nullptr, that ? that->length_ : 0);
}

bool StrBuffer::equals(const base::IComparable* other, const base::IComparator* comparator) const {
    if (comparator)
        return comparator->compare(this, other) == 0;
    const StrBuffer* that = asBuffer(other);
    return that ? equals(*that) : length_ == 0;
}

bool StrBuffer::equalsIgnoreCase(const base::IComparable* other,
                                 const base::IComparator* comparator) const {
    if (comparator)
        return comparator->compareIgnoreCase(this, other) == 0;
    const StrBuffer* that = asBuffer(other);
    return that ? equalsIgnoreCase(*that) : length_ == 0;
}

uint32_t StrBuffer::hashCode() const {
    return hashUnits(chars_, length_, false);
}

uint32_t StrBuffer::hashCodeIgnoreCase() const {
    return hashUnits(chars_, length_, true);
}

int32_t StrBuffer::compare(const char16_t* text, int32_t count) const {
    return compareBytes(chars_, length_, text, static_cast<uint32_t>(resolveCount(text, count)));
}

int32_t StrBuffer::compareIgnoreCase(const char16_t* text, int32_t count) const {
    return compareFolded(chars_, length_, text, static_cast<uint32_t>(resolveCount(text, count)));
}

bool StrBuffer::equals(const char16_t* text, int32_t count) const {
    const uint32_t n = static_cast<uint32_t>(resolveCount(text, count));
    return n == length_ && (n == 0 || std::memcmp(chars_, text, n * sizeof(char16_t)) == 0);
}

bool StrBuffer::equalsIgnoreCase(const char16_t* text, int32_t count) const {
    const uint32_t n = static_cast<uint32_t>(resolveCount(text, count));
    return n == length_ && compareFolded(chars_, length_, text, n) == 0;
}

bool StrBuffer::equals(const StrBuffer& other) const {
    return equals(other.chars_, other.length());
}

bool StrBuffer::equalsIgnoreCase(const StrBuffer& other) const {
    return equalsIgnoreCase(other.chars_, other.length());
}

int32_t StrBuffer::compareIgnoreCase(const StrBuffer& other) const {
    return compareFolded(chars_, length_, other.chars_, other.length_);
}

// --- storage ---

bool StrBuffer::growTo(uint32_t capacity) {
    if (capacity <= capacity_)
        return true;
    // Room for the terminator as well.
    auto* grown = static_cast<char16_t*>(std::malloc((size_t{capacity} + 1) * sizeof(char16_t)));
    if (!grown)
        return false;
    if (length_ > 0)
        std::memcpy(grown, chars_, size_t{length_} * sizeof(char16_t));
    std::free(chars_);
    chars_ = grown;
    capacity_ = capacity;
    return true;
}

bool StrBuffer::ensure(uint32_t units) {
    if (units <= capacity_)
        return true;
    const uint32_t capacity = col::boundedCapacity(capacity_, units);
    return capacity != 0 && growTo(capacity);
}

bool StrBuffer::ownsUnits(const char16_t* p) const {
    return chars_ && p >= chars_ && p <= chars_ + capacity_;
}

char16_t* StrBuffer::endPointer() {
    if (length_ == 0)
        return nullptr;
    chars_[length_] = 0;
    return chars_ + length_;
}

void StrBuffer::setLength(int32_t n) {
    if (n < 0)
        n = 0;
    length_ = static_cast<uint32_t>(n) > capacity_ ? capacity_ : static_cast<uint32_t>(n);
}

void StrBuffer::reserveExact(int32_t n) {
    if (n > 0)
        growTo(static_cast<uint32_t>(n));
}

bool StrBuffer::growOnce() {
    return ensure(capacity_ + 1);
}

void StrBuffer::reserve(int32_t n) {
    if (n > 0)
        ensure(static_cast<uint32_t>(n));
}

StrBuffer& StrBuffer::clear() {
    length_ = 0;
    streamPos_ = 0;
    return *this;
}

void StrBuffer::freeStorage() {
    std::free(chars_);
    chars_ = nullptr;
    length_ = 0;
    capacity_ = 0;
    streamPos_ = 0;
}

const char16_t* StrBuffer::text() const {
    if (length_ == 0)
        return kEmptyText;
    chars_[length_] = 0;  // storage always has room for the terminator
    return chars_;
}

// --- case and order ---

StrBuffer& StrBuffer::reverse() {
    if (length_ < 2)
        return *this;
    for (uint32_t i = 0, j = length_ - 1; i < j; ++i, --j) {
        char16_t t = chars_[i];
        chars_[i] = chars_[j];
        chars_[j] = t;
    }
    return *this;
}

StrBuffer& StrBuffer::toLowerCase() {
    for (uint32_t i = 0; i < length_; ++i)
        chars_[i] = lowerAscii(chars_[i]);
    return *this;
}

StrBuffer& StrBuffer::toUpperCase() {
    for (uint32_t i = 0; i < length_; ++i)
        chars_[i] = upperAscii(chars_[i]);
    return *this;
}

StrBuffer& StrBuffer::capitalize() {
    toLowerCase();
    if (length_ > 0)
        chars_[0] = upperAscii(chars_[0]);
    return *this;
}

char16_t StrBuffer::charAtLower(int32_t i) const {
    return lowerAscii(chars_[i]);
}

char16_t StrBuffer::charAtUpper(int32_t i) const {
    return upperAscii(chars_[i]);
}

// --- byte stream ---

int32_t StrBuffer::read(void* target, int32_t count) {
    const uint32_t size = length_ * 2;
    if (!target || count <= 0 || streamPos_ >= size)
        return 0;
    uint32_t n = size - streamPos_;
    if (static_cast<uint32_t>(count) < n)
        n = static_cast<uint32_t>(count);
    std::memcpy(target, reinterpret_cast<const uint8_t*>(chars_) + streamPos_, n);
    streamPos_ += n;
    return static_cast<int32_t>(n);
}

int32_t StrBuffer::write(const void* data, int32_t count) {
    if (!data || count <= 0)
        return 0;
    const uint64_t end = uint64_t{streamPos_} + uint64_t(count);
    if (end / 2 + 1 > 0x7FFFFFFF || !ensure(static_cast<uint32_t>(end / 2 + 1)))
        return 0;
    const uint32_t units = static_cast<uint32_t>((end + 1) / 2);
    if (units > length_) {
        // The units that the write raises into use start out as 0 (an odd last byte then
        // leaves a defined high byte).
        std::memset(chars_ + length_, 0, (units - length_) * sizeof(char16_t));
        length_ = units;
    }
    std::memmove(reinterpret_cast<uint8_t*>(chars_) + streamPos_, data, size_t(count));
    streamPos_ = static_cast<uint32_t>(end);
    return count;
}

void StrBuffer::seekEnd() {
    streamPos_ = length_ * 2;
}

void StrBuffer::seekBy(int32_t delta) {
    int64_t pos = int64_t{streamPos_} + delta;
    int64_t size = int64_t{length_} * 2;
    streamPos_ = static_cast<uint32_t>(pos < 0 ? 0 : (pos > size ? size : pos));
}

// --- iterators ---

Iterator* StrBuffer::iterator() {
    return iteratorAt(0);
}

Iterator* StrBuffer::iteratorAtEnd() {
    return iteratorAt(-1);
}

Iterator* StrBuffer::iteratorAt(int32_t i) {
    Iterator* it = Iterator::take();
    if (it)
        it->bind(this, i < 0 ? length() : i - 1);
    return it;
}

Iterator* StrBuffer::iteratorFromEnd(int32_t n) {
    Iterator* it = Iterator::take();
    if (it)
        it->bind(this, n < 0 ? -1 : length() - n - 1);
    return it;
}

void Iterator::bind(StrBuffer* buffer, int32_t index) {
    buffer_ = buffer;
    index_ = index;
}

char16_t* Iterator::next() {
    if (!buffer_ || index_ + 1 < 0 || index_ + 1 >= buffer_->length())
        return nullptr;
    return buffer_->unitPointer(++index_);
}

char16_t* Iterator::previous() {
    if (!buffer_ || index_ - 1 < 0 || index_ - 1 >= buffer_->length())
        return nullptr;
    return buffer_->unitPointer(--index_);
}

void Iterator::reset() {
    buffer_ = nullptr;
    index_ = -1;
}

}  // namespace s::str::strbuffer
