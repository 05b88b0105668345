#include "webmainform.h"

#include "accessiblenames.h"
#include "focus.h"
#include "layout.h"
#include "pageimports.h"

#include <cstddef>

namespace {

constexpr int kCssDpi = 96; // a CSS pixel is a 96th of an inch

// The page tabs in document order, and the rows that take focus keep the
// table's order there, so the table must list them as kTabOrder does.
constexpr bool tabsInTableOrder()
{
    std::size_t next = 0;
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        if (row.kind != Layout::WidgetKind::OptionButton && row.kind != Layout::WidgetKind::TextBox)
            continue;
        if (next == Layout::kTabOrder.size() || Layout::kTabOrder[next].name != row.name
            || Layout::kTabOrder[next].index != row.index)
            return false;
        ++next;
    }
    return next == Layout::kTabOrder.size();
}
static_assert(tabsInTableOrder());

std::int32_t length(std::string_view text) { return static_cast<std::int32_t>(text.size()); }

std::int32_t packed(Rgb c) { return c.red << 16 | c.green << 8 | c.blue; }

constexpr std::string_view kindName(Layout::WidgetKind kind)
{
    switch (kind) {
    case Layout::WidgetKind::Frame: return "frame";
    case Layout::WidgetKind::OptionButton: return "option";
    case Layout::WidgetKind::Label: return "label";
    case Layout::WidgetKind::Cell: return "cell";
    case Layout::WidgetKind::TextBox: return "box";
    }
    return {};
}

constexpr std::string_view alignName(Layout::Align align)
{
    switch (align) {
    case Layout::Align::Left: return "left";
    case Layout::Align::Centre: return "center";
    case Layout::Align::Right: return "right";
    }
    return {};
}

constexpr std::string_view fontName(Layout::FontRole role)
{
    switch (role) {
    case Layout::FontRole::Dialog: return "dialog";
    case Layout::FontRole::Cell: return "cell";
    case Layout::FontRole::Box: return "box";
    }
    return {};
}

// The frame that holds a parent's rows; none for the window itself.
constexpr std::string_view parentName(Layout::Parent parent)
{
    for (const Layout::WidgetSpec& row : Layout::kWidgets)
        if (row.kind == Layout::WidgetKind::Frame && parent != Layout::Parent::Window
            && Layout::innerParent(row.name) == parent)
            return Layout::widgetName(row.name);
    return {};
}

constexpr OutputBox boxOf(const Layout::WidgetSpec& row)
{
    return row.name == Layout::WidgetName::TextHexMin ? OutputBox::TextHexMin : OutputBox::TextHexMax;
}

void put(std::string_view key, std::string_view value)
{
    Page::property(key.data(), length(key), value.data(), length(value));
}

void put(std::string_view key, int value) { Page::number(key.data(), length(key), value); }

// A row is sent as its properties, by name, then made.
void describe(const Layout::WidgetSpec& row)
{
    const Layout::PixelRect place = Layout::pixelRectInParent(row, kCssDpi);
    put("kind", kindName(row.kind));
    put("id", Layout::widgetName(row.name, row.index));
    put("in", parentName(row.parent));
    put("left", place.left);
    put("top", place.top);
    put("width", place.width);
    put("height", place.height);
    put("align", alignName(row.align));
    put("font", fontName(row.font));
    put("text", row.text);
    if (row.index >= 0)
        put("index", row.index);
    if (row.selected)
        put("checked", 1);
    if (row.kind == Layout::WidgetKind::TextBox) {
        put("label", AccessibleNames::boxName(boxOf(row)));
        if (Focus::kSelectAllOnTab)
            put("select", "tab");
    }
    Page::element();
}

const Layout::WidgetSpec& rowOf(Layout::WidgetName name, std::int16_t index)
{
    for (const Layout::WidgetSpec& row : Layout::kWidgets)
        if (row.name == name && row.index == index)
            return row;
    return Layout::kWidgets[0];
}

bool isBitRow(const Layout::WidgetSpec& row)
{
    return row.index >= 0 && (row.name == Layout::WidgetName::Label1 || row.name == Layout::WidgetName::CommandAddressBits);
}

Layout::WidgetId cellId(std::int16_t bit) { return Layout::widgetName(Layout::WidgetName::CommandAddressBits, bit); }
Layout::WidgetId captionId(std::int16_t bit) { return Layout::widgetName(Layout::WidgetName::Label1, bit); }

ShortText textOf(const Layout::WidgetId& id)
{
    char text[ShortText::kCapacity];
    const std::int32_t size = Page::textOf(id.data(), length(id), text, sizeof text);
    return std::string_view(text, static_cast<std::size_t>(size));
}

void setText(const Layout::WidgetId& id, std::string_view text)
{
    Page::setText(id.data(), length(id), text.data(), length(text));
}

void nameCell(std::int16_t bit)
{
    const Layout::WidgetId id = cellId(bit);
    const ShortText name = AccessibleNames::cellName(textOf(captionId(bit)), textOf(id));
    Page::setLabel(id.data(), length(id), name.data(), length(name));
}

void setColor(std::string_view target, Rgb color) { Page::setColor(target.data(), length(target), packed(color)); }

} // namespace

void WebMainForm::open()
{
    Page::window(Layout::kTitle.data(), length(Layout::kTitle), Layout::twipsToPixels(Layout::kClientWidth, kCssDpi),
                 Layout::twipsToPixels(Layout::kClientHeight, kCssDpi));
    // The dialog font's face is the platform's: the page has its size alone.
    for (const Layout::FontRole role : {Layout::FontRole::Dialog, Layout::FontRole::Cell, Layout::FontRole::Box}) {
        const Layout::FontSpec* face = Layout::fontFor(role);
        const Layout::FontSpec font = face ? *face : Layout::FontSpec{{}, Layout::kDialogFont.pointSize, false};
        const std::string_view name = fontName(role);
        Page::font(name.data(), length(name), font.family.data(), length(font.family),
                   static_cast<std::int32_t>(font.pointSize * 100 + 0.5), font.bold);
    }
    setColor("--cell-fill", Layout::kCellBackground);
    setColor("--cell-border", Layout::kCellBorder);
    setColor("--box-fill", Layout::kBoxBackground);
    setColor("--box-text", Layout::kBoxTextColor);
    // A reader meets the bits from bit 23 down, each caption before its cell,
    // as on the desktop; every other row comes in the table's order.
    bool bitsDone = false;
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        if (!isBitRow(row)) {
            describe(row);
            continue;
        }
        for (std::int16_t bit = kAddressBitCount - 1; !bitsDone && bit >= 0; --bit) {
            describe(rowOf(Layout::WidgetName::Label1, bit));
            describe(rowOf(Layout::WidgetName::CommandAddressBits, bit));
        }
        bitsDone = true;
    }
    Form_Load();
    const Layout::WidgetRef& stop = Layout::kTabOrder[Focus::initialStop()];
    const Layout::WidgetId first = Layout::widgetName(stop.name, stop.index);
    Page::focus(first.data(), length(first));
}

ShortText WebMainForm::cellCaption(std::int16_t index) const { return textOf(cellId(index)); }

void WebMainForm::setCellCaption(std::int16_t index, std::string_view text)
{
    setText(cellId(index), text);
    nameCell(index);
}

void WebMainForm::setCellForeColor(std::int16_t index, Rgb color) { setColor(cellId(index), color); }

void WebMainForm::setBitNumberCaption(std::int16_t index, std::string_view text)
{
    setText(captionId(index), text);
    nameCell(index);
}

void WebMainForm::setOutputText(OutputBox box, std::string_view text)
{
    setText(Layout::widgetName(box == OutputBox::TextHexMin ? Layout::WidgetName::TextHexMin : Layout::WidgetName::TextHexMax, -1), text);
}

// The module's entry points, which the page's script calls from its events.
// The one window lives for the page's whole life.
namespace {

WebMainForm form;

} // namespace

extern "C" {

__attribute__((export_name("start"))) void start() { form.open(); }

__attribute__((export_name("cellClick"))) void cellClick(std::int32_t bit)
{
    form.CommandAddressBits_Click(static_cast<std::int16_t>(bit));
}

__attribute__((export_name("modeClick"))) void modeClick(std::int32_t index)
{
    form.OptionMode_Click(static_cast<std::int16_t>(index));
}
}

// The module links no C++ runtime. The one thing the core asks of it is the
// deleting destructor's operator delete, which WindowOps' virtual destructor
// names; the window is never allocated, and with no operator new linked in
// nothing else can be, so it never runs.
void operator delete(void*) noexcept {}
void operator delete(void*, std::size_t) noexcept {}
