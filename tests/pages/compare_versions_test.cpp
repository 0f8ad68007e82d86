#include <gtest/gtest.h>

#include "pages/compare_versions.h"

using quillon::CompareVersions;

TEST(CompareVersions, OrdersFirmwareVersionsAsTheDeviceNamesThem)
{
    EXPECT_EQ(CompareVersions("1.3.4", "1.3.4"), 1);
    EXPECT_EQ(CompareVersions("1.3.4", "1.3.5"), 2);
    EXPECT_EQ(CompareVersions("1.3.4", "1.4"), 2);
    EXPECT_EQ(CompareVersions("1.3.4", "1.3.3"), 0);
    EXPECT_EQ(CompareVersions("1.3.4", "1.3.10"), 0) << "a two-character part counts as lower than \"4\"";
    EXPECT_EQ(CompareVersions("1.3.4", "1.3.4a"), 2) << "letters are digits too";
    EXPECT_EQ(CompareVersions("1.3", "1.3.0"), 1) << "missing parts are 0";
    EXPECT_EQ(CompareVersions("2", "10"), 0) << "parts are left-aligned, not numbers";
}

TEST(CompareVersions, OddTextsNeitherCrashNorOverflow)
{
    EXPECT_EQ(CompareVersions("", ""), 1);
    EXPECT_EQ(CompareVersions("?.?.?", "1.3.4"), 2);
    EXPECT_EQ(CompareVersions("1.3.4.5.6.7", "1.3.4.5"), 1) << "only four parts count";
    EXPECT_EQ(CompareVersions("zzzzzzzzzzzz.9", "zzz.9"), 1) << "only three characters of a part count";
}
