#include "webmainform.h"

#include "layout.h"
#include "pageimports.h"

namespace {

constexpr int kCssDpi = 96; // at 96 dpi one CSS pixel is 15 twips

std::int32_t px(int twips) { return Layout::twipsToPixels(twips, kCssDpi); }

std::int32_t length(std::string_view text) { return static_cast<std::int32_t>(text.size()); }

std::int32_t packed(Rgb c) { return c.red << 16 | c.green << 8 | c.blue; }

// Where a row's element goes among its kind: bit, mode or box; for a frame,
// the parent it is to the rows inside it.
std::int32_t slotOf(const Layout::WidgetSpec& row)
{
    if (row.kind == Layout::WidgetKind::Frame)
        return static_cast<std::int32_t>(Layout::innerParent(row.name));
    if (row.kind != Layout::WidgetKind::TextBox)
        return row.index;
    const OutputBox box = row.name == Layout::WidgetName::TextHexMin ? OutputBox::TextHexMin : OutputBox::TextHexMax;
    return static_cast<std::int32_t>(box);
}

void tellFont(Layout::FontRole role)
{
    const Layout::FontSpec* face = Layout::fontFor(role);
    if (face)
        Page::font(static_cast<std::int32_t>(role), face->family.data(), length(face->family),
                   face->pointSize * kCssDpi / 72.0, face->bold);
}

} // namespace

void WebMainForm::build()
{
    Page::window(Layout::kTitle.data(), length(Layout::kTitle), px(Layout::kClientWidth), px(Layout::kClientHeight));
    tellFont(Layout::FontRole::Cell);
    tellFont(Layout::FontRole::Box);
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        const std::string_view name = Layout::widgetName(row.name);
        Page::widget(static_cast<std::int32_t>(row.kind), static_cast<std::int32_t>(row.parent), slotOf(row),
                     name.data(), length(name), px(row.rect.left), px(row.rect.top), px(row.rect.width),
                     px(row.rect.height), row.text.data(), length(row.text), static_cast<std::int32_t>(row.align),
                     static_cast<std::int32_t>(row.font), row.selected);
        if (row.font != Layout::FontRole::Dialog)
            Page::setColor(row.font == Layout::FontRole::Cell ? Page::Target::CellFill : Page::Target::BoxText,
                           slotOf(row), packed(row.font == Layout::FontRole::Cell ? Layout::kCellBackground
                                                                                  : Layout::kBoxTextColor));
        if (row.kind == Layout::WidgetKind::Cell)
            Page::setColor(Page::Target::CellBorder, row.index, packed(Layout::kCellBorder));
    }
}

ShortText WebMainForm::cellCaption(std::int16_t index) const
{
    char text[ShortText::kCapacity];
    const std::int32_t size = Page::cellText(index, text, sizeof text);
    return std::string_view(text, static_cast<std::size_t>(size));
}

void WebMainForm::setCellCaption(std::int16_t index, std::string_view text)
{
    Page::setText(Page::Target::Cell, index, text.data(), length(text));
}

void WebMainForm::setCellForeColor(std::int16_t index, Rgb color)
{
    Page::setColor(Page::Target::Cell, index, packed(color));
}

void WebMainForm::setBitNumberCaption(std::int16_t index, std::string_view text)
{
    Page::setText(Page::Target::BitCaption, index, text.data(), length(text));
}

void WebMainForm::setOutputText(OutputBox box, std::string_view text)
{
    Page::setText(Page::Target::Box, static_cast<std::int32_t>(box), text.data(), length(text));
}
