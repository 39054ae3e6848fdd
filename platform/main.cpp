#include "app.h"

int main(int argc, char* argv[])
{
    return AfxWinMain(argc, argv);
}
