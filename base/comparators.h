#pragma once

#include "base/object.h"

// Comparators of plain values. compare(a, b) reads the elements at the two addresses and
// returns -1, 0 or 1; compareIgnoreCase is compare. One shared instance each.
namespace s::comp {

#define S_COMP_DECLARE(Name)                                                     \
    class Name : public base::IObject, public base::IComparator {                \
    public:                                                                      \
        int32_t compare(const void* a, const void* b) const override;            \
        int32_t compareIgnoreCase(const void* a, const void* b) const override { \
            return compare(a, b);                                                \
        }                                                                        \
        const char16_t* className() const override { return u"s_comp_" #Name; }  \
        Name* newInstance() const override { return new Name(); }                \
        static const Name& instance();                                           \
    };

S_COMP_DECLARE(CompU08)  // unsigned bytes
S_COMP_DECLARE(CompS08)  // signed bytes
S_COMP_DECLARE(CompS32)  // signed 32-bit values
S_COMP_DECLARE(CompU32)  // unsigned 32-bit values
S_COMP_DECLARE(CompP)    // pointers, by unsigned address

#undef S_COMP_DECLARE

}  // namespace s::comp
