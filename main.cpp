#include "noargsapplication.h"
#include "product.h"
#include "qtconvert.h"
#include "qtmainform.h"

int main()
{
    static char name[kProgramName.size() + 1] = {};
    kProgramName.copy(name, kProgramName.size());
    NoArgsApplication app(name);
    NoArgsApplication::setApplicationVersion(toQString(kProductVersion));
    // Wayland compositors match the window to its launcher by this id.
    NoArgsApplication::setDesktopFileName(toQString(kDesktopId));

    QtMainForm form;
    form.show();
    return app.exec();
}
