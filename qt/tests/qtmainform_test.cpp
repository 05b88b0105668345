#include "celllabel.h"
#include "qtmainform.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

QColor textColor(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

QStringList captions(const QtMainForm& form)
{
    QStringList texts;
    for (std::int16_t bit = 23; bit >= 0; --bit)
        texts << form.bitCaption(bit)->text();
    return texts;
}

QStringList cellTexts(const QtMainForm& form)
{
    QStringList texts;
    for (std::int16_t bit = 23; bit >= 0; --bit)
        texts << form.cell(bit)->text();
    return texts;
}

const QStringList kPicCaptions = QStringLiteral("22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0 BA0").split(' ');
const QStringList kStandardCaptions =
    QStringLiteral("23 22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0").split(' ');

} // namespace

class QtMainFormTest : public QObject {
    Q_OBJECT

private slots:
    void startsInTheSameState();
    void cellClicks_data();
    void cellClicks();
    void doubleClickIsOneStep();
    void pressDraggedOffCellIsNoClick();
    void modeSwitches_data();
    void modeSwitches();
    void tabOrderSkipsCellsAndCaptions();
    void clickedCellDoesNotTakeFocus();
    void geometryAtScaleOne_data();
    void geometryAtScaleOne();
    void accessibleNamesAndState();
};

void QtMainFormTest::startsInTheSameState()
{
    QtMainForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Address range finder"));
    QCOMPARE(cellTexts(form), QStringList(24, QStringLiteral("0")));
    for (std::int16_t bit = 0; bit < 24; ++bit)
        QCOMPARE(textColor(form.cell(bit)), kBlue);
    QCOMPARE(captions(form), kPicCaptions);
    QVERIFY(form.optionMode(1)->isChecked());
    QVERIFY(!form.optionMode(0)->isChecked());
    QCOMPARE(form.textHexMin()->text(), QStringLiteral("0x0"));
    QCOMPARE(form.textHexMax()->text(), QStringLiteral("0x0"));
    QVERIFY(form.textHexMin()->isReadOnly());
    QCOMPARE(form.textHexMin()->palette().color(QPalette::Text), kBlue);
    QVERIFY(!form.windowIcon().isNull());
}

void QtMainFormTest::cellClicks_data()
{
    QTest::addColumn<int>("bit");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");

    QTest::newRow("top bit once: 1 in red") << 23 << 1 << "1" << kRed << "0x800000" << "0x800000";
    QTest::newRow("top bit twice: X in black") << 23 << 2 << "X" << kBlack << "0x0" << "0x800000";
    QTest::newRow("top bit three times: back to 0 in blue") << 23 << 3 << "0" << kBlue << "0x0" << "0x0";
    QTest::newRow("bottom bit twice: X") << 0 << 2 << "X" << kBlack << "0x0" << "0x1";
    QTest::newRow("bit 11 once") << 11 << 1 << "1" << kRed << "0x800" << "0x800";
}

void QtMainFormTest::cellClicks()
{
    QFETCH(int, bit);
    QFETCH(int, clicks);
    QtMainForm form;
    CellLabel* cell = form.cell(static_cast<std::int16_t>(bit));
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(cell, Qt::LeftButton);

    QTEST(cell->text(), "text");
    QTEST(textColor(cell), "color");
    QTEST(form.textHexMin()->text(), "min");
    QTEST(form.textHexMax()->text(), "max");
}

void QtMainFormTest::doubleClickIsOneStep()
{
    QtMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Through the window, so that Qt itself turns the second press into a
    // double click, as it would for a real mouse.
    const QPoint centre = form.cell(0)->mapTo(&form, form.cell(0)->rect().center());
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, centre);
    QCOMPARE(form.cell(0)->text(), QStringLiteral("1"));
    QCOMPARE(form.textHexMax()->text(), QStringLiteral("0x1"));
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

void QtMainFormTest::modeSwitches_data()
{
    QTest::addColumn<QList<int>>("modes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("standard micro") << QList<int>{0} << kStandardCaptions;
    QTest::newRow("standard, then PIC again") << QList<int>{0, 1} << kPicCaptions;
    QTest::newRow("standard, PIC, standard") << QList<int>{0, 1, 0} << kStandardCaptions;
}

void QtMainFormTest::modeSwitches()
{
    QFETCH(QList<int>, modes);
    QtMainForm form;
    for (std::int16_t bit : {23, 5, 5, 0})
        QTest::mouseClick(form.cell(bit), Qt::LeftButton);
    const QStringList cells = cellTexts(form);
    const QString min = form.textHexMin()->text();
    const QString max = form.textHexMax()->text();

    for (int mode : modes)
        QTest::mouseClick(form.optionMode(static_cast<std::int16_t>(mode)), Qt::LeftButton);

    QTEST(captions(form), "expected");
    QVERIFY(form.optionMode(static_cast<std::int16_t>(modes.last()))->isChecked());
    QCOMPARE(cellTexts(form), cells);
    QCOMPARE(textColor(form.cell(5)), kBlack);
    QCOMPARE(form.textHexMin()->text(), min);
    QCOMPARE(form.textHexMax()->text(), max);
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
    for (std::int16_t bit = 0; bit < 24; ++bit) {
        QCOMPARE(form.cell(bit)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(form.bitCaption(bit)->focusPolicy(), Qt::NoFocus);
    }
}

void QtMainFormTest::clickedCellDoesNotTakeFocus()
{
    QtMainForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.textHexMax()->setFocus();
    QTest::mouseClick(form.cell(12), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), form.textHexMax());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.optionMode(0));
}

void QtMainFormTest::geometryAtScaleOne_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");

    QTest::newRow("Frame2") << "Frame2" << QRect(8, 8, 545, 37);
    QTest::newRow("OptionMode(1)") << "OptionMode(1)" << QRect(124, 16, 109, 13);
    QTest::newRow("Frame1") << "Frame1" << QRect(8, 52, 545, 77);
    QTest::newRow("cell 23") << "CommandAddressBits(23)" << QRect(12, 40, 21, 21);
    QTest::newRow("cell 0") << "CommandAddressBits(0)" << QRect(512, 40, 21, 21);
    QTest::newRow("caption 16") << "Label1(16)" << QRect(164, 20, 13, 17);
    QTest::newRow("caption 0") << "Label1(0)" << QRect(508, 20, 25, 17);
    QTest::newRow("TextHexMax") << "TextHexMax" << QRect(324, 20, 169, 27);
}

void QtMainFormTest::geometryAtScaleOne()
{
    QFETCH(QString, name);
    QtMainForm form;
    QCOMPARE(form.size(), QSize(561, 211));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    auto* widget = form.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QTEST(widget->geometry(), "rect");
}

void QtMainFormTest::accessibleNamesAndState()
{
    QtMainForm form;
    QTest::mouseClick(form.cell(7), Qt::LeftButton);
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(form.cell(7));
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Bit 7"));
    QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("1"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form.optionMode(0))->text(QAccessible::Name),
             QStringLiteral("Standard micro"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form.textHexMin())->text(QAccessible::Name),
             QStringLiteral("Lowest address"));
}

QTEST_MAIN(QtMainFormTest)
#include "qtmainform_test.moc"
