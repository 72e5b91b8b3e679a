#include "time/zone_database.h"

#include <atomic>

#include "time/clock.h"
#include "time/platform.h"
#include "time/zone_source.h"

namespace s::time {

namespace {

constexpr const char16_t* kUnknownName = u"UnKnown";

const char16_t* orUnknown(const char16_t* text) {
    return text != nullptr ? text : kUnknownName;
}

class ZoneListBuilder final : public IZoneRecordSink {
public:
    explicit ZoneListBuilder(col::ArrayP& zones) : zones_(zones) {}

    void add(const ZoneRecord& record) override {
        TimeZone* zone = TimeZone::take();
        if (zone == nullptr)
            return;
        RulesBlock block{};
        zone->displayName.setText(orUnknown(record.display));
        zone->standardName.setText(orUnknown(record.standard));
        setRulesName(block.StandardName, zone->standardName.text(), zone->standardName.length());
        zone->daylightName.setText(orUnknown(record.daylight));
        setRulesName(block.DaylightName, zone->daylightName.text(), zone->daylightName.length());
        if (readTzi(record.tzi, record.tziSize, block)) {
            zone->bias = biasEastOf(block.Bias);
            zone->hasDaylight = hasDaylightRules(block);
            zone->daylightInUse = zone->hasDaylight;
        }
        zone->rules = block;
        zones_.add(zone);
    }

private:
    col::ArrayP& zones_;
};

}  // namespace

ZoneDatabase::ZoneDatabase() : zones_(&thread::poolOf<TimeZone>()) {}

ZoneDatabase::~ZoneDatabase() = default;

void ZoneDatabase::load(IZoneRecordSource& records, IClock& clock) {
    thread::Locked guard(loadLock_);
    if (loaded_)
        return;
    readZones(records);
    readComputerZone(clock);
    loaded_.store(true, std::memory_order_release);
}

void ZoneDatabase::readZones(IZoneRecordSource& records) {
    ZoneListBuilder builder(zones_);
    records.readAll(builder);
    zones_.sortAs<TimeZone>([](const TimeZone* a, const TimeZone* b) {
        return a->bias < b->bias ? -1 : (a->bias > b->bias ? 1 : 0);
    });
}

void ZoneDatabase::readComputerZone(IClock& clock) {
    RulesBlock block{};
    const uint32_t code = clock.computerZone(block);
    const int32_t nameLength = rulesNameLength(block.StandardName);

    bool matched = false;
    for (int32_t i = 0; i < count(); ++i) {
        if (zoneAt(i)->standardName.equalsIgnoreCase(block.StandardName, nameLength)) {
            systemZoneIndex_ = i;
            matched = true;
            break;
        }
    }

    if (code != kZoneIdUnknown && systemZoneIndex_ < count()) {
        // Without a match, index 0 names some other zone: its offset says nothing about the
        // computer's clock, so the computer's own standard offset is the reference then.
        const int32_t standardBias =
            matched ? zoneAt(systemZoneIndex_)->bias : biasEastOf(block.Bias);
        systemAdjustsDaylight_ = clock.presentOffsetSeconds() != int64_t{standardBias} * 60;
    }

    if (systemZoneIndex_ < count()) {
        systemZone_.displayName.setStr(zoneAt(systemZoneIndex_)->displayName);
    }
    systemZone_.standardName.setText(block.StandardName, nameLength);
    systemZone_.daylightName.setText(block.DaylightName, rulesNameLength(block.DaylightName));
    systemZone_.bias = biasEastOf(block.Bias);
    systemZone_.hasDaylight = hasDaylightRules(block);
    systemZone_.daylightInUse = systemZone_.hasDaylight;
    if (!systemAdjustsDaylight_) {
        systemZone_.daylightInUse = false;
        block.StandardDate.wMonth = 0;
        block.DaylightDate.wMonth = 0;
    }
    systemZone_.rules = block;
}

const TimeZone* ZoneDatabase::findByStandardName(const char16_t* text, int32_t count) const {
    if (text == nullptr)
        return nullptr;
    for (int32_t i = 0; i < this->count(); ++i) {
        const TimeZone* zone = zoneAt(i);
        if (zone->standardName.equalsIgnoreCase(text, count))
            return zone;
    }
    return nullptr;
}

namespace {

std::atomic<IZoneRecordSource*> installedSource{nullptr};

// Immortal like the pools, so that it stays valid for callers during static destruction.
ZoneDatabase& processDatabase() {
    static ZoneDatabase* const database = new ZoneDatabase();
    return *database;
}

}  // namespace

ZoneDatabase& zoneDatabase() {
    ZoneDatabase& database = processDatabase();
    IZoneRecordSource* source = installedSource.load(std::memory_order_acquire);
    database.load(source != nullptr ? *source : platformZoneRecords(), activeClock());
    return database;
}

const col::ArrayP& allZones() {
    return zoneDatabase().zones();
}

const TimeZone* systemZone() {
    return zoneDatabase().systemZone();
}

const TimeZone* findByStandardName(const char16_t* text, int32_t count) {
    return zoneDatabase().findByStandardName(text, count);
}

bool systemAdjustsDaylight() {
    return zoneDatabase().systemAdjustsDaylight();
}

int32_t systemZoneIndex() {
    return zoneDatabase().systemZoneIndex();
}

bool setZoneRecordSource(IZoneRecordSource* source) {
    if (processDatabase().loaded())
        return false;
    installedSource.store(source, std::memory_order_release);
    return true;
}

}  // namespace s::time
