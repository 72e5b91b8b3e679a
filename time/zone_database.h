#pragma once

#include <atomic>
#include <cstdint>

#include "base/array.h"
#include "base/obj_locker.h"
#include "time/time_zone.h"

namespace s::time {

class IClock;
class IZoneRecordSource;

// The zone database: every entry of a source as a TimeZone, sorted by offset (stable, so
// entries of equal offset keep the source's order), the entry that matches the computer's
// zone, the computer's own zone record and whether the computer's clock runs on daylight
// time now. Built once; afterwards nothing changes and it is read without locking.
class ZoneDatabase {
public:
    ZoneDatabase();
    // Gives the records back to the TimeZone pool.
    ~ZoneDatabase();
    ZoneDatabase(const ZoneDatabase&) = delete;
    ZoneDatabase& operator=(const ZoneDatabase&) = delete;

    // Builds the database from `records` and the computer facts of `clock`, under the load
    // lock; does nothing when it is already loaded.
    void load(IZoneRecordSource& records, IClock& clock);
    bool loaded() const { return loaded_.load(std::memory_order_acquire); }

    // TimeZone* elements, owned by the database.
    const col::ArrayP& zones() const { return zones_; }
    int32_t count() const { return zones_.count(); }
    const TimeZone* zoneAt(int32_t i) const { return zones_.getAs<TimeZone>(i); }
    // The first zone in list order whose standardName equals `text` ignoring ASCII case
    // (count -1: to the terminator); nullptr when none does.
    const TimeZone* findByStandardName(const char16_t* text, int32_t count = -1) const;
    // Index of the zone matching the computer's zone; 0 when none does. Meaningful only
    // while below count().
    int32_t systemZoneIndex() const { return systemZoneIndex_; }
    // The computer's clock runs on a daylight offset at load time.
    bool systemAdjustsDaylight() const { return systemAdjustsDaylight_; }
    // The computer's own zone; without daylight in force its rules carry no transitions.
    const TimeZone* systemZone() const { return &systemZone_; }

private:
    void readZones(IZoneRecordSource& records);
    void readComputerZone(IClock& clock);

    thread::ObjLocker loadLock_;
    std::atomic<bool> loaded_{false};
    col::ArrayP zones_;
    int32_t systemZoneIndex_ = 0;
    bool systemAdjustsDaylight_ = false;
    TimeZone systemZone_;
};

// The process's database, loaded on first use from the installed source (the platform's
// by default) and the active clock. Every entry point loads under the lock when needed.
ZoneDatabase& zoneDatabase();
const col::ArrayP& allZones();
const TimeZone* systemZone();
const TimeZone* findByStandardName(const char16_t* text, int32_t count = -1);
bool systemAdjustsDaylight();
int32_t systemZoneIndex();

// Replaces the platform's source for the process's database (not owned; nullptr restores
// the platform's). Only before the first load: returns false afterwards.
bool setZoneRecordSource(IZoneRecordSource* source);

}  // namespace s::time
