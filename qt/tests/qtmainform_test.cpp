// The window in process, offscreen: how it opens, where the keyboard goes,
// what a click on a cell does to focus, and that every widget stands where
// the table puts it. What clicks and mode switches do, the soak checks.
#include "celllabel.h"
#include "focus.h"
#include "layout.h"
#include "qtmainform.h"
#include "referencemodel.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
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
QTEST_MAIN(QtMainFormTest)
#include "qtmainform_test.moc"
