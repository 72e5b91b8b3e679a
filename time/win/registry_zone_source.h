#pragma once

#include <cstdint>

#include "persist/reg/reg_types.h"
#include "time/zone_source.h"

namespace s::time::win {

// The operating system's time-zone key under HKEY_LOCAL_MACHINE.
inline constexpr const char16_t* kZonesPath =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// The zone entries of a registry key laid out like the time-zone key: one per direct
// subkey in enumeration order, with its "Display", "Std", "Dlt" and "TZI" values. Texts
// are REG_SZ or REG_EXPAND_SZ (expanded); other types read as missing. An unreadable key
// gives no entries.
class RegistryZoneSource final : public IZoneRecordSource {
public:
    explicit RegistryZoneSource(uint32_t root = reg::kLocalMachine,
                                const char16_t* path = kZonesPath)  // not owned
        : root_(root), path_(path) {}

    void readAll(IZoneRecordSink& sink) override;

private:
    uint32_t root_;
    const char16_t* path_;
};

}  // namespace s::time::win
