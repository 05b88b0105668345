#include "noargsapplication.h"
#include "product.h"
#include "qtmainform.h"

int main()
{
    static char name[] = "addressrangefinder";
    NoArgsApplication app(name);
    NoArgsApplication::setApplicationVersion(QString::fromUtf8(kProductVersion.data(), kProductVersion.size()));
    // Wayland compositors match the window to its launcher by this id.
    NoArgsApplication::setDesktopFileName(QStringLiteral("org.addressrangefinder.AddressRangeFinder"));

    QtMainForm form;
    form.show();
    return app.exec();
}
