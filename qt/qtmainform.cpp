#include "qtmainform.h"

#include "accessibility.h"
#include "addressbox.h"
#include "celllabel.h"
#include "layout.h"

#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <vector>

namespace {

// Layout pixels are Qt's device-independent pixels; high-DPI scaling does
// the rest.
constexpr int kLogicalDpi = 96;

int px(int twips) { return Layout::twipsToPixels(twips, kLogicalDpi); }

QRect toPixels(const Layout::TwipRect& r)
{
    const int left = px(r.left);
    const int top = px(r.top);
    return QRect(left, top, px(r.left + r.width) - left, px(r.top + r.height) - top);
}

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

int pointsToPixels(double points) { return qRound(points * kLogicalDpi / 72.0); }

// The layout was measured for the narrow Windows dialog fonts: the usual
// Linux default (DejaVu Sans) clips "Standard micro", so the dialog font is
// the Arial-metric Liberation Sans at the size Windows uses.
QFont dialogFont(const QFont& platformFont)
{
    QFont font = platformFont;
    font.setFamilies({QStringLiteral("Liberation Sans"), platformFont.family()});
    font.setPixelSize(pointsToPixels(8.25));
    return font;
}

// Linux seldom has the Windows families; each gets a look-alike to fall back
// on. Pixel sizes keep text in step with the twip geometry at any scale.
QFont fontFor(Layout::FontRole role, const QFont& dialog)
{
    const Layout::FontSpec* wanted = Layout::fontFor(role);
    if (!wanted)
        return dialog;
    QFont font;
    const bool mono = role == Layout::FontRole::Box;
    font.setFamilies({toQString(wanted->family), mono ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans")});
    font.setStyleHint(mono ? QFont::TypeWriter : QFont::SansSerif);
    font.setBold(wanted->bold);
    font.setPixelSize(pointsToPixels(wanted->pointSize));
    return font;
}

Qt::Alignment toQt(Layout::Align align)
{
    switch (align) {
    case Layout::Align::Centre:
        return Qt::AlignCenter;
    case Layout::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Layout::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QString objectNameFor(const Layout::WidgetSpec& row, std::string_view base)
{
    return row.index < 0 ? toQString(base) : QStringLiteral("%1(%2)").arg(toQString(base)).arg(row.index);
}

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
    setFixedSize(px(Layout::kClientWidth), px(Layout::kClientHeight));
    // A window that cannot grow offers no maximize, as on Windows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    setFont(dialogFont(font()));

    buildWidgets();
    Form_Load();
}

void QtMainForm::buildWidgets()
{
    using Layout::WidgetKind;
    std::array<QWidget*, 4> parents{this, nullptr, nullptr, nullptr}; // indexed by Layout::Parent
    std::vector<std::pair<Layout::WidgetRef, QWidget*>> built;
    const QFont cellFont = fontFor(Layout::FontRole::Cell, font());
    const QFont boxFont = fontFor(Layout::FontRole::Box, font());
    // The layout puts a frame's first row close under its top edge, as on
    // Windows, where the caption sits on the border line; most Qt styles
    // put the caption above the border instead, so frames keep the classic
    // look. (A style sheet would do it too, at a third more start-up time.)
    QStyle* frameStyle = QStyleFactory::create(QStringLiteral("Windows"));
    if (frameStyle)
        frameStyle->setParent(this);

    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        QWidget* parent = parents.at(static_cast<std::size_t>(row.parent));
        QWidget* widget = nullptr;
        switch (row.kind) {
        case WidgetKind::Frame: {
            auto* frame = new QGroupBox(toQString(row.text), parent);
            if (frameStyle)
                frame->setStyle(frameStyle);
            parents.at(static_cast<std::size_t>(Layout::innerParent(row.name))) = frame;
            widget = frame;
            break;
        }
        case WidgetKind::OptionButton: {
            auto* button = new QRadioButton(toQString(row.text), parent);
            button->setChecked(row.selected);
            const std::int16_t index = row.index;
            connect(button, &QRadioButton::toggled, this, [this, index](bool checked) {
                if (checked)
                    OptionMode_Click(index);
            });
            button->setAccessibleName(button->text());
            m_modes.at(index) = button;
            widget = button;
            break;
        }
        case WidgetKind::Label: {
            auto* label = new QLabel(toQString(row.text), parent);
            label->setAlignment(toQt(row.align));
            // A caption's accessible name is the text it shows.
            if (row.name == Layout::WidgetName::Label1)
                m_captions.at(row.index) = label;
            widget = label;
            break;
        }
        case WidgetKind::Cell: {
            auto* cell = new CellLabel(toQString(row.text), parent);
            cell->setAlignment(toQt(row.align));
            cell->setContentsMargins(1, 1, 1, 1); // inside the painted border
            QPalette palette = cell->palette();
            palette.setColor(QPalette::Window, toQColor(Layout::kCellBackground));
            palette.setColor(QPalette::Dark, toQColor(Layout::kCellBorder));
            cell->setPalette(palette);
            const std::int16_t bit = row.index;
            connect(cell, &CellLabel::clicked, this, [this, bit] { CommandAddressBits_Click(bit); });
            m_cells.at(bit) = cell;
            widget = cell;
            break;
        }
        case WidgetKind::TextBox: {
            auto* box = new AddressBox(toQString(row.text), parent);
            box->setReadOnly(true);
            box->setAlignment(toQt(row.align));
            // Blue on white under any theme, as a Windows edit box shows it:
            // the theme's dark field would leave the blue unreadable.
            QPalette palette = box->palette();
            palette.setColor(QPalette::Text, toQColor(Layout::kBoxTextColor));
            palette.setColor(QPalette::Base, Qt::white);
            box->setPalette(palette);
            const bool isMin = row.name == Layout::WidgetName::TextHexMin;
            box->setAccessibleName(isMin ? QStringLiteral("Lowest address") : QStringLiteral("Highest address"));
            (isMin ? m_hexMin : m_hexMax) = box;
            widget = box;
            break;
        }
        }
        widget->setObjectName(objectNameFor(row, Layout::widgetName(row.name)));
        widget->setGeometry(toPixels(row.rect));
        if (row.font != Layout::FontRole::Dialog)
            widget->setFont(row.font == Layout::FontRole::Cell ? cellFont : boxFont);
        if (row.kind != WidgetKind::OptionButton && row.kind != WidgetKind::TextBox)
            widget->setFocusPolicy(Qt::NoFocus);
        built.push_back({{row.name, row.index}, widget});
    }

    for (std::size_t i = 0; i < Layout::kTabOrder.size(); ++i) {
        const Layout::WidgetRef& ref = Layout::kTabOrder[i];
        const auto it = std::find_if(built.begin(), built.end(), [&](const auto& entry) {
            return entry.first.name == ref.name && entry.first.index == ref.index;
        });
        m_tabStops.at(i) = it->second;
        if (i > 0)
            setTabOrder(m_tabStops.at(i - 1), it->second);
    }
}

ShortText QtMainForm::cellCaption(std::int16_t index) const
{
    const QByteArray text = m_cells.at(index)->text().toUtf8();
    return std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
}

void QtMainForm::setCellCaption(std::int16_t index, std::string_view text)
{
    m_cells.at(index)->setText(toQString(text));
    nameCell(index);
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
    nameCell(index);
}

// "Bit 4: 1": the number shown above the cell and its state, as the Windows
// build names it, so that a screen reader reading names only hears both.
void QtMainForm::nameCell(std::int16_t index)
{
    const QString caption = m_captions.at(index)->text();
    if (!caption.isEmpty())
        m_cells.at(index)->setAccessibleName(QStringLiteral("Bit %1: %2").arg(caption, m_cells.at(index)->text()));
}

// Every stop of the table in turn, both mode buttons included: Qt would make
// the exclusive pair a single stop. Focus alone selects no mode.
bool QtMainForm::focusNextPrevChild(bool next)
{
    const int count = static_cast<int>(m_tabStops.size());
    const auto found = std::find(m_tabStops.begin(), m_tabStops.end(), focusWidget());
    const int position = found == m_tabStops.end() ? -1 : static_cast<int>(found - m_tabStops.begin());
    const int target = position < 0 ? (next ? 0 : count - 1) : (position + (next ? 1 : count - 1)) % count;
    m_tabStops.at(static_cast<std::size_t>(target))->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
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

void QtMainForm::setOutputText(OutputBox box, std::string_view text)
{
    (box == OutputBox::TextHexMin ? m_hexMin : m_hexMax)->setText(toQString(text));
}
