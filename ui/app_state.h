// What the whole program shares: which screen the main window shows, the
// input file last chosen and the output file last written.
#pragma once

#include <string>

enum ScreenState : int {
    SCREEN_WELCOME = 0,
    SCREEN_CHOOSE_FILE = 1,
    SCREEN_DONE = 2,
    SCREEN_FAILED = 3,
    SCREEN_PARAMETERS = 4,
    SCREEN_INFO = 5,
};

extern int g_screen;
extern std::string g_inputPath;
extern std::string g_outputFileName;
