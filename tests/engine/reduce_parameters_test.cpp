#include "flight_plan_reduction.h"

#include <gtest/gtest.h>

namespace {

struct ParameterCase {
    const char* percentage;
    const char* airport;
    const char* type;
    std::int32_t maxPercentage;
    const char* upperAirport;
    const char* upperType;
};

TEST(MakeReduceParameters, ReadsPercentageLikeAtoiAndUpperCasesTheRest)
{
    const ParameterCase cases[] = {
        {"30", "#", "#", 30, "#", "#"},
        {"5%", "eddf", "ifr", 5, "EDDF", "IFR"},
        {" 7", "KjFk", "Vfr", 7, "KJFK", "VFR"},
        {"\t\n+12x", "", "#", 12, "", "#"},
        {"-1", "ed1f", "#", -1, "ED1F", "#"},
        {"abc", "#", "#", 0, "#", "#"},
        {"", "#", "#", 0, "#", "#"},
        {"-", "#", "#", 0, "#", "#"},
        {"+", "#", "#", 0, "#", "#"},
        {"- 5", "#", "#", 0, "#", "#"},
        {"2147483647", "#", "#", 2147483647, "#", "#"},
        {"2147483648", "#", "#", -2147483647 - 1, "#", "#"},
        {"4294967297", "#", "#", 1, "#", "#"},
        {"-2147483649", "#", "#", 2147483647, "#", "#"},
        {"99999999999999999999", "#", "#", 1661992959, "#", "#"},
        {"\xC3\xA4", "\xC3\xA4h", "#", 0, "\xC3\xA4H", "#"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "percentage \"" << c.percentage << "\", airport \"" << c.airport << '"');
        const ReduceParameters p = MakeReduceParameters(c.percentage, c.airport, c.type);
        EXPECT_EQ(p.percentageText, c.percentage);
        EXPECT_EQ(p.maxPercentage, c.maxPercentage);
        EXPECT_EQ(p.airport, c.upperAirport);
        EXPECT_EQ(p.flightType, c.upperType);
    }
}

struct NameCase {
    const char* input;
    const char* percentage;
    const char* airport;
    const char* type;
    const char* expected;
};

TEST(MakeOutputFileName, CarriesTheSettingsNextToTheInput)
{
    const NameCase cases[] = {
        {"/traffic/plans.txt", "30", "#", "#", "/traffic/plans_30%_.txt"},
        {"/traffic/plans.txt", "30", "kjfk", "#", "/traffic/plans_30%_KJFK.txt"},
        {"/traffic/plans.txt", "30", "#", "IFR", "/traffic/plans_30%_IFR.txt"},
        {"/traffic/plans.txt", "30", "KJFK", "VFR", "/traffic/plans_30%_KJFK_VFR.txt"},
        {"/traffic/plans.txt", "30", "eddf", "ifr", "/traffic/plans_30%_EDDF_IFR.txt"},
        {"/a/plans.dat", "30", "#", "#", "/a/plans_30%_.txt"},
        {"/a/flights", "30", "#", "#", "/a/fli_30%_.txt"},
        {"abc", "30", "#", "#", "_30%_.txt"},
        {"", "30", "#", "#", "_30%_.txt"},
        {"/a/plans.txt", "", "#", "#", "/a/plans_%_.txt"},
        {"/a/plans.txt", "ab", "#", "#", "/a/plans_ab%_.txt"},
        {"/a/plans.txt", " 7", "#", "#", "/a/plans_ 7%_.txt"},
        {"/a/plans.txt", "30", "", "#", "/a/plans_30%_.txt"},
        {"/a/plans.txt", "30", "", "IFR", "/a/plans_30%__IFR.txt"},
        {"/a/plans.txt", "30", "a?*", "#", "/a/plans_30%_A?*.txt"},
        {"/a/plans.txt", "30", "x/y", "#", "/a/plans_30%_X/Y.txt"},
        {"/a/fl\xC3\xBCge", "30", "#", "#", "/a/f_30%_.txt"},
        {"/x/dir/dat\xB0\xB0\xB0\xB0", "30", "#", "#", "/x/dir/dat_30%_.txt"},
        {"/x/dir/d\xC3\xA4t\xC3", "30", "#", "#", "/x/dir/_30%_.txt"},
        {"/x/dir/\xE0\x80\x80\xED\xA0\x80", "30", "#", "#", "/x/dir/\xE0\x80_30%_.txt"},
        {"/x/dir/ab", "30", "#", "#", "/x/dir/_30%_.txt"},
        {"/x/dir/", "30", "#", "#", "/x/dir/_30%_.txt"},
        {"/abc", "30", "#", "#", "/_30%_.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.input << " " << c.percentage << " " << c.airport << " " << c.type);
        EXPECT_EQ(MakeOutputFileName(c.input, MakeReduceParameters(c.percentage, c.airport, c.type)), c.expected);
    }
}

}  // namespace
