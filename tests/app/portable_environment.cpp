// The world of the portable tests: the table zones, a computer in New York (or Tokyo) on a
// summer day, and the pick-up cases against the XML store.
#include <gtest/gtest.h>

#include "persist/xml/mapped_data.h"
#include "tests/app/support/store_cases.h"
#include "tests/app/support/test_zones.h"

namespace s::tests::app {

namespace {

class TableWorld : public testing::Environment {
public:
    void SetUp() override { installTableZones(); }
};

testing::Environment* const world = testing::AddGlobalTestEnvironment(new TableWorld);

map::IMappedData* openXmlStore() {
    return xml::MappedData::take();
}

void discardXmlStore(map::IMappedData* store) {
    store->release();
}

}  // namespace

int32_t expectedPresetCount() {
    return 31;
}

INSTANTIATE_TEST_SUITE_P(Stores, PickUpStoreTest,
                         testing::Values(StoreKind{"Xml", &openXmlStore, &discardXmlStore}),
                         storeKindName);

}  // namespace s::tests::app
