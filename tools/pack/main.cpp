#include "tools/pack/PackCommand.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define ZEMBRA_ISATTY _isatty
#define ZEMBRA_FILENO _fileno
#else
#include <unistd.h>
#define ZEMBRA_ISATTY isatty
#define ZEMBRA_FILENO fileno
#endif

int main(int argc, char** argv) {
    return zembra::RunPackCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                  ZEMBRA_ISATTY(ZEMBRA_FILENO(stderr)) != 0);
}
