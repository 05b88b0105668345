// Latency of one real click on a cell: from the mouse press entering Qt's
// event system until both boxes hold the new addresses. Prints the median
// and the 99th percentile over 10,000 clicks.
//
//   click_latency [CLICKS]       (QT_QPA_PLATFORM=offscreen)
#include "celllabel.h"
#include "noargsapplication.h"
#include "qtmainform.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    const int clicks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    static char name[] = "click_latency";
    NoArgsApplication app(name);
    QtMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 2;
    QWindow* window = form.windowHandle();

    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(clicks));
    QElapsedTimer timer;
    int unchanged = 0;
    for (int i = 0; i < clicks; ++i) {
        // Bit 23 steps "0" -> "1" -> "X": each click changes at least one box.
        const QPoint centre = form.cell(23)->mapTo(&form, form.cell(23)->rect().center());
        const QString before = form.textHexMin()->text() + form.textHexMax()->text();
        timer.start();
        QTest::mousePress(window, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(window, Qt::LeftButton, {}, centre);
        const qint64 elapsed = timer.nsecsElapsed();
        if (form.textHexMin()->text() + form.textHexMax()->text() == before)
            ++unchanged;
        micros.push_back(static_cast<double>(elapsed) / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) { return micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))]; };
    std::printf("%d clicks: median %.1f us, 99th percentile %.1f us, max %.1f us\n", clicks, at(0.5), at(0.99),
                micros.back());
    if (unchanged)
        std::printf("%d clicks left the boxes unchanged\n", unchanged);
    return unchanged == 0 ? 0 : 1;
}
