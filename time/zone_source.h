#pragma once

#include <cstdint>

// Where the zone database's entries come from: the registry on Windows, a table in tests.
namespace s::time {

// One database entry as its source holds it. A nullptr text is a missing (or unreadable)
// value; `tzi` nullptr is a missing "TZI" value. Everything is borrowed for the duration
// of the sink's add() call only.
struct ZoneRecord {
    const char16_t* display;
    const char16_t* standard;
    const char16_t* daylight;
    const uint8_t* tzi;
    int32_t tziSize;
};

class IZoneRecordSink {
public:
    virtual ~IZoneRecordSink() = default;
    virtual void add(const ZoneRecord& record) = 0;
};

class IZoneRecordSource {
public:
    virtual ~IZoneRecordSource() = default;
    // Hands every entry to `sink`, in the source's own stable order.
    virtual void readAll(IZoneRecordSink& sink) = 0;
};

// A source over a caller's table (not owned; it must outlive the source).
class TableZoneSource final : public IZoneRecordSource {
public:
    TableZoneSource(const ZoneRecord* records, int32_t count) : records_(records), count_(count) {}
    void readAll(IZoneRecordSink& sink) override {
        for (int32_t i = 0; i < count_; ++i)
            sink.add(records_[i]);
    }

private:
    const ZoneRecord* records_;
    int32_t count_;
};

}  // namespace s::time
