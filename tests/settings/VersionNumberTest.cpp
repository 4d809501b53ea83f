#include "settings/VersionNumber.h"

#include <gtest/gtest.h>

namespace listrion::settings {
namespace {

TEST(VersionNumber, TheFirstDifferingOfThreePartsDecides)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    for (const Case& c : {Case{"2.1.29", "2.1.30", -1},
                          {"2.1.29", "2.1.29", 0},
                          {"2.1.29", "2.0.99", 1},
                          {"2.9.9", "3", -1},
                          {"3", "3.0.0", 0},
                          {"2.1.29", "2.1.29.5", 0},
                          {"2.1.29", "2.1.29.5.9", 0},
                          {"1.10.0", "1.9.9", 1},
                          {"2.1.29", " 2.1.30 ", -1},
                          {"0.0.0", "garbage", 0},
                          {"0.0.0", "", 0},
                          {"2.1.3", "2.1b.3x", 0},
                          {"1.0.0", "0.99999999999999999999999.0", 1},
                          {"2.0", "1.x.5", 1}}) {
        EXPECT_EQ(CompareVersions2(c.a, c.b), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(CompareVersions2(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
    }
    EXPECT_EQ(VersionNumber::parse("3").dotted(), "3.0.0");
    EXPECT_EQ(VersionNumber::parse(" 2.1.29.5").dotted(), "2.1.29");
}

} // namespace
} // namespace listrion::settings
