#pragma once

#include <cstdint>

#include "time/rules_block.h"

// A small zone database for the portable tests (the preset's 31 zones and one more) and
// the computers the tests run on, so that results do not depend on the machine.
namespace s::tests::app {

// 2026-07-01 12:00:00 UTC: summer in the north, daylight time in New York.
int64_t summerMoment();

// The rules block of a table zone by standard name (zeroed when the table lacks it).
time::RulesBlock tableRules(const char16_t* standardName);

// Which computer this run simulates, from TELLAVO_TEST_COMPUTER: "tokyo" or (default)
// "newyork".
enum class TestComputer { kNewYork, kTokyo };
TestComputer testComputer();

// Installs the table as the process's zone database and a clock that reads summerMoment()
// on the chosen computer. Before anything loads the database.
void installTableZones();

}  // namespace s::tests::app
