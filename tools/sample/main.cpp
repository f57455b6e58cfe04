// tarnwick-sample: writes the sample project, a small playable game, into a folder.
#include "SampleProject.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return sample::RunSampleTool(args, std::cout, std::cerr);
}
