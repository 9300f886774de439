// Entry of the Windows test suite. Each test creates the window, device
// context or memory bitmap it needs; nothing global is set up here.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
