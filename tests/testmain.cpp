#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    // Number reading must not depend on the user's locale; tests that need another one set it.
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
