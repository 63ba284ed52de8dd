#include <gtest/gtest.h>
TEST(RuntimePlaceholder, Builds) { SUCCEED(); }
