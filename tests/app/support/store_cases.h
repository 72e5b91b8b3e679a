#pragma once

#include <gtest/gtest.h>

#include <cstdint>

namespace s::map {
class IMappedData;
}

namespace s::tests::app {

// A kind of settings store the pick-up list cases run against.
struct StoreKind {
    const char* name;
    // A fresh, empty store.
    map::IMappedData* (*open)();
    // Removes whatever the store holds from its medium, then releases it.
    void (*discard)(map::IMappedData* store);
};

class PickUpStoreTest : public testing::TestWithParam<StoreKind> {
protected:
    void SetUp() override;
    void TearDown() override;

    map::IMappedData* store = nullptr;
};

std::string storeKindName(const testing::TestParamInfo<StoreKind>& info);

// How many preset places this program's zone database has (it names them all, or not).
int32_t expectedPresetCount();

}  // namespace s::tests::app
