// zevsql DBFILE "STATEMENT": runs one statement (server dialect) through
// Tabula and prints the result as a table. Exit 0 on success, 1 when the
// statement fails, 2 for wrong usage or a database that cannot be opened.

#include "tabula/Tabula.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: zevsql DBFILE \"STATEMENT\"\n";
        return 2;
    }
    std::unique_ptr<CVOConnection> connection;
    try {
        connection = std::make_unique<CVOConnection>(std::string("Data Source=") + argv[1]);
    } catch (const TabulaError& e) {
        std::cerr << "zevsql: " << e.what() << "\n";
        return 2;
    }
    CVORecordset rs(connection.get());
    if (!rs.Open(argv[2], adOpenStatic, adLockReadOnly, adCmdText)) {
        std::cerr << "zevsql: " << rs.GetLastError() << "\n";
        return 1;
    }
    tabula::ResultPrinter::Print(rs, std::cout);
    return 0;
}
