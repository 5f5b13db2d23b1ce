#pragma once

#include <gtest/gtest.h>

#include "app/registry.h"

namespace tavomerix {

// A fixture whose tests start from an empty registry and leave none behind.
class FreshRegistry : public testing::Test {
protected:
    void SetUp() override { resetMemoryRegistry(); }
    void TearDown() override { resetMemoryRegistry(); }
};

}  // namespace tavomerix
