// orvanta-reduce: reduces flight-plan files from the command line, each
// exactly as the window program's OK button would with the same settings, to
// the same output name next to it.
#include "flight_plan_reduction.h"
#include "orvanta_version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

// Characters, not bytes: a UTF-8 continuation byte starts none.
std::size_t CharacterCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Takes what the dialog's field takes: at most `limit` characters.
CLI::Validator AtMostCharacters(std::size_t limit)
{
    return CLI::Validator(
        [limit](std::string& value) {
            return CharacterCount(value) <= limit
                       ? std::string()
                       : "takes at most " + std::to_string(limit) + " characters, as the dialog does: " + value;
        },
        "");
}

const char* Reason(ReduceFailure failure)
{
    switch (failure) {
    case ReduceFailure::CannotReadInput:
        return "cannot be read";
    case ReduceFailure::CannotWriteOutput:
        return "cannot write the result";
    case ReduceFailure::OutputIsInput:
        return "the result would be the input itself";
    case ReduceFailure::NameNotAllowed:
        return "the result's name would hold a character that file names cannot hold";
    case ReduceFailure::None:
        break;
    }
    return "failed";
}

int ReduceFiles(int argc, char** argv)
{
    CLI::App app{"Reduces TTools flight-plan files. Of each FILE it keeps the flight plans shown at PERCENT or less "
                 "that name AIRPORT and are of TYPE, and writes them to a new file next to it, named after the "
                 "settings; an earlier file of that name is overwritten. '#' keeps every airport or both types.",
                 "orvanta-reduce"};
    std::string percentage = "30";
    std::string airport = "#";
    std::string type = "#";
    std::vector<std::string> files;
    app.set_version_flag("--version", "orvanta-reduce " ORVANTA_VERSION);
    app.add_option("-p,--percentage", percentage, "Highest display percentage to keep")
        ->type_name("PERCENT")
        ->check(AtMostCharacters(3))
        ->capture_default_str();
    app.add_option("-a,--airport", airport, "ICAO code of the airport, or # for every airport")
        ->type_name("AIRPORT")
        ->check(AtMostCharacters(4))
        ->capture_default_str();
    app.add_option("-t,--type", type, "Flight type IFR or VFR, or # for both")
        ->type_name("TYPE")
        ->check(CLI::IsMember({"#", "IFR", "VFR"}, CLI::ignore_case))
        ->capture_default_str();
    app.add_option("FILE", files, "Flight-plan files to reduce")->type_name("")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }

    const ReduceParameters parameters = MakeReduceParameters(percentage, airport, type);
    bool allSucceeded = true;
    for (const std::string& file : files) {
        const ReduceResult result = ReduceFlightPlanFile(file, parameters);
        if (result.succeeded) {
            std::printf("%s -> %s: %llu lines read, %llu kept\n", file.c_str(), result.outputFileName.c_str(),
                        static_cast<unsigned long long>(result.linesRead),
                        static_cast<unsigned long long>(result.linesKept));
        } else {
            std::fprintf(stderr, "orvanta-reduce: %s: %s\n", file.c_str(), Reason(result.failure));
            allSucceeded = false;
        }
    }
    return allSucceeded ? 0 : 1;
}

}  // namespace

#ifdef _WIN32
// Windows hands over the arguments as UTF-16, so that any file name arrives
// whole; the program works in UTF-8 and prints in it.
int wmain(int argc, wchar_t* argv[])
{
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(size), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), size, nullptr, nullptr);
        argument.resize(static_cast<std::size_t>(size - 1));
        arguments.push_back(std::move(argument));
    }
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    ::SetConsoleOutputCP(CP_UTF8);
    return ReduceFiles(argc, pointers.data());
}
#else
int main(int argc, char* argv[])
{
    return ReduceFiles(argc, argv);
}
#endif
