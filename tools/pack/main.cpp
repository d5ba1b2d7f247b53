#include "tools/pack/PackCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    return zembra::RunPackCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
