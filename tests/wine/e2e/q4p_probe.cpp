// Finds the "Quintara4Palm Setup" window (or the uninstaller's) and prints what
// a person would see on it as one JSON object on stdout: the visible page's
// tag, the buttons, the folder and user controls, the summary and the list of
// what was not placed, the uninstaller's two lists, with screen rectangles so
// that the test driver can click the controls.
//
//   q4p_probe.exe            the state, or {"found":false} when there is no window
//   q4p_probe.exe --serve    one state per line read from stdin, until "quit" or the
//                            end of input (a Windows process started once, not per look);
//                            the line "notify" first posts every page a command from no
//                            control (notifyPages)
//   --window CAPTION         first: the window of that caption instead of the setup's
//
// A window that is not shown yet or does not answer (start-up still running, the
// installation running inside the Install click) gives {"found":true,"ready":false}
// at once instead of a wait on every message.
// Exit code 0 whenever it printed an answer. Texts are read with WM_GETTEXT and
// the list-box messages, which Windows (and Wine) marshal across processes.
#include "platform/win32/win32.h"
#include "uninstall/control_ids.h"
#include "winui/window_ids.h"
#include "wizard/control_ids.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// The window looked for: the setup's unless --window names another.
std::wstring caption = L"Quintara4Palm Setup";
constexpr UINT kTimeoutMs = 2000; // a hung wizard must not hang the probe

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::string quote(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs,
                             &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

std::string windowText(HWND window) {
    LRESULT length = send(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return toUtf8(text);
}

// A page's tag: its stored caption, which GetWindowText reads across
// processes (asked by message, a page answers its title instead).
std::string storedText(HWND window) {
    wchar_t text[256] = {};
    return toUtf8(std::wstring(text, static_cast<std::size_t>(GetWindowTextW(window, text, 256))));
}

// A button's caption as it shows: the '&' before the access key's letter is
// drawn as the letter's underline.
std::string shownCaption(HWND button) {
    std::string text = windowText(button);
    const std::size_t mark = text.find('&');
    if (mark != std::string::npos) {
        text.erase(mark, 1);
    }
    return text;
}

std::string rectJson(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return buffer;
}

// Items of a list box or of a combo box's list.
std::vector<std::string> items(HWND window, UINT countMsg, UINT lengthMsg, UINT textMsg) {
    std::vector<std::string> out;
    LRESULT count = send(window, countMsg, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = send(window, lengthMsg, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            out.emplace_back();
            continue;
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        LRESULT copied =
            send(window, textMsg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        out.push_back(toUtf8(text));
    }
    return out;
}

std::string listJson(const std::vector<std::string>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        out += (i ? "," : "") + quote(values[i]);
    }
    return out + "]";
}

// Screen rectangles of a list box's visible items, worked out from the item
// height and the first visible item: LB_GETITEMRECT's RECT is not carried
// across processes everywhere.
std::string itemRectsJson(HWND list, std::size_t count) {
    RECT client{};
    GetClientRect(list, &client);
    LRESULT height = send(list, LB_GETITEMHEIGHT, 0, 0);
    LRESULT top = send(list, LB_GETTOPINDEX, 0, 0);
    std::string out = "[";
    for (std::size_t i = 0; i < count; ++i) {
        long row = static_cast<long>(i) - static_cast<long>(top);
        POINT a{client.left, static_cast<LONG>(row * height)};
        POINT b{client.right, static_cast<LONG>((row + 1) * height)};
        bool shown = height > 0 && row >= 0 && b.y <= client.bottom;
        ClientToScreen(list, &a);
        ClientToScreen(list, &b);
        char buffer[112];
        if (shown) {
            std::snprintf(buffer, sizeof buffer, "[%ld,%ld,%ld,%ld]", a.x, a.y, b.x, b.y);
        } else {
            std::snprintf(buffer, sizeof buffer, "null");
        }
        out += (i ? "," : "") + std::string(buffer);
    }
    return out + "]";
}

struct Found {
    HWND window = nullptr;
    int id = 0;
};

BOOL CALLBACK collect(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<Found>*>(param)->push_back({child, GetDlgCtrlID(child)});
    return TRUE;
}

HWND byId(const std::vector<Found>& all, int id) {
    for (const Found& f : all) {
        if (f.id == id) {
            return f.window;
        }
    }
    return nullptr;
}

std::string common(HWND control) {
    return "\"visible\":" + std::string(IsWindowVisible(control) ? "true" : "false") +
           ",\"enabled\":" + (IsWindowEnabled(control) ? "true" : "false") +
           ",\"rect\":" + rectJson(control);
}

std::string control(HWND control, const std::string& extra) {
    if (!control) {
        return "null";
    }
    return "{" + common(control) + (extra.empty() ? "" : "," + extra) + "}";
}

std::string textControl(HWND window) {
    return control(window, window ? "\"text\":" + quote(windowText(window)) : "");
}

std::string buttonControl(HWND window) {
    return control(window, window ? "\"text\":" + quote(shownCaption(window)) : "");
}

std::string listControl(HWND list, bool withRects) {
    if (!list) {
        return "null";
    }
    auto values = items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    std::string extra = "\"items\":" + listJson(values) +
                        ",\"selected\":" + std::to_string(send(list, LB_GETCURSEL, 0, 0));
    if (withRects) {
        extra += ",\"itemRects\":" + itemRectsJson(list, values.size());
    }
    return control(list, extra);
}

std::string comboControl(HWND combo) {
    if (!combo) {
        return "null";
    }
    auto values = items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    return control(combo, "\"items\":" + listJson(values) +
                              ",\"selected\":" + std::to_string(send(combo, CB_GETCURSEL, 0, 0)) +
                              ",\"text\":" + quote(windowText(combo)));
}

// The name (as in the state's keys) of the control with the keyboard focus in
// the window's thread; "other" for anything else, null for nothing.
std::string focusJson(HWND main, const std::vector<Found>& all) {
    namespace ids = q4p::window_ids;
    static const std::pair<const char*, int> kNamed[] = {
        {"next", ids::kNext},           {"back", ids::kBack},
        {"cancel", ids::kCancel},       {"dirName", ids::kDirName},
        {"drive", ids::kDrive},         {"dirList", ids::kDirList},
        {"listUsers", ids::kListUsers}, {"listaFicheiros", ids::kListaFicheiros},
    };
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ||
        info.hwndFocus == nullptr) {
        return "null";
    }
    for (const auto& [name, id] : kNamed) {
        if (byId(all, id) == info.hwndFocus) {
            return quote(name);
        }
    }
    return "\"other\"";
}

std::string describe(HWND main) {
    std::vector<Found> all;
    EnumChildWindows(main, collect, reinterpret_cast<LPARAM>(&all));

    std::string pages = "[";
    std::string visibleTags = "[";
    int visibleCount = 0;
    std::string visibleTag;
    for (const Found& f : all) {
        if (GetParent(f.window) != main || f.id < q4p::window_ids::kFirstPage ||
            f.id >= q4p::window_ids::kFirstPage + 100) {
            continue;
        }
        std::string tag = storedText(f.window);
        bool visible = IsWindowVisible(f.window) != FALSE;
        pages += (pages.size() > 1 ? "," : "") + std::string("{\"index\":") +
                 std::to_string(f.id - q4p::window_ids::kFirstPage) + ",\"tag\":" + quote(tag) +
                 ",\"visible\":" + (visible ? "true" : "false") + "}";
        if (visible) {
            visibleTags += (visibleCount ? "," : "") + quote(tag);
            visibleTag = tag;
            ++visibleCount;
        }
    }
    pages += "]";
    visibleTags += "]";

    // The main window's own children in the order Tab and a reader walk them:
    // a button by its name, a page by its tag.
    std::string stack = "[";
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        const char* button = id == q4p::window_ids::kNext     ? "next"
                             : id == q4p::window_ids::kBack   ? "back"
                             : id == q4p::window_ids::kCancel ? "cancel"
                                                              : nullptr;
        stack += (stack.size() > 1 ? "," : "") + quote(button ? button : storedText(child));
    }
    stack += "]";

    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    std::string out = "{\"found\":true,\"ready\":true";
    out += ",\"hwnd\":" + std::to_string(reinterpret_cast<ULONG_PTR>(main));
    out += ",\"pid\":" + std::to_string(process);
    out += ",\"title\":" + quote(windowText(main));
    out += ",\"window\":" + control(main, "");
    out += ",\"page\":" + (visibleCount == 1 ? quote(visibleTag) : std::string("null"));
    out += ",\"visiblePages\":" + visibleTags;
    out += ",\"pages\":" + pages;
    out += ",\"stack\":" + stack;
    out += ",\"buttons\":{\"next\":" + buttonControl(byId(all, q4p::window_ids::kNext));
    out += ",\"back\":" + buttonControl(byId(all, q4p::window_ids::kBack));
    out += ",\"cancel\":" + buttonControl(byId(all, q4p::window_ids::kCancel)) + "}";
    out += ",\"dirName\":" + textControl(byId(all, q4p::window_ids::kDirName));
    out += ",\"drive\":" + comboControl(byId(all, q4p::window_ids::kDrive));
    out += ",\"dirList\":" + listControl(byId(all, q4p::window_ids::kDirList), false);
    out += ",\"listUsers\":" + listControl(byId(all, q4p::window_ids::kListUsers), true);
    out += ",\"listaFicheiros\":" + textControl(byId(all, q4p::window_ids::kListaFicheiros));
    out += ",\"incompleteList\":" + textControl(byId(all, q4p::window_ids::kIncompleteList));
    out += ",\"folderList\":" + textControl(byId(all, q4p::window_ids::kFolderList));
    out += ",\"stayList\":" + textControl(byId(all, q4p::window_ids::kStayList));
    out += ",\"focus\":" + focusJson(main, all);
    return out + "}";
}

std::string snapshot() {
    HWND wizard = FindWindowW(caption.c_str(), caption.c_str());
    if (!wizard) {
        wizard = FindWindowW(nullptr, caption.c_str());
    }
    if (!wizard) {
        return "{\"found\":false}";
    }
    DWORD_PTR ignored = 0;
    bool answers = SendMessageTimeoutW(wizard, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &ignored) != 0;
    return answers && IsWindowVisible(wizard) ? describe(wizard)
                                              : std::string("{\"found\":true,\"ready\":false}");
}

// Posts each page what a menu or an accelerator sends (WM_COMMAND with no
// control) and a colour question naming no control, as any program may: a page
// must pass them on, not read them as something they are not. Posted, not
// sent: the wizard's own message loop handles them, where a fault ends the
// program (Wine, like Windows, survives a fault in a message sent from another
// process). Waits a moment for them to be handled.
void notifyPages() {
    HWND wizard = FindWindowW(caption.c_str(), caption.c_str());
    if (!wizard) {
        wizard = FindWindowW(nullptr, caption.c_str());
    }
    if (!wizard) {
        return;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(wizard, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    std::vector<Found> all;
    EnumChildWindows(wizard, collect, reinterpret_cast<LPARAM>(&all));
    for (const Found& f : all) {
        if (GetParent(f.window) == wizard && f.id >= q4p::window_ids::kFirstPage &&
            f.id < q4p::window_ids::kFirstPage + 100) {
            PostMessageW(f.window, WM_COMMAND, 0, 0);
            PostMessageW(f.window, WM_CTLCOLORLISTBOX, 0, 0);
        }
    }
    if (process) {
        WaitForSingleObject(process, 700);
        CloseHandle(process);
    }
}

void print(const std::string& json) {
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--window") == 0) {
        const int length = MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, nullptr, 0);
        caption.assign(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, caption.data(), length);
        caption.resize(caption.size() - 1);
        argc -= 2;
        argv += 2;
    }
    if (argc > 1 && std::strcmp(argv[1], "--serve") == 0) {
        char line[64];
        while (std::fgets(line, sizeof line, stdin) && std::strncmp(line, "quit", 4) != 0) {
            if (std::strncmp(line, "notify", 6) == 0) {
                notifyPages();
            }
            print(snapshot());
        }
        return 0;
    }
    print(snapshot());
    return 0;
}
