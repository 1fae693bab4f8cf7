// Reads the visible page of the "Quintara4Palm Setup" window (or the window
// CAPTION names) as a screen reader does, through Active Accessibility, and
// prints one JSON object:
//
//   msaa_probe.exe [CAPTION]
//   {"found":true,"tag":..., "name":..., "lines":[...], "labels":{"1101":...}}
//
// "tag" is the page window's stored caption (GetWindowText across
// processes), "name" what a reader announces the page by, "lines" the names
// of the page's static texts in reading (window) order, runs that share a top
// edge joined into one line, and "labels" the name of each other page control
// by its id: the static just before it, as Windows' own accessibility names a
// control that has no text of its own. Exit code 0 whenever it printed.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string toUtf8(const wchar_t* text, int length) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string quote(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// The accessible name of a window's client object, as JSON; null when it has none.
std::string nameOf(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))) ||
        object == nullptr) {
        return "null";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = object->get_accName(self, &name);
    object->Release();
    if (result != S_OK || name == nullptr) {
        return "null";
    }
    std::string out = quote(toUtf8(name, static_cast<int>(SysStringLen(name))));
    SysFreeString(name);
    return out;
}

// A name's lines, as JSON-quoted texts: a break reads as the end of a line,
// and a blank line is not read at all.
std::vector<std::string> linesOf(const std::string& quoted) {
    static const std::string kBreak = "\\u000d\\u000a";
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = quoted.find(kBreak, from)) != std::string::npos;
         from = at + kBreak.size()) {
        if (at > from) {
            lines.push_back(quoted.substr(from, at - from));
        }
    }
    lines.push_back(quoted.substr(from));
    return lines;
}

bool isStatic(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"Static") == 0;
}

// The one visible page of the main window: a child whose class is the page's.
HWND visiblePage(HWND main) {
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (lstrcmpW(name, L"Quintara4PalmPage") == 0 && IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

std::string describe(HWND page) {
    wchar_t tag[256] = {};
    const int tagLength = GetWindowTextW(page, tag, 256);
    std::string lines = "[";
    std::string labels = "{";
    std::string line;
    LONG lineTop = 0;
    bool open = false;
    bool joinable = false; // the next static may continue the open line
    std::string lastStatic = "null";
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        if (!isStatic(child)) {
            labels += (labels.size() > 1 ? "," : "") + quote(std::to_string(GetDlgCtrlID(child))) +
                      ":" + lastStatic;
            lastStatic = "null";
            continue;
        }
        lastStatic = nameOf(child);
        if (GetDlgCtrlID(child) == 3002) {
            continue; // a label is read with its control, not as page text
        }
        RECT area{};
        GetWindowRect(child, &area);
        const std::string text =
            lastStatic == "null" ? std::string() : lastStatic.substr(1, lastStatic.size() - 2);
        const std::vector<std::string> parts = linesOf(text);
        if (open && joinable && area.top == lineTop) {
            line += parts.front();
        } else {
            if (open) {
                lines += (lines.size() > 1 ? "," : "") + ("\"" + line + "\"");
            }
            line = parts.front();
            lineTop = area.top;
            open = true;
        }
        joinable = parts.size() == 1;
        for (std::size_t part = 1; part < parts.size(); ++part) {
            lines += (lines.size() > 1 ? "," : "") + ("\"" + line + "\"");
            line = parts[part];
        }
    }
    if (open) {
        lines += (lines.size() > 1 ? "," : "") + ("\"" + line + "\"");
    }
    return "{\"found\":true,\"tag\":" + quote(toUtf8(tag, tagLength)) +
           ",\"name\":" + nameOf(page) + ",\"lines\":" + lines + "],\"labels\":" + labels + "}}";
}

} // namespace

int main(int argc, char** argv) {
    std::wstring caption = L"Quintara4Palm Setup";
    if (argc > 1) {
        caption.assign(argv[1], argv[1] + std::strlen(argv[1]));
    }
    CoInitialize(nullptr);
    HWND main = FindWindowW(nullptr, caption.c_str());
    HWND page = main != nullptr ? visiblePage(main) : nullptr;
    std::puts(page != nullptr ? describe(page).c_str() : "{\"found\":false}");
    CoUninitialize();
    return 0;
}
