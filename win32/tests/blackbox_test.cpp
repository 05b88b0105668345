// Starts the real executable, drives its window from this separate process
// as a user or an automation tool would, and checks how it ends.
#include "controlids.h"
#include "drive.h"
#include "launch.h"
#include "product.h"
#include "testlog.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Layout::WidgetName;

std::string narrowPath(const std::wstring& path)
{
    char bytes[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// The window's own DPI awareness (Windows 10 1607 and later), or -1 where
// the system cannot tell.
int awarenessOf(HWND window)
{
    using GetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using AwarenessFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto getContext = user32Function<GetContextFn>("GetWindowDpiAwarenessContext");
    const auto awareness = user32Function<AwarenessFn>("GetAwarenessFromDpiAwarenessContext");
    return getContext && awareness ? static_cast<int>(awareness(getContext(window))) : -1;
}

std::wstring versionString(const std::wstring& path, const wchar_t* key)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return L"<none>";
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return L"<missing>";
    return value;
}

std::vector<char> fileBytes(const std::wstring& path)
{
    std::ifstream in(narrowPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The DLLs the image imports, upper-cased and in order, read from its bytes.
std::vector<std::string> importedDlls(const std::vector<char>& bytes, std::size_t ntOffset, const IMAGE_NT_HEADERS32& nt)
{
    std::vector<IMAGE_SECTION_HEADER> sections(nt.FileHeader.NumberOfSections);
    const std::size_t sectionTable =
        ntOffset + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
    if (sectionTable + sections.size() * sizeof(IMAGE_SECTION_HEADER) > bytes.size())
        return {"<no section table>"};
    std::copy_n(bytes.data() + sectionTable, sections.size() * sizeof(IMAGE_SECTION_HEADER),
                reinterpret_cast<char*>(sections.data()));
    const auto offsetOf = [&](DWORD rva) -> std::size_t {
        for (const IMAGE_SECTION_HEADER& section : sections)
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
                return rva - section.VirtualAddress + section.PointerToRawData;
        return 0;
    };
    // A 64-bit image's optional header is longer: its directory sits further on.
    IMAGE_NT_HEADERS64 nt64{};
    if (nt.OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC && ntOffset + sizeof nt64 <= bytes.size())
        std::copy_n(bytes.data() + ntOffset, sizeof nt64, reinterpret_cast<char*>(&nt64));
    const DWORD directory = nt.OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                                ? nt64.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress
                                : nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::vector<std::string> names;
    std::size_t at = offsetOf(directory);
    for (; at && at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= bytes.size(); at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR entry{};
        std::copy_n(bytes.data() + at, sizeof entry, reinterpret_cast<char*>(&entry));
        if (entry.Name == 0)
            break;
        std::string name;
        for (std::size_t c = offsetOf(entry.Name); c && c < bytes.size() && bytes[c]; ++c)
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(bytes[c])));
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// What the file itself promises Windows: size, header flags, icon frames
// and manifest.
void checkImage(TestLog& t, const std::wstring& program)
{
    const std::vector<char> bytes = fileBytes(program);
    t.check(!bytes.empty() && bytes.size() <= 102400, "the executable is at most 100 KB (" +
                                                          std::to_string(bytes.size()) + " bytes)");
    IMAGE_DOS_HEADER dos{};
    IMAGE_NT_HEADERS32 nt{};
    if (bytes.size() >= sizeof dos)
        std::copy_n(bytes.data(), sizeof dos, reinterpret_cast<char*>(&dos));
    if (dos.e_lfanew > 0 && bytes.size() >= static_cast<std::size_t>(dos.e_lfanew) + sizeof nt)
        std::copy_n(bytes.data() + dos.e_lfanew, sizeof nt, reinterpret_cast<char*>(&nt));
    const WORD flags = nt.OptionalHeader.DllCharacteristics;
    const std::pair<WORD, const char*> required[] = {{IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, "DYNAMIC_BASE"},
                                                     {IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "NX_COMPAT"},
                                                     {IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE,
                                                      "TERMINAL_SERVER_AWARE"}};
    for (const auto& [flag, name] : required)
        t.check(nt.Signature == IMAGE_NT_SIGNATURE && (flags & flag), std::string("PE header carries ") + name);
    t.check(nt.Signature == IMAGE_NT_SIGNATURE && nt.FileHeader.TimeDateStamp == 0,
            "no link time in the header, so builds repeat byte for byte");
    // Only DLLs that Windows loads from its own folder whatever lies beside
    // the executable; oleacc.dll, for one, is loaded by path at run time.
    const std::vector<std::string> imports = importedDlls(bytes, static_cast<std::size_t>(dos.e_lfanew), nt);
    const std::vector<std::string> allowed = {"GDI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL", "OLE32.DLL", "OLEAUT32.DLL",
                                              "USER32.DLL"};
    std::string listed;
    for (const std::string& name : imports)
        listed += " " + name;
    t.check(nt.Signature == IMAGE_NT_SIGNATURE && imports == allowed, "the executable imports only" + listed);

    HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    // The icon group's directory: 16 and 32 px in 16 colours, 48 and 256 px
    // in 32 bits, the largest stored as PNG.
    struct Frame {
        int size;
        WORD bits;
    };
    const Frame frames[] = {{16, 4}, {32, 4}, {48, 32}, {256, 32}};
    HRSRC group = image ? FindResourceW(image, MAKEINTRESOURCEW(1), RT_GROUP_ICON) : nullptr;
    const auto* directory = group ? static_cast<const BYTE*>(LockResource(LoadResource(image, group))) : nullptr;
    const WORD count = directory ? *reinterpret_cast<const WORD*>(directory + 4) : 0;
    for (const Frame& frame : frames) {
        bool found = false;
        bool png = false;
        for (WORD i = 0; i < count; ++i) {
            const BYTE* entry = directory + 6 + 14 * i; // width, height, colours, 0, planes, bits, size, id
            const int width = entry[0] ? entry[0] : 256;
            const WORD bits = *reinterpret_cast<const WORD*>(entry + 6);
            const WORD id = *reinterpret_cast<const WORD*>(entry + 12);
            if (width == frame.size && bits == frame.bits) {
                found = true;
                HRSRC icon = FindResourceW(image, MAKEINTRESOURCEW(id), RT_ICON);
                const auto* data = icon ? static_cast<const BYTE*>(LockResource(LoadResource(image, icon))) : nullptr;
                png = data && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
            }
        }
        const std::string name = std::to_string(frame.size) + " px " + std::to_string(frame.bits) + "-bit icon frame";
        t.check(found, "the icon has a " + name);
        if (frame.size == 256)
            t.check(png, "the 256 px frame is PNG-compressed");
    }

    HRSRC manifestResource = image ? FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
    const std::string manifest =
        manifestResource ? std::string(static_cast<const char*>(LockResource(LoadResource(image, manifestResource))),
                                       SizeofResource(image, manifestResource))
                         : std::string();
    const char* const promises[] = {
        ">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>", "level=\"asInvoker\"",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
    for (const char* promise : promises)
        t.check(manifest.find(promise) != std::string::npos, std::string("the manifest says ") + promise);
    if (image)
        FreeLibrary(image);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    TestLog t;
    if (!t.check(argc == 2 || argc == 3, "usage: blackbox_test PROGRAM.exe [DPI]"))
        return t.finish();
    const std::wstring program = argv[1];
    const int dpi = argc == 3 ? _wtoi(argv[2]) : 96;
    readInPhysicalPixels();
    // The file is the same at every DPI: its checks run once.
    if (dpi == 96) {
        checkImage(t, program);
        const std::wstring version(kProductVersion.begin(), kProductVersion.end());
        t.check(versionString(program, L"FileVersion") == version, "FileVersion reads the project's version");
        t.check(versionString(program, L"ProductVersion") == version, "ProductVersion reads the project's version");
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!t.check(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process),
                 "program starts"))
        return t.finish();

    HWND window = waitForWindow(process.dwProcessId);
    DWORD closedAt = GetTickCount();
    if (t.check(window != nullptr, "window titled \"Address range finder\" is shown")) {
        HWND hexMin = GetDlgItem(window, controlId(WidgetName::TextHexMin, -1));
        HWND hexMax = GetDlgItem(window, controlId(WidgetName::TextHexMax, -1));
        t.check(textOf(hexMin) == "0x0" && textOf(hexMax) == "0x0", "boxes start at 0x0");
        const int awareness = awarenessOf(window);
        t.check(awareness == -1 || awareness == DPI_AWARENESS_PER_MONITOR_AWARE,
                "the window is per-monitor DPI aware (" + std::to_string(awareness) + ")");
        RECT client{};
        GetClientRect(window, &client);
        t.check(client.right == Layout::twipsToPixels(Layout::kClientWidth, dpi) && client.bottom == Layout::twipsToPixels(Layout::kClientHeight, dpi),
                "the window is drawn at " + std::to_string(dpi) + " dpi, not stretched");

        struct Step {
            std::int16_t bit;
            const char* min;
            const char* max;
        };
        const Step steps[] = {{23, "0x800000", "0x800000"}, {23, "0x0", "0x800000"}, {0, "0x1", "0x800001"},
                              {23, "0x1", "0x1"}};
        for (const Step& step : steps) {
            click(GetDlgItem(window, controlId(WidgetName::CommandAddressBits, step.bit)));
            t.check(textOf(hexMin) == step.min, "min after clicking bit " + std::to_string(step.bit));
            t.check(textOf(hexMax) == step.max, "max after clicking bit " + std::to_string(step.bit));
        }
        SendMessageW(GetDlgItem(window, controlId(WidgetName::OptionMode, 0)), BM_CLICK, 0, 0);
        t.check(textOf(GetDlgItem(window, controlId(WidgetName::Label1, 23))) == "23", "standard numbering");
        t.check(textOf(hexMax) == "0x1", "mode switch leaves the boxes");

        closedAt = closeWindow(window);
    }
    const bool ended = processEnded(process.hProcess, closedAt, 1000);
    t.check(ended, "process ends within a second of WM_CLOSE");
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    t.check(exitCode == 0, "exit status 0");
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return t.finish();
}
