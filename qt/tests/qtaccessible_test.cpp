// What a screen reader asks of the widgets in process, where the real
// bridge (atspi_test) cannot reach: names that follow a change of
// numbering, and text queries with every kind of argument.
#include "celllabel.h"
#include "qtmainform.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include <cstdint>

class QtAccessibleTest : public QObject {
    Q_OBJECT

private slots:
    void accessibleCells_data();
    void accessibleCells();
    void accessibleBoxesAndCaptions();
    void boxTextQueries_data();
    void boxTextQueries();
};

void QtAccessibleTest::accessibleCells_data()
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
void QtAccessibleTest::accessibleCells()
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

void QtAccessibleTest::accessibleBoxesAndCaptions()
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

void QtAccessibleTest::boxTextQueries_data()
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
void QtAccessibleTest::boxTextQueries()
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

QTEST_MAIN(QtAccessibleTest)
#include "qtaccessible_test.moc"
