// projdata: reads and writes every file of a project without a user interface.
#include "ProjectTool.h"


#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunProjectTool(args, std::cout, std::cerr);
}
