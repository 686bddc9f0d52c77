#include "app/CZevSatchelApp.h"
#include "app/ui/CZevApplication.h"
#include "tabula/CLocaleScope.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Answered before Qt starts, so they need no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("ZevSatchel " ZEV_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs("usage: ZevSatchel [--home DIR]\n"
                       "\n"
                       "The beverage distributor's sales-force program for field representatives.\n"
                       "\n"
                       "  --home DIR   installation folder (ZevSatchel.INI, ZevConfig.dat, schema file,\n"
                       "               helper libraries); default: the executable's folder, else the\n"
                       "               installed kit\n"
                       "  --help       show this help and exit\n"
                       "  --version    show the version and exit\n"
                       "\n"
                       "Per-user data: $ZEV_DATA_DIR, else $XDG_DATA_HOME/ZevSatchel.\n",
                       stdout);
            return 0;
        }
    }

    Q_INIT_RESOURCE(ZevSatchel);
    CZevApplication qapp(argc, argv);
    // The toolkit adopted the user's locale; numbers that go to the server,
    // into SQL or into files must keep the C form ("120.00"). What is only
    // shown still follows the user's locale through QLocale.
    tabula::CLocaleScope::ResetProcessNumericLocale();
    QApplication::setApplicationName(QStringLiteral("ZevSatchel"));
    QApplication::setApplicationVersion(QStringLiteral(ZEV_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    CZevSatchelApp app(argc, argv);
    qapp.SetMessageBox(&app.Messages());
    if (!app.InitInstance())
        return 0;
    return app.Run();
}
