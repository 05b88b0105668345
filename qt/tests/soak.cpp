// Soak: drives the real Qt window with random clicks, double clicks and mode
// switches, through Qt's own event delivery, and after every event compares
// the whole window with a bit-mask model. Prints its rate, the mismatches
// and how resident memory grew after the first 10,000 events.
//
//   qt_soak [EVENTS] [SEED]      (QT_QPA_PLATFORM=offscreen)
#include "celllabel.h"
#include "noargsapplication.h"
#include "qtmainform.h"
#include "referencemodel.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <random>

#include <unistd.h>

namespace {

constexpr long kWarmUpEvents = 10000;

long residentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

QPoint centreInWindow(const QtMainForm& form, const QWidget* widget)
{
    return widget->mapTo(&form, widget->rect().center());
}

// Everything the user can see of the pattern, numbering, mode and result.
int countMismatches(const QtMainForm& form, const ReferenceModel& ref, long event)
{
    int mismatches = 0;
    const auto expect = [&](bool same, const char* what, int bit) {
        if (!same && ++mismatches <= 3)
            std::fprintf(stderr, "event %ld: %s %d differs\n", event, what, bit);
    };
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
        const CellLabel* cell = form.cell(bit);
        const Rgb color = ref.color(bit);
        expect(cell->text().toStdString() == ref.text(bit), "cell", bit);
        expect(cell->palette().color(QPalette::WindowText) == QColor(color.red, color.green, color.blue), "colour", bit);
        expect(form.bitCaption(bit)->text().toStdString() == ref.caption(bit), "caption", bit);
    }
    for (std::int16_t mode = 0; mode < 2; ++mode)
        expect(form.optionMode(mode)->isChecked() == (ref.standardNumbering == (mode == 0)), "mode button", mode);
    expect(form.textHexMin()->text().toStdString() == ref.minimum(), "minimum box", 0);
    expect(form.textHexMax()->text().toStdString() == ref.maximum(), "maximum box", 0);
    return mismatches;
}

} // namespace

int main(int argc, char** argv)
{
    const long events = argc > 1 ? std::atol(argv[1]) : 1000000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : std::random_device{}();
    std::printf("seed %u, %ld events\n", seed, events);

    static char name[] = "qt_soak";
    NoArgsApplication app(name);
    QtMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 2;
    QWindow* window = form.windowHandle();

    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> anyBit(0, kAddressBitCount - 1);
    ReferenceModel ref;
    long mismatches = 0;
    long warmResident = residentKiB();
    QElapsedTimer timer;
    timer.start();
    for (long event = 0; event < events; ++event) {
        const int roll = pick(rng);
        if (roll < 80) {
            const int bit = anyBit(rng);
            QTest::mouseClick(window, Qt::LeftButton, {}, centreInWindow(form, form.cell(static_cast<std::int16_t>(bit))));
            ref.click(bit);
        } else if (roll < 90) {
            const int bit = anyBit(rng);
            QTest::mouseDClick(window, Qt::LeftButton, {}, centreInWindow(form, form.cell(static_cast<std::int16_t>(bit))));
            ref.click(bit); // a double click is one step
        } else {
            const std::int16_t mode = static_cast<std::int16_t>(roll % 2);
            QTest::mouseClick(window, Qt::LeftButton, {}, centreInWindow(form, form.optionMode(mode)));
            ref.standardNumbering = mode == 0;
        }
        mismatches += countMismatches(form, ref, event);
        if (event + 1 == kWarmUpEvents)
            warmResident = residentKiB();
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const long growth = residentKiB() - warmResident;

    std::printf("%.0f events/s over %.1f s\n", static_cast<double>(events) / seconds, seconds);
    std::printf("mismatches: %ld\n", mismatches);
    std::printf("resident growth after event %ld: %ld KiB\n", kWarmUpEvents, growth);
    return mismatches == 0 && growth < 1024 ? 0 : 1;
}
