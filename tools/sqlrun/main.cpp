// zevsql DBFILE "STATEMENT": runs one statement (server dialect) through
// Tabula and prints the result as a table. Exit 0 on success, 1 when the
// statement fails, 2 for wrong usage or a database that cannot be opened.

#include "tabula/Tabula.h"

#include "ZevVersion.h"

#include <cstring>
#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << "usage: zevsql DBFILE \"STATEMENT\"\n"
                     "Runs one statement (SQL Server dialect) through Tabula against the database file\n"
                     "and prints the rows of a select as a table.\n"
                     "Exit status: 0 success, 1 the statement failed, 2 usage or the file cannot be opened.\n";
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "zevsql (ZevSatchel) " ZEV_VERSION "\n";
        return 0;
    }
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
