#pragma once

#include <string>
#include <vector>

// Reads a table reply back the way the program's table reader does, written from the format's rules
// and not from the server's writer, so a test catches a writer that drifts from them.
struct ReadTable {
    std::string name;
    std::vector<std::string> columns;
    long announced = -1;
    std::vector<std::vector<std::string>> rows; // lines with the right number of values
    int skipped = 0;                            // lines with another number of values
};

ReadTable ReadTableText(const std::string& text);
