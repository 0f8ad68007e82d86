// A name for a test's temporary folder that no other test uses, and no other
// run of the same test at the same time (ctest runs programs side by side,
// and two checkouts may test at once).
#pragma once

#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

inline std::string test_folder_name(const std::string& prefix)
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return prefix + info->test_suite_name() + "-" + info->name() + "-" + std::to_string(getpid());
}
