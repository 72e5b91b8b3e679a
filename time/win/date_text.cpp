#include <windows.h>

#include <oleauto.h>  // after windows.h, which it needs

#include "base/str_buffer.h"
#include "time/platform.h"

namespace s::time {

namespace win {
namespace {

// Owns a BSTR from the automation library.
class OwnedBstr {
public:
    OwnedBstr() = default;
    ~OwnedBstr() { SysFreeString(value_); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    BSTR* out() { return &value_; }
    const char16_t* units() const { return reinterpret_cast<const char16_t*>(value_); }
    int32_t length() const { return static_cast<int32_t>(SysStringLen(value_)); }

private:
    BSTR value_ = nullptr;
};

}  // namespace
}  // namespace win

// The locale's date form, date part only, in the user's default locale.
bool platformDateText(uint32_t year, uint32_t month, uint32_t day, str::StrBuffer& text) {
    text.clear();
    if (year > 0xFFFF || month > 12 || day > 31)
        return false;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    DATE date = 0;
    if (!SystemTimeToVariantTime(&st, &date))
        return false;
    win::OwnedBstr bstr;
    if (FAILED(VarBstrFromDate(date, LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, bstr.out())))
        return false;
    text.append(bstr.units(), bstr.length());
    return true;
}

}  // namespace s::time
