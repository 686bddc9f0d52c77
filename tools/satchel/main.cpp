#include "SatchelApp.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return satchel::SatchelApp(std::cin, std::cout, std::cerr).Run(args);
}
