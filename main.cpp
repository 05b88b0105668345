#include "noargsapplication.h"
#include "product.h"
#include "qtmainform.h"

int main()
{
    static char name[] = "addressrangefinder";
    NoArgsApplication app(name);
    NoArgsApplication::setApplicationVersion(QString::fromUtf8(kProductVersion.data(), kProductVersion.size()));

    QtMainForm form;
    form.show();
    return app.exec();
}
