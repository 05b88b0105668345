// What a reader reads and presses over MSAA: the cells' names in both
// numberings and the events a switch sends, roles and default actions, the
// window's and boxes' names and values, and three presses through a cell.
#include "msaa.h"
#include "testlog.h"

#include <windows.h>
#include <oleacc.h>

#include <string>

using Layout::WidgetName;

namespace {

const char* const kPicCaptions[] = {"BA0", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22"};

std::string cellName(bool pic, int bit, const char* state)
{
    return std::string("Bit ") + (pic ? kPicCaptions[bit] : std::to_string(bit).c_str()) + ": " + state;
}

} // namespace

// Names in both numberings, and the name-change events a switch sends.
void names(TestLog& t, HWND main, const Found& found)
{
    struct Step {
        const char* what;
        int modeButton; // -1: as the program starts
        bool pic;
    };
    const Step steps[] = {{"at start", -1, true}, {"after the switch to standard", 0, false},
                          {"after the switch back to PIC 18F", 1, true}};
    for (const Step& step : steps) {
        g_events.clear();
        if (step.modeButton >= 0)
            SendMessageW(item(main, WidgetName::OptionMode, static_cast<std::int16_t>(step.modeButton)), BM_CLICK, 0, 0);
        pumpFor(300);
        int wrong = 0;
        int announced = 0;
        std::string first;
        for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
            IAccessible* cell = found(WidgetName::CommandAddressBits, bit);
            const std::string name = cell ? nameOf(cell) : "<none>";
            if (name != cellName(step.pic, bit, "0") && first.empty())
                first = name + " for bit " + std::to_string(bit);
            wrong += name != cellName(step.pic, bit, "0");
            announced += eventsFor(EVENT_OBJECT_NAMECHANGE, item(main, WidgetName::CommandAddressBits, bit)) > 0;
        }
        t.equal(wrong, 0, std::string("every cell named by its caption and state ") + step.what + " " + first);
        if (step.modeButton >= 0)
            t.equal(announced, 24, std::string("every cell announces its new name ") + step.what);
    }
}

void rolesAndActions(TestLog& t, const Found& found)
{
    int wrongRole = 0, wrongAction = 0, focusable = 0;
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
        IAccessible* cell = found(WidgetName::CommandAddressBits, bit);
        if (!cell) {
            ++wrongRole;
            continue;
        }
        wrongRole += numberOf(cell, &IAccessible::get_accRole) != ROLE_SYSTEM_PUSHBUTTON;
        focusable += (numberOf(cell, &IAccessible::get_accState) & STATE_SYSTEM_FOCUSABLE) != 0;
        BSTR action = nullptr;
        cell->get_accDefaultAction(self(), &action);
        wrongAction += narrow(action) != "Press";
        SysFreeString(action);
    }
    t.equal(wrongRole, 0, "every cell is a push button");
    t.equal(wrongAction, 0, "every cell's default action is Press");
    t.equal(focusable, 0, "no cell claims to take the focus");
}

// Three presses through the reader step a cell through 1, X and 0, as
// clicks do: its name, both boxes and their events follow.
void presses(TestLog& t, HWND main, const Found& found)
{
    IAccessible* cell = found(WidgetName::CommandAddressBits, 5);
    IAccessible* lowest = found(WidgetName::TextHexMin);
    IAccessible* highest = found(WidgetName::TextHexMax);
    if (!t.check(cell && lowest && highest, "cell 5 and both boxes found"))
        return;
    struct Row {
        const char* name;
        const char* min;
        const char* max;
        int minChanges;
        int maxChanges;
    };
    const Row rows[] = {{"Bit 4: 1", "0x20", "0x20", 1, 1}, {"Bit 4: X", "0x0", "0x20", 1, 0},
                        {"Bit 4: 0", "0x0", "0x0", 0, 1}};
    for (const Row& row : rows) {
        g_events.clear();
        t.equal(cell->accDoDefaultAction(self()), S_OK, "press answers S_OK");
        pumpFor(300);
        t.equal(nameOf(cell), std::string(row.name), std::string("pressed: ") + row.name);
        t.equal(valueOf(lowest), std::string(row.min), std::string("lowest box after ") + row.name);
        t.equal(valueOf(highest), std::string(row.max), std::string("highest box after ") + row.name);
        t.equal(eventsFor(EVENT_OBJECT_NAMECHANGE, item(main, WidgetName::CommandAddressBits, 5)), 1,
                std::string("one name change for ") + row.name);
        t.equal(eventsFor(EVENT_OBJECT_VALUECHANGE, item(main, WidgetName::TextHexMin)), row.minChanges,
                std::string("lowest box's value changes after ") + row.name);
        t.equal(eventsFor(EVENT_OBJECT_VALUECHANGE, item(main, WidgetName::TextHexMax)), row.maxChanges,
                std::string("highest box's value changes after ") + row.name);
    }
}

void boxesAndWindow(TestLog& t, HWND main, const Found& found)
{
    t.equal(nameOf(found.window), std::string("Address range finder"), "the window is named by its title");
    struct Row {
        WidgetName name;
        const char* expected;
    };
    const Row rows[] = {{WidgetName::TextHexMin, "Lowest address"}, {WidgetName::TextHexMax, "Highest address"},
                        {WidgetName::Frame1, "Address bits ( 0 - 1 - X )"}, {WidgetName::Frame2, "Mode"},
                        {WidgetName::Frame3, "Configurations"}, {WidgetName::OptionMode, "Standard micro"}};
    for (const Row& row : rows) {
        IAccessible* object = found(row.name, row.name == WidgetName::OptionMode ? 0 : -1);
        t.equal(object ? nameOf(object) : std::string("<none>"), std::string(row.expected),
                std::string("named ") + row.expected);
    }
    for (const WidgetName box : {WidgetName::TextHexMin, WidgetName::TextHexMax}) {
        IAccessible* object = found(box);
        if (!object)
            continue;
        t.check(numberOf(object, &IAccessible::get_accState) & STATE_SYSTEM_READONLY, "box is read-only");
        t.equal(valueOf(object), std::string("0x0"), "box's value is its address");
        BSTR typed = SysAllocString(L"0xFFFFFF");
        t.check(FAILED(object->put_accValue(self(), typed)), "a value cannot be put into a box");
        SysFreeString(typed);
        t.equal(valueOf(object), std::string("0x0"), "box unchanged by the attempt");
        wchar_t shown[16] = {};
        SendMessageW(item(main, box), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(shown));
        t.check(std::wstring(shown) == L"0x0", "box shows its address unchanged");
    }
}
