#pragma once

#include <cstdint>

namespace s::digest {

// Consumes bytes and yields a fixed-size digest.
class IDigester {
public:
    virtual ~IDigester() = default;
    virtual void restart() = 0;
    virtual void update(const void* data, int32_t count) = 0;
    virtual int32_t digestSize() const = 0;
    // Writes digestSize() bytes and restarts.
    virtual void finish(uint8_t* out) = 0;
};

class Md5 : public IDigester {
public:
    Md5() { restart(); }
    void restart() override;
    void update(const void* data, int32_t count) override;
    int32_t digestSize() const override { return 16; }
    void finish(uint8_t* out) override;

private:
    void block(const uint8_t* data);

    uint32_t state_[4];
    uint64_t byteCount_;
    uint8_t pending_[64];
};

}  // namespace s::digest
