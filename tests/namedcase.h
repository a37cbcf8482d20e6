#pragma once

#include <gtest/gtest.h>
#include <string>

namespace tallyfen::testing {

// Names a value-parameterised row after its `name` field, so a failure says which case it was.
struct CaseName
{
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return info.param.name;
    }
};

} // namespace tallyfen::testing
