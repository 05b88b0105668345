#include "cellborder.h"
#include "celllabel.h"
#include "contrast.h"
#include "focus.h"
#include "layout.h"
#include "qtmainform.h"
#include "referencemodel.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOption>
#include <QtTest>

#include <cmath>
#include <tuple>

namespace {

const QColor kBlue(0, 0, 255);

QColor textColor(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

QStringList captions(const QtMainForm& form)
{
    QStringList texts;
    for (int bit = kAddressBitCount - 1; bit >= 0; --bit)
        texts << form.bitCaption(static_cast<std::int16_t>(bit))->text();
    return texts;
}

QStringList cellTexts(const QtMainForm& form)
{
    QStringList texts;
    for (int bit = kAddressBitCount - 1; bit >= 0; --bit)
        texts << form.cell(static_cast<std::int16_t>(bit))->text();
    return texts;
}

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

// The captions as the window opens, bit 23 first.
QStringList startCaptions()
{
    QStringList texts;
    for (int bit = kAddressBitCount - 1; bit >= 0; --bit)
        texts << QString::fromStdString(ReferenceModel().caption(bit));
    return texts;
}

} // namespace

class QtMainFormTest : public QObject {
    Q_OBJECT

private slots:
    void startsInTheSameState();
    void pressDraggedOffCellIsNoClick();
    void tabOrderSkipsCellsAndCaptions();
    void tabKeysVisitEveryStop_data();
    void tabKeysVisitEveryStop();
    void clickedCellDoesNotTakeFocus();
    void refusesToGrow_data();
    void refusesToGrow();
    void widgetsFollowTheTable_data();
    void widgetsFollowTheTable();
    void accessibleCells_data();
    void accessibleCells();
    void accessibleBoxesAndCaptions();
    void boxTextQueries_data();
    void boxTextQueries();
    void textContrast_data();
    void textContrast();
    void cellBorders();
};

void QtMainFormTest::startsInTheSameState()
{
    QtMainForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Address range finder"));
    QCOMPARE(cellTexts(form), QStringList(kAddressBitCount, QStringLiteral("0")));
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit)
        QCOMPARE(textColor(form.cell(bit)), kBlue);
    QCOMPARE(captions(form), startCaptions());
    QVERIFY(form.optionMode(1)->isChecked());
    QVERIFY(!form.optionMode(0)->isChecked());
    QCOMPARE(form.textHexMin()->text(), QStringLiteral("0x0"));
    QCOMPARE(form.textHexMax()->text(), QStringLiteral("0x0"));
    QVERIFY(form.textHexMin()->isReadOnly());
    QCOMPARE(form.textHexMin()->palette().color(QPalette::Text), kBlue);
    QVERIFY(!form.windowIcon().isNull());
}

void QtMainFormTest::pressDraggedOffCellIsNoClick()
{
    QtMainForm form;
    CellLabel* cell = form.cell(4);
    QTest::mousePress(cell, Qt::LeftButton);
    QTest::mouseRelease(cell, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(cell->text(), QStringLiteral("0"));
    QTest::mouseClick(cell, Qt::RightButton);
    QCOMPARE(cell->text(), QStringLiteral("0"));
}

void QtMainFormTest::tabOrderSkipsCellsAndCaptions()
{
    QtMainForm form;
    const QList<QWidget*> order{form.optionMode(0), form.optionMode(1), form.textHexMin(), form.textHexMax()};
    QWidget* w = order.first();
    for (QWidget* expected : order) {
        QCOMPARE(w, expected);
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
    }
    QCOMPARE(w, order.first());
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
        QCOMPARE(form.cell(bit)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(form.bitCaption(bit)->focusPolicy(), Qt::NoFocus);
    }
}

void QtMainFormTest::tabKeysVisitEveryStop_data()
{
    QTest::addColumn<bool>("backwards");
    QTest::newRow("Tab") << false;
    QTest::newRow("Shift+Tab") << true;
}

// Real key presses from a fresh start on the selected mode button: four
// stops, round again, and no mode selected on the way; a box tabbed onto
// has its whole text selected, and Ctrl+C copies the address.
void QtMainFormTest::tabKeysVisitEveryStop()
{
    QFETCH(bool, backwards);
    QtMainForm form;
    QTest::mouseClick(form.cell(23), Qt::LeftButton);
    QTest::mouseClick(form.cell(23), Qt::LeftButton); // 0x0 to 0x800000
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const QList<QWidget*> order{form.optionMode(0), form.optionMode(1), form.textHexMin(), form.textHexMax()};
    QCOMPARE(QApplication::focusWidget(), order.at(1));
    for (int press = 1; press <= 8; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(QApplication::focusWidget(), order.at((backwards ? 5 - press % 4 : press + 1) % 4));
        if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            QCOMPARE(box->selectedText(), Focus::kSelectAllOnTab ? box->text() : QString());
            QGuiApplication::clipboard()->clear();
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(), box->text());
        }
    }
    QVERIFY(form.optionMode(1)->isChecked());
    QCOMPARE(captions(form), startCaptions());
}

void QtMainFormTest::clickedCellDoesNotTakeFocus()
{
    QtMainForm form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.textHexMax()->setFocus();
    QTest::mouseClick(form.cell(12), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), form.textHexMax());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.optionMode(0));
}

void QtMainFormTest::refusesToGrow_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("maximize button of Qt's Wayland title bar") << Qt::WindowMaximized;
    QTest::newRow("full screen") << Qt::WindowFullScreen;
}

// What a title bar's button asks of the window, not of the widget.
void QtMainFormTest::refusesToGrow()
{
    QFETCH(Qt::WindowState, state);
    QtMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize designed = form.size();
    form.windowHandle()->setWindowStates(state);
    QTRY_COMPARE(form.windowHandle()->windowStates(), Qt::WindowNoState);
    QCOMPARE(form.size(), designed);
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
}

void QtMainFormTest::widgetsFollowTheTable_data()
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < Layout::kWidgets.size(); ++i) {
        const Layout::WidgetSpec& design = Layout::kWidgets[i];
        const QString name = QString::fromUtf8(Layout::widgetName(design.name).data(),
                                               static_cast<int>(Layout::widgetName(design.name).size()));
        const QString tag = design.index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(design.index);
        QTest::newRow(qPrintable(tag)) << static_cast<int>(i);
    }
}

// Every widget where the table puts it, in the font it names (or the
// look-alike Linux has), aligned as it says.
void QtMainFormTest::widgetsFollowTheTable()
{
    QFETCH(int, row);
    const Layout::WidgetSpec& design = Layout::kWidgets[static_cast<std::size_t>(row)];
    QtMainForm form;
    QCOMPARE(form.size(), QSize(561, 211));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    auto* widget = form.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    const Layout::PixelRect r = Layout::pixelRectInParent(design, 96);
    QCOMPARE(widget->geometry(), QRect(r.left, r.top, r.width, r.height));

    const Layout::FontSpec* wanted = Layout::fontFor(design.font);
    const QFontInfo font(widget->font());
    QCOMPARE(font.family(), design.font == Layout::FontRole::Box ? QStringLiteral("Liberation Mono")
                                                                : QStringLiteral("Liberation Sans"));
    QCOMPARE(font.bold(), wanted && wanted->bold);
    QCOMPARE(font.pixelSize(), qRound((wanted ? wanted : &Layout::kDialogFont)->pointSize * 96 / 72));

    const Qt::Alignment horizontal = design.align == Layout::Align::Centre  ? Qt::AlignHCenter
                                     : design.align == Layout::Align::Right ? Qt::AlignRight
                                                                          : Qt::AlignLeft;
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, horizontal);
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, horizontal);
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(frame->title().toStdString(), std::string(design.text));
}

void QtMainFormTest::accessibleCells_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("bit");
    QTest::addColumn<QString>("name");

    // In PIC 18F numbering atspi_test presses every cell through the real
    // bridge; here the names follow a change of numbering.
    QTest::newRow("standard, cell 5") << 0 << 5 << "Bit 5";
    QTest::newRow("standard, top cell") << 0 << 23 << "Bit 23";
}

// A cell is named by the number shown above it and its state, and its press
// action is exactly one click: one step, then both boxes recomputed.
void QtMainFormTest::accessibleCells()
{
    QFETCH(int, mode);
    QFETCH(int, bit);
    QtMainForm form;
    form.optionMode(static_cast<std::int16_t>(mode))->click();
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(form.cell(static_cast<std::int16_t>(bit)));
    QVERIFY(cell && cell->actionInterface());
    QFETCH(QString, name);
    QCOMPARE(cell->text(QAccessible::Name), name + QStringLiteral(": 0"));
    QCOMPARE(cell->role(), QAccessible::Button);
    QCOMPARE(cell->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    const QString steps[] = {QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("0")};
    for (const QString& state : steps) {
        cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(form.cell(static_cast<std::int16_t>(bit))->text(), state);
        QCOMPARE(cell->text(QAccessible::Value), state);
        QCOMPARE(cell->text(QAccessible::Name), name + QStringLiteral(": ") + state);
        const std::uint32_t weight = 1u << bit;
        const auto hex = [](std::uint32_t v) { return QStringLiteral("0x") + QString::number(v, 16).toUpper(); };
        QCOMPARE(form.textHexMin()->text(), hex(state == "1" ? weight : 0));
        QCOMPARE(form.textHexMax()->text(), hex(state == "0" ? 0 : weight));
    }
}

void QtMainFormTest::accessibleBoxesAndCaptions()
{
    // The boxes' names and states a reader meets, atspi_test reads through
    // the real bridge.
    QtMainForm form;
    for (const QString& shown : {QStringLiteral("BA0"), QStringLiteral("0")}) {
        for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit)
            QCOMPARE(QAccessible::queryAccessibleInterface(form.bitCaption(bit))->text(QAccessible::Name),
                     form.bitCaption(bit)->text());
        QCOMPARE(form.bitCaption(0)->text(), shown);
        form.optionMode(0)->click();
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(form.optionMode(0))->text(QAccessible::Name),
             QStringLiteral("Standard micro"));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Address range finder"));
}

void QtMainFormTest::boxTextQueries_data()
{
    QTest::addColumn<QAccessible::TextBoundaryType>("boundary");
    QTest::addColumn<bool>("whole"); // one piece: the address
    QTest::newRow("character") << QAccessible::CharBoundary << false;
    QTest::newRow("word") << QAccessible::WordBoundary << true;
    QTest::newRow("sentence") << QAccessible::SentenceBoundary << true;
    QTest::newRow("paragraph") << QAccessible::ParagraphBoundary << true;
    QTest::newRow("line") << QAccessible::LineBoundary << true;
    QTest::newRow("no boundary") << QAccessible::NoBoundary << true;
}

// Every query a screen reader makes of a box, at every offset and one past
// either end, comes back with a piece of the text where it says it lies;
// the whole address is one word, sentence and line, from any caret.
void QtMainFormTest::boxTextQueries()
{
    QFETCH(QAccessible::TextBoundaryType, boundary);
    QFETCH(bool, whole);
    QtMainForm form;
    QTest::mouseClick(form.cell(22), Qt::LeftButton);
    QTest::mouseClick(form.cell(0), Qt::LeftButton);
    const QString address = form.textHexMin()->text();
    QCOMPARE(address, QStringLiteral("0x400001"));
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(form.textHexMin())->textInterface();
    QVERIFY(text);
    const int length = static_cast<int>(address.size());
    using Query = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
    const Query queries[] = {&QAccessibleTextInterface::textBeforeOffset, &QAccessibleTextInterface::textAtOffset,
                             &QAccessibleTextInterface::textAfterOffset};
    for (int offset = -1; offset <= length + 1; ++offset) {
        for (int step = -1; step <= 1; ++step) {
            int start = -2, end = -2;
            const QString piece = (text->*queries[step + 1])(offset, boundary, &start, &end);
            const QByteArray where = QStringLiteral("offset %1, step %2: \"%3\" at %4..%5")
                                         .arg(offset).arg(step).arg(piece).arg(start).arg(end).toUtf8();
            if (offset > length) {
                QVERIFY2(piece.isEmpty() && start == -1 && end == -1, where.constData());
                continue;
            }
            QVERIFY2(start >= 0 && start <= end && end <= length && piece == address.mid(start, end - start),
                     where.constData());
            const int caret = offset == -1 ? length : offset;
            if (step == 0 && whole)
                QVERIFY2(piece == address, where.constData());
            else if (step == 0)
                QVERIFY2(caret == length ? piece.isEmpty() : start == caret && end == caret + 1, where.constData());
            else if (whole)
                QVERIFY2(piece.isEmpty(), where.constData());
            else if (step < 0)
                QVERIFY2(caret == 0 ? piece.isEmpty() : end == caret && start == caret - 1, where.constData());
            else
                QVERIFY2(caret + 1 >= length ? piece.isEmpty() : start == caret + 1, where.constData());
        }
    }
    int start = -2, end = -2;
    for (int offset = 0; offset < length; ++offset) {
        text->attributes(offset, &start, &end);
        QVERIFY2(start == 0 && end == length, "the attributes run over the whole address");
    }
}

void QtMainFormTest::textContrast_data()
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
void QtMainFormTest::textContrast()
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
void QtMainFormTest::cellBorders()
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

QTEST_MAIN(QtMainFormTest)
#include "qtmainform_test.moc"
