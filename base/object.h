#pragma once

#include <cstdint>

// Root interfaces of every framework class: ordering, hashing, class id, fresh instance.
namespace s::base {

class IComparator;

class IComparable {
public:
    virtual ~IComparable() = default;

    // With a comparator: comparator->compare(this, other). Without: identity order (0 only
    // for the same object, else by unsigned address).
    virtual int32_t compare(const IComparable* other,
                            const IComparator* comparator = nullptr) const;
    // With a comparator: comparator->compareIgnoreCase(this, other). Without: compare().
    virtual int32_t compareIgnoreCase(const IComparable* other,
                                      const IComparator* comparator = nullptr) const;
    virtual bool equals(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual bool equalsIgnoreCase(const IComparable* other,
                                  const IComparator* comparator = nullptr) const;
    // A per-class constant unless the class has a value of its own (strings, arrays).
    virtual uint32_t hashCode() const;
    virtual uint32_t hashCodeIgnoreCase() const;
};

class IObject : public IComparable {
public:
    // Class id: the qualified class name with "::" written as "_", e.g. u"s_time_TimeZone".
    virtual const char16_t* className() const = 0;
    // A fresh instance of the same class; pooled classes take it from their pool.
    virtual IObject* newInstance() const = 0;
    // Hash of the class id, so all instances of a class without a value hash alike.
    uint32_t hashCode() const override;
};

// Orders two elements given by their addresses (for an array of pointers: the addresses of
// the pointer slots; for IComparable::compare: the two objects themselves).
class IComparator {
public:
    virtual ~IComparator() = default;
    virtual int32_t compare(const void* a, const void* b) const = 0;
    virtual int32_t compareIgnoreCase(const void* a, const void* b) const { return compare(a, b); }
};

// Disposes the object a slot points to (if any) and sets the slot to nullptr.
class IDestructor {
public:
    virtual ~IDestructor() = default;
    virtual void dispose(void** slot) = 0;
};

class IGenerator {
public:
    virtual ~IGenerator() = default;
    // A new (or recycled, clean) object; nullptr when allocation fails.
    virtual void* generate() = 0;
};

// Identity order of two addresses: -1, 0 or 1.
inline int32_t compareAddresses(const void* a, const void* b) {
    auto x = reinterpret_cast<uintptr_t>(a);
    auto y = reinterpret_cast<uintptr_t>(b);
    return x == y ? 0 : (x < y ? -1 : 1);
}

}  // namespace s::base
