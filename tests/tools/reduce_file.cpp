// Reduces one file with the engine, exactly as the program's OK button does,
// and prints the output's name: the reference that tests of other builds
// compare with.
//   reduce_file INPUT PERCENTAGE AIRPORT TYPE
#include "flight_plan_reduction.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: reduce_file INPUT PERCENTAGE AIRPORT TYPE\n");
        return 2;
    }
    const ReduceResult result = ReduceFlightPlanFile(argv[1], MakeReduceParameters(argv[2], argv[3], argv[4]));
    std::printf("%s\n", result.outputFileName.c_str());
    return result.succeeded ? 0 : 1;
}
