#include "app/CZevSatchelApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    Q_INIT_RESOURCE(ZevSatchel);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZevSatchel"));
    QApplication::setApplicationVersion(QStringLiteral(ZEV_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    CZevSatchelApp app(argc, argv);
    if (!app.InitInstance())
        return 0;
    return app.Run();
}
