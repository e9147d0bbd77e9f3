// A test fixture that fails a test whose GDI objects or GL contexts outlive
// it.
#pragma once

#include <gtest/gtest.h>

#include "platform/linux/PlatformDiagnostics.h"

namespace quorvel::test {

class LeakCheckedTest : public ::testing::Test {
protected:
    void SetUp() override {
        gdiObjects = platform::LiveGdiObjects().Total();
        glContexts = platform::LiveGlContexts();
    }
    void TearDown() override {
        EXPECT_EQ(platform::LiveGdiObjects().Total(), gdiObjects) << "GDI objects leaked";
        EXPECT_EQ(platform::LiveGlContexts(), glContexts) << "GL contexts leaked";
    }

private:
    int gdiObjects = 0;
    int glContexts = 0;
};

}  // namespace quorvel::test
