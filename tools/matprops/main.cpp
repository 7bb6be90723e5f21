#include <iostream>

#include "tools/matprops/matprops_command.h"

int main(int argc, char* argv[]) {
    return strativex::matprops::RunMatprops({argv + 1, argv + argc}, std::cout, std::cerr);
}
