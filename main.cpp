#include "product.h"
#include "qtmainform.h"

#include <QApplication>

int main()
{
    // The tool takes no command line: Qt sees the program's name alone, so
    // none of its own options (-style, -stylesheet, ...) can take effect.
    static int argc = 1;
    static char name[] = "addressrangefinder";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QString::fromUtf8(kProductVersion.data(), kProductVersion.size()));

    QtMainForm form;
    form.show();
    return app.exec();
}
