// The Windows test programs link with -municode like the program itself, so the C runtime
// starts them through wmain; GoogleTest's own gtest_main only has main.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
