#include "flight_plan_reduction.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kPlan =
    "AC#12,D-ABCD,25%,WEEK,IFR,08:00,09:00,100,F,123,EDDF,10:00,11:00,100,F,124,EDDM";

TEST(FlightPlanPercentage, ReadsTheThirdFieldEvenFromShortLines)
{
    const struct {
        const char* line;
        std::int32_t value;
    } cases[] = {
        {kPlan, 25},
        {"AC#1,X,100%,WEEK", 100},
        {"AC#1,X, 7%,WEEK", 7},
        {"AC#1,X,-3%,WEEK", -3},
        {"AC#1,X,x5%,WEEK", 0},
        {"AC#1,X,,WEEK", 0},
        {"AC#1,X,4294967301%,WEEK", 5},
        {"", 0},
        {"no comma at all 55", 0},
        {"AC#12,X", 0},
        {"42abc,X", 42},
        {",X", 0},
        {"AC#1,X,25%", 0},
        {"AC#1,X,25%,", 25},
        {",,,", 0},
        {",,9,", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(FlightPlanPercentage(c.line), c.value);
    }
}

TEST(KeepFlightPlanLine, TestsPercentageAirportAndTypeOnTheFirstOccurrence)
{
    const struct {
        const char* line;
        const char* percentage;
        const char* airport;
        const char* type;
        bool kept;
    } cases[] = {
        {kPlan, "30", "#", "#", true},
        {kPlan, "25", "#", "#", true},
        {kPlan, "24", "#", "#", false},
        {kPlan, "30", "EDDM", "IFR", true},
        {kPlan, "30", "LOWW", "#", false},
        {kPlan, "30", "#", "VFR", false},
        {kPlan, "30", "eddf", "ifr", true},
        {kPlan, "30", "", "#", false},
        {kPlan, "-1", "#", "#", false},
        {"", "30", "#", "#", false},
        {"", "30", "", "", false},
        {"AC12,X,5%,IFR,EDDF", "30", "#", "#", false},
        {"#C#12,X,5%,IFR,EDDF", "30", "#", "#", false},
        {"EDDF,AC#1,5%,IFR,EDDF", "30", "EDDF", "#", false},
        {"IFR,AC#1,5%,IFR", "30", "#", "IFR", false},
        {"AC#1,X,5%,ifr,eddf", "30", "EDDF", "#", false},
        {"AC#1,X,x5%,IFR", "0", "#", "#", true},
        {"ZZ#,IFR EDDF", "0", "EDDF", "IFR", true},
        {"AC#1,X,0%,IFR", "0", "#", "#", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.line << "\" " << c.percentage << " " << c.airport << " " << c.type);
        EXPECT_EQ(KeepFlightPlanLine(c.line, MakeReduceParameters(c.percentage, c.airport, c.type)), c.kept);
    }
}

}  // namespace
