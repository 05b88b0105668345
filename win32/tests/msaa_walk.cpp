// Where a reader finds the objects over MSAA: each cell's location, hit
// tests, navigation from cell to cell and up to the parent, and errors for
// every request about a child that does not exist.
#include "accsweep.h"
#include "msaa.h"
#include "testlog.h"

#include <windows.h>
#include <oleacc.h>

#include <climits>
#include <string>
#include <vector>

using Layout::WidgetName;

// Each cell where it is drawn, in physical pixels at this DPI; object
// navigation walks the cells in the order they are shown, and hit testing
// finds a cell at its middle and nowhere else.
void placesAndNavigation(TestLog& t, HWND main, const Found& found, int dpi)
{
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    int misplaced = 0;
    int missedHits = 0;
    std::string firstMisplaced;
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        IAccessible* cell = row.kind == Layout::WidgetKind::Cell ? found(row.name, row.index) : nullptr;
        if (!cell)
            continue;
        const Layout::PixelRect place = Layout::pixelRect(row, dpi);
        const LONG left = origin.x + place.left;
        const LONG top = origin.y + place.top;
        const LONG right = left + place.width;
        const LONG bottom = top + place.height;
        LONG x = 0, y = 0, width = 0, height = 0;
        cell->accLocation(&x, &y, &width, &height, self());
        if (x != left || y != top || width != right - left || height != bottom - top) {
            ++misplaced;
            if (firstMisplaced.empty())
                firstMisplaced = " (bit " + std::to_string(row.index) + " at " + std::to_string(x) + "," +
                                 std::to_string(y) + " " + std::to_string(width) + "x" + std::to_string(height) + ")";
        }
        VARIANT hit;
        VariantInit(&hit);
        cell->accHitTest((left + right) / 2, (top + bottom) / 2, &hit);
        missedHits += !(hit.vt == VT_I4 && hit.lVal == CHILDID_SELF);
        VariantClear(&hit);
        cell->accHitTest(right + 1, bottom + 1, &hit);
        missedHits += hit.vt != VT_EMPTY;
        VariantClear(&hit);
    }
    t.equal(misplaced, 0, "every cell's location is where the layout puts it at " + std::to_string(dpi) + " dpi" + firstMisplaced);
    t.equal(missedHits, 0, "hit tests find each cell at its middle and not beside it");

    struct Walk {
        LONG direction;
        std::int16_t from;
        int step;
    };
    for (const Walk& walk : {Walk{NAVDIR_NEXT, 23, -1}, Walk{NAVDIR_PREVIOUS, 0, 1}, Walk{NAVDIR_RIGHT, 23, -1}}) {
        IAccessible* at = found(WidgetName::CommandAddressBits, walk.from);
        if (at)
            at->AddRef();
        int visited = 1;
        bool inOrder = true;
        while (at) {
            VARIANT next;
            VariantInit(&next);
            const HRESULT result = at->accNavigate(walk.direction, self(), &next);
            at->Release();
            at = nullptr;
            if (result == S_OK && next.vt == VT_DISPATCH) {
                const int expected = walk.from + walk.step * visited;
                inOrder = inOrder && windowOf(next.pdispVal) == item(main, WidgetName::CommandAddressBits,
                                                                      static_cast<std::int16_t>(expected));
                next.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&at));
                ++visited;
            }
            VariantClear(&next);
            if (visited > 30)
                break;
        }
        t.equal(visited, 24, "navigation " + std::to_string(walk.direction) + " walks all 24 cells from bit " +
                                 std::to_string(walk.from));
        t.check(inOrder, "navigation " + std::to_string(walk.direction) + " walks them in the order shown");
    }
    IDispatch* parent = nullptr;
    IAccessible* cell = found(WidgetName::CommandAddressBits, 7);
    if (cell && SUCCEEDED(cell->get_accParent(&parent)) && parent) {
        t.equal(windowOf(parent), item(main, WidgetName::CommandAddressBits, 7), "a cell's parent is its window");
        parent->Release();
    } else {
        t.check(false, "a cell has a parent");
    }
}

// Requests about children that do not exist, or with a child id of the wrong
// type, answer an error from every object of ours and change nothing.
void badChildren(TestLog& t, HWND main, const Found& found)
{
    std::vector<VARIANT> bad;
    for (const LONG id : {1L, -1L, 24L, 100L, static_cast<LONG>(INT_MIN), static_cast<LONG>(INT_MAX)}) {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = id;
        bad.push_back(v);
    }
    const VARTYPE types[] = {VT_EMPTY, VT_I2, VT_UI4, VT_R8, VT_BOOL, VT_BSTR, VT_NULL, VT_ERROR};
    for (const VARTYPE type : types) {
        VARIANT v;
        VariantInit(&v);
        v.vt = type;
        if (type == VT_BSTR)
            v.bstrVal = SysAllocString(L"0");
        else if (type == VT_R8)
            v.dblVal = 0.0;
        else
            v.lVal = 0;
        bad.push_back(v);
    }
    std::string answered;
    int asked = 0;
    // The cells at both ends and the one in the middle, both boxes and every
    // frame: each kind of object the program makes, and none left out.
    const std::pair<WidgetName, std::int16_t> swept[] = {
        {WidgetName::CommandAddressBits, 0}, {WidgetName::CommandAddressBits, 11}, {WidgetName::CommandAddressBits, 23},
        {WidgetName::TextHexMin, -1},        {WidgetName::TextHexMax, -1},         {WidgetName::Frame1, -1},
        {WidgetName::Frame2, -1},            {WidgetName::Frame3, -1}};
    for (const auto& [name, index] : swept) {
        IAccessible* object = found(name, index);
        const int id = controlId(name, index);
        const bool ours = name == WidgetName::CommandAddressBits;
        if (!object)
            continue;
        for (const VARIANT& child : bad) {
            ++asked;
            const std::string succeeded = methodsThatSucceed(object, child);
            if (!succeeded.empty() && answered.empty())
                answered = " (control " + std::to_string(id) + ", type " + std::to_string(child.vt) + ": " + succeeded + ")";
        }
        VARIANT end;
        VariantInit(&end);
        for (const LONG direction : {0L, 9L, -1L, static_cast<LONG>(INT_MAX)})
            if (ours && SUCCEEDED(object->accNavigate(direction, self(), &end)) && answered.empty())
                answered = " (navigation " + std::to_string(direction) + ")";
        VariantClear(&end);
    }
    for (VARIANT& v : bad)
        VariantClear(&v);
    t.equal(asked, 8 * 14, "cells, boxes and frames asked with every bad child id");
    t.check(answered.empty(), "every request about a bad child id answers an error" + answered);
    wchar_t shown[16] = {};
    SendMessageW(item(main, WidgetName::TextHexMax), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(shown));
    t.check(std::wstring(shown) == L"0x0", "no bad request pressed a cell");
}
