#include "qtmainform.h"

#include "accessibility.h"
#include "addressbox.h"
#include "celllabel.h"
#include "focus.h"
#include "qtconvert.h"
#include "qtlayout.h"

#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

namespace {

std::size_t at(Layout::Parent parent) { return static_cast<std::size_t>(parent); }

std::size_t at(OutputBox box) { return static_cast<std::size_t>(box); }

} // namespace

QtMainForm::QtMainForm(QWidget* parent)
    : QWidget(parent)
{
    // Before the title: on Qt 6.8 naming the window already makes its
    // accessible, which would then be the default one.
    Accessibility::install();
    setWindowTitle(toQString(Layout::kTitle));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/addressrangefinder-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/addressrangefinder-32.png"), QSize(32, 32));
    setWindowIcon(icon);
    setFixedSize(QtLayout::pixels(Layout::kClientWidth), QtLayout::pixels(Layout::kClientHeight));
    // A window that cannot grow offers no maximize, as on Windows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(QtLayout::dialogFont(font()));
    // The layout puts a frame's first row close under its top edge, as on
    // Windows, where the caption sits on the border line; most Qt styles
    // put the caption above the border instead, so frames keep the classic
    // look. (A style sheet would do it too, at a third more start-up time.)
    m_frameStyle = QStyleFactory::create(QStringLiteral("Windows"));
    if (m_frameStyle)
        m_frameStyle->setParent(this);

    std::array<QWidget*, 4> parents{this, nullptr, nullptr, nullptr}; // indexed by Layout::Parent
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        QWidget* widget = build(row, parents.at(at(row.parent)));
        if (row.kind == Layout::WidgetKind::Frame)
            parents.at(at(Layout::innerParent(row.name))) = widget;
        for (std::size_t i = 0; i < Layout::kTabOrder.size(); ++i)
            if (Layout::kTabOrder[i].name == row.name && Layout::kTabOrder[i].index == row.index)
                m_tabStops.at(i) = widget;
    }
    for (std::size_t i = 1; i < m_tabStops.size(); ++i)
        setTabOrder(m_tabStops.at(i - 1), m_tabStops.at(i));
    m_tabStops.at(Focus::initialStop())->setFocus(Qt::OtherFocusReason);

    Form_Load();
}

QWidget* QtMainForm::build(const Layout::WidgetSpec& row, QWidget* parent)
{
    switch (row.kind) {
    case Layout::WidgetKind::Frame: {
        auto* frame = new QGroupBox(toQString(row.text), parent);
        if (m_frameStyle)
            frame->setStyle(m_frameStyle);
        QtLayout::setUp(frame, row);
        return frame;
    }
    case Layout::WidgetKind::OptionButton: {
        auto* button = new QRadioButton(toQString(row.text), parent);
        QtLayout::setUp(button, row);
        button->setChecked(row.selected);
        button->setAccessibleName(button->text());
        const std::int16_t index = row.index;
        connect(button, &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked)
                OptionMode_Click(index);
        });
        return m_modes.at(static_cast<std::size_t>(index)) = button;
    }
    case Layout::WidgetKind::Label: {
        // A caption's accessible name is the text it shows.
        auto* label = new QLabel(toQString(row.text), parent);
        QtLayout::setUp(label, row);
        label->setAlignment(toQt(row.align));
        if (row.name == Layout::WidgetName::Label1)
            m_captions.at(static_cast<std::size_t>(row.index)) = label;
        return label;
    }
    case Layout::WidgetKind::Cell: {
        auto* cell = new CellLabel(row, parent);
        const std::int16_t bit = row.index;
        connect(cell, &CellLabel::clicked, this, [this, bit] { CommandAddressBits_Click(bit); });
        return m_cells.at(static_cast<std::size_t>(bit)) = cell;
    }
    case Layout::WidgetKind::TextBox: {
        const OutputBox box = row.name == Layout::WidgetName::TextHexMin ? OutputBox::TextHexMin : OutputBox::TextHexMax;
        return m_boxes.at(at(box)) = new AddressBox(row, parent);
    }
    }
    return nullptr;
}

QLineEdit* QtMainForm::textHexMin() const { return m_boxes.at(at(OutputBox::TextHexMin)); }

QLineEdit* QtMainForm::textHexMax() const { return m_boxes.at(at(OutputBox::TextHexMax)); }

ShortText QtMainForm::cellCaption(std::int16_t index) const
{
    const QByteArray text = m_cells.at(index)->text().toUtf8();
    return std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
}

void QtMainForm::setCellCaption(std::int16_t index, std::string_view text)
{
    m_cells.at(index)->setState(toQString(text));
}

void QtMainForm::setCellForeColor(std::int16_t index, Rgb color)
{
    CellLabel* cell = m_cells.at(index);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    cell->setPalette(palette);
}

void QtMainForm::setBitNumberCaption(std::int16_t index, std::string_view text)
{
    m_captions.at(index)->setText(toQString(text));
    m_cells.at(index)->setBitNumber(toQString(text));
}

void QtMainForm::setOutputText(OutputBox box, std::string_view text) { m_boxes.at(at(box))->setText(toQString(text)); }

// Focus alone selects no mode.
bool QtMainForm::focusNextPrevChild(bool next)
{
    const auto found = std::find(m_tabStops.begin(), m_tabStops.end(), focusWidget());
    const int position = found == m_tabStops.end() ? -1 : static_cast<int>(found - m_tabStops.begin());
    m_tabStops.at(Focus::nextStop(position, !next))->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// Qt's own Wayland title bars draw a maximize button whatever the flags say,
// and a compositor may maximize on a double click: stay as designed.
void QtMainForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
}
