#include "SatchelApp.h"

#include "tabula/Tabula.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    int rc = satchel::SatchelApp(std::cin, std::cout, std::cerr).Run(args);
    // The pools live until the program ends; close them before it does.
    QueryPool::DestroyAll();
    return rc;
}
