// What the window draws: every text readable against what is behind it,
// in light, dark and high-contrast palettes, and cell borders in whole
// device pixels at every scale (run again at each by CTest).
#include "cellborder.h"
#include "celllabel.h"
#include "contrast.h"
#include "qtmainform.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOption>
#include <QtTest>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

// Where each text of the window is drawn, in the window's coordinates; the
// cells' fixed colours are left out.
QList<std::pair<QString, QRect>> textAreas(const QtMainForm& form)
{
    QList<std::pair<QString, QRect>> areas;
    const auto add = [&](const QWidget* widget, const QRect& local) {
        areas.append({widget->objectName(), QRect(widget->mapTo(&form, local.topLeft()), local.size())});
    };
    for (const QLabel* label : form.findChildren<QLabel*>())
        if (!qobject_cast<const CellLabel*>(label))
            add(label, label->rect());
    for (const QRadioButton* button : form.findChildren<QRadioButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        add(button, button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button));
    }
    for (const QGroupBox* frame : form.findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = frame->alignment();
        add(frame, frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame));
    }
    for (const QLineEdit* box : form.findChildren<QLineEdit*>())
        add(box, box->rect().adjusted(3, 3, -3, -3));
    return areas;
}

} // namespace

class QtDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void textContrast_data();
    void textContrast();
    void cellBorders();
};

void QtDrawingTest::textContrast_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("light theme") << QApplication::palette();
    // As GNOME's Adwaita dark or a dark qt6ct scheme hands it to Qt.
    QPalette dark;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, QColor(0x35, 0x35, 0x35)}, {QPalette::WindowText, Qt::white},
        {QPalette::Base, QColor(0x2a, 0x2a, 0x2a)},   {QPalette::Text, Qt::white},
        {QPalette::Button, QColor(0x35, 0x35, 0x35)}, {QPalette::ButtonText, Qt::white}};
    for (const auto& [role, color] : roles)
        dark.setColor(role, color);
    QTest::newRow("dark theme") << dark;
}

// Every text but the cells' fixed colours stands out at least 4.5:1 from
// what is behind it, as drawn.
void QtDrawingTest::textContrast()
{
    QFETCH(QPalette, palette);
    const QPalette original = QApplication::palette();
    QApplication::setPalette(palette);
    {
        QtMainForm form;
        const QImage image = form.grab().toImage();
        double lowest = 100.0;
        QString lowestName;
        for (const auto& [name, area] : textAreas(form)) {
            const double ratio = Contrast::rendered(area.left(), area.top(), area.right() + 1, area.bottom() + 1,
                                                    [&](int x, int y) {
                                                        const QRgb c = image.pixel(x, y);
                                                        return Contrast::Rgb8{qRed(c), qGreen(c), qBlue(c)};
                                                    });
            if (ratio < lowest)
                std::tie(lowest, lowestName) = std::make_pair(ratio, name);
        }
        qInfo("lowest text contrast %.2f:1 (%s)", lowest, qPrintable(lowestName));
        QVERIFY2(lowest >= 4.5, qPrintable(QStringLiteral("%1 at %2:1").arg(lowestName).arg(lowest)));
    }
    QApplication::setPalette(original);
}

// Run at several scales (QT_SCALE_FACTOR) by the test suite.
void QtDrawingTest::cellBorders()
{
    QtMainForm form;
    const QImage image = form.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const auto pixel = [&](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return Contrast::Rgb8{qRed(c), qGreen(c), qBlue(c)};
    };
    for (int group = 0; group < 6; ++group) {
        std::array<CellBorder::Box, 4> boxes;
        for (int i = 0; i < 4; ++i) {
            const CellLabel* cell = form.cell(static_cast<std::int16_t>(23 - 4 * group - i));
            const QPoint origin = cell->mapTo(&form, QPoint(0, 0)) * ratio;
            boxes[static_cast<std::size_t>(i)] = {origin.x(), origin.y(), origin.x() + static_cast<int>(cell->width() * ratio),
                                                  origin.y() + static_cast<int>(cell->height() * ratio)};
        }
        const std::string wrong = CellBorder::groupFault(boxes, {0, 0, 0}, {192, 192, 192}, pixel);
        QVERIFY2(wrong.empty(), qPrintable(QStringLiteral("group %1 at scale %2: %3").arg(group).arg(ratio).arg(
                                    QString::fromStdString(wrong))));
        for (const CellBorder::Box& box : boxes) // the digit drawn in the middle
            QVERIFY(std::abs(CellBorder::textOffset(box, {0, 0, 0}, {192, 192, 192}, pixel)) <= ratio);
    }
}

QTEST_MAIN(QtDrawingTest)
#include "qtdrawing_test.moc"
