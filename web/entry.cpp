// The module's entry points, which the page's script calls from its events.
// The one window lives for the page's whole life.
#include "webmainform.h"

namespace {

WebMainForm form;

} // namespace

extern "C" {

__attribute__((export_name("start"))) void start()
{
    form.build();
    form.Form_Load();
}

__attribute__((export_name("cellClick"))) void cellClick(std::int32_t bit)
{
    form.CommandAddressBits_Click(static_cast<std::int16_t>(bit));
}

__attribute__((export_name("modeClick"))) void modeClick(std::int32_t index)
{
    form.OptionMode_Click(static_cast<std::int16_t>(index));
}
}
