// Command implementations. Actions are posted, never sent, so that a handler which opens a modal
// box cannot block the driver; queries use sends with a time-out or read server-side state.
#include "driver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app_windows.h"
#include "dialog_units.h"
#include "icon_match.h"
#include "process_figures.h"
#include "win32_handles.h"
#include "window_text.h"
#include "wire_format.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::string Ok(const std::vector<std::string>& fields = {}) {
    std::string out = "ok";
    for (const auto& f : fields) {
        out += ' ';
        out += EscapeToken(f);
    }
    return out;
}

std::string Err(const std::string& message) {
    return "err " + EscapeToken(message);
}

long Number(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 0);
}

std::string Hex(const void* value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value)));
    return buffer;
}

HWND HandleFrom(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(text.c_str(), nullptr, 16)));
}

// A dialog that holds more than statics and buttons: a working window, not a message box.
bool HasWorkingControls(HWND dialog) {
    for (HWND child : ChildrenOf(dialog)) {
        const std::string cls = ClassName(child);
        if (cls != "Static" && cls != "Button") return true;
    }
    return false;
}

}  // namespace

HWND Driver::Child(int id) const {
    return main_ ? GetDlgItem(main_, id) : nullptr;
}

std::string Driver::Execute(const std::vector<std::string>& args) {
    if (args.empty()) return Err("empty command");
    const std::string& cmd = args[0];
    auto arg = [&](size_t i) { return i < args.size() ? args[i] : std::string(); };
    if (cmd == "hello") return Ok({std::to_string(GetACP())});
    if (cmd == "find") return Find(args);
    if (cmd == "open") return OpenPort(arg(1));
    if (!main_) return Err("no window found yet");

    if (cmd == "alive") return Ok({IsWindow(main_) && IsWindowVisible(main_) ? "1" : "0"});
    if (cmd == "windows") return Windows();
    if (cmd == "process") return Process();
    if (cmd == "msgbox") return MessageBoxes();
    if (cmd == "answer") return Answer(static_cast<int>(Number(arg(1))), args);
    if (cmd == "children") return Children(HandleFrom(arg(1)));
    if (cmd == "focus") return Focus();
    if (cmd == "key") return Key(arg(1));
    if (cmd == "sysmenu") return SystemMenu();
    if (cmd == "rect")
        return Rect(args.size() > 2 ? static_cast<int>(Number(arg(1))) : 280,
                    args.size() > 2 ? static_cast<int>(Number(arg(2))) : 158);
    if (cmd == "command") {
        PostMessageA(main_, WM_COMMAND, MAKEWPARAM(Number(arg(1)), 0), 0);
        return Ok();
    }
    if (cmd == "syscommand") {
        PostMessageA(main_, WM_SYSCOMMAND, static_cast<WPARAM>(Number(arg(1))), 0);
        return Ok();
    }
    if (cmd == "keymenu") {
        // What Alt+Space does: the system menu opens in the program's own menu loop.
        PostMessageA(main_, WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
        return Ok();
    }
    if (cmd == "close") {
        PostMessageA(main_, WM_CLOSE, 0, 0);
        return Ok();
    }

    // The rest act on one control of the main dialog.
    const int id = static_cast<int>(Number(arg(1)));
    if (cmd == "list") return List(args.size() > 1 ? id : 1013);
    if (cmd == "tail")
        return Tail(id, static_cast<int>(Number(arg(2))), static_cast<int>(Number(arg(3))));
    HWND child = Child(id);
    if (!child) return Err("no control " + arg(1));
    if (cmd == "click") {
        PostMessageA(child, BM_CLICK, 0, 0);
        return Ok();
    }
    if (cmd == "text") {
        const auto text = WindowTextUtf8(child);
        return text ? Ok({*text}) : Err("no answer to WM_GETTEXT");
    }
    if (cmd == "rawtext") return Ok({RawWindowTextUtf8(child)});
    if (cmd == "watchtext") return WatchText(id, static_cast<int>(Number(arg(2))));
    if (cmd == "enabled") return Ok({IsWindowEnabled(child) ? "1" : "0"});
    if (cmd == "combo") return Combo(id);
    if (cmd == "select") {
        const auto result = SendA(child, CB_SETCURSEL, static_cast<WPARAM>(Number(arg(2))), 0);
        return result ? Ok({std::to_string(*result)}) : Err("no answer to CB_SETCURSEL");
    }
    return Err("unknown command " + cmd);
}

std::string Driver::Find(const std::vector<std::string>& args) {
    if (args.size() < 2) return Err("find needs a caption");
    const int wait_ms = args.size() > 2 ? static_cast<int>(Number(args[2])) : 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    size_t seen = 0;
    for (;;) {
        std::vector<HWND> found;
        for (HWND hwnd : DialogsWithCaption(args[1])) {
            if (HasWorkingControls(hwnd)) found.push_back(hwnd);
        }
        seen = found.size();
        if (seen == 1) {
            main_ = found.front();
            tid_ = GetWindowThreadProcessId(main_, &pid_);
            return Ok({Hex(main_), std::to_string(pid_), std::to_string(tid_)});
        }
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Err(seen == 0 ? "no dialog " + args[1]
                         : std::to_string(seen) + " dialogs with caption " + args[1]);
}

std::string Driver::Key(const std::string& name) {
    UINT vk = 0;
    if (name == "escape") vk = VK_ESCAPE;
    if (name == "enter") vk = VK_RETURN;
    if (name == "space") vk = VK_SPACE;
    if (name == "tab") vk = VK_TAB;
    if (name == "up") vk = VK_UP;
    if (name == "down") vk = VK_DOWN;
    if (!vk) return Err("unknown key " + name);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND target = main_;
    if (GetGUIThreadInfo(tid_, &info)) {
        if (info.hwndFocus)
            target = info.hwndFocus;
        else if (info.hwndActive)
            target = info.hwndActive;
    }
    // Posted like real input, so the modal loop's IsDialogMessage sees them.
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(target, WM_KEYUP, vk, scan | 1 | (LPARAM{3} << 30));
    return Ok({std::to_string(GetDlgCtrlID(target)), ClassName(target)});
}

std::string Driver::WatchText(int id, int ms) {
    HWND child = Child(id);
    std::vector<std::string> seen;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < deadline) {
        std::string now = RawWindowTextUtf8(child);
        if (seen.empty() || seen.back() != now) seen.push_back(std::move(now));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return Ok(seen);
}

std::string Driver::List(int id) {
    HWND list = Child(id);
    if (!list) return Err("no control " + std::to_string(id));
    const auto items = ListBoxItems(list);
    const auto top = SendA(list, LB_GETTOPINDEX, 0, 0);
    if (!items || !top) return Err("list box did not answer");
    std::vector<std::string> fields = {std::to_string(items->size()), std::to_string(*top)};
    fields.insert(fields.end(), items->begin(), items->end());
    return Ok(fields);
}

std::string Driver::Tail(int id, int min_count, int ms) {
    // Waits on this side of the pipe, so a long loop of cycles costs no round trip per poll.
    HWND list = Child(id);
    if (!list) return Err("no control " + std::to_string(id));
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const auto count = ListBoxCount(list);
        if (!count) return Err("list box did not answer");
        if (*count >= min_count || Clock::now() >= deadline) {
            const auto last = *count > 0 ? ListBoxItem(list, *count - 1) : std::string();
            if (!last) return Err("list box did not answer");
            return Ok({std::to_string(*count), *last});
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string Driver::Process() {
    const ProcessFigures f = FiguresOf(pid_);
    return Ok({std::to_string(f.threads), std::to_string(f.handles), std::to_string(f.handle_count),
               std::to_string(f.cpu_100ns)});
}

std::string Driver::Combo(int id) {
    HWND combo = Child(id);
    const auto items = ComboBoxItems(combo);
    const auto sel = SendA(combo, CB_GETCURSEL, 0, 0);
    if (!items || !sel) return Err("combo box did not answer");
    std::vector<std::string> fields = {std::to_string(*sel), std::to_string(items->size())};
    fields.insert(fields.end(), items->begin(), items->end());
    return Ok(fields);
}

std::string Driver::Focus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(tid_, &info)) return Err("GetGUIThreadInfo failed");
    if (!info.hwndFocus) return Ok({"0", "none", ""});
    return Ok({std::to_string(GetDlgCtrlID(info.hwndFocus)), ClassName(info.hwndFocus),
               RawWindowTextUtf8(GetAncestor(info.hwndFocus, GA_ROOT))});
}

std::string Driver::MessageBoxes() {
    const auto popups = PopupsOf(pid_, main_);
    std::vector<std::string> fields = {std::to_string(popups.size())};
    for (HWND box : popups) {
        std::string buttons;
        for (const auto& [id, text] : Buttons(box)) {
            if (!buttons.empty()) buttons += ",";
            buttons += std::to_string(id) + ":" + text;
        }
        HWND text = TextStatic(box);
        fields.push_back(Hex(box));
        fields.push_back(RawWindowTextUtf8(box));
        fields.push_back(text ? RawWindowTextUtf8(text) : "");
        fields.push_back(IdentifyIcon(IconStatic(box)));
        fields.push_back(buttons);
    }
    return Ok(fields);
}

std::string Driver::Answer(int id, const std::vector<std::string>& args) {
    HWND box = nullptr;
    if (args.size() > 2) {
        box = HandleFrom(args[2]);
    } else {
        const auto popups = PopupsOf(pid_, main_);
        if (!popups.empty()) box = popups.front();
    }
    if (!box || !IsWindow(box)) return Err("no message box open");
    HWND button = GetDlgItem(box, id);
    if (!button) return Err("message box has no button " + std::to_string(id));
    PostMessageA(button, BM_CLICK, 0, 0);
    return Ok();
}

std::string Driver::Children(HWND parent) {
    if (!parent || !IsWindow(parent)) return Err("no such window");
    std::vector<std::string> fields;
    for (HWND child : ChildrenOf(parent)) {
        fields.push_back(std::to_string(GetDlgCtrlID(child)) + ":" + ClassName(child) + ":" +
                         RawWindowTextUtf8(child));
    }
    return Ok(fields);
}

std::string Driver::SystemMenu() {
    HMENU menu = GetSystemMenu(main_, FALSE);
    if (!menu) return Err("the system menu is not readable from another process");
    const int count = GetMenuItemCount(menu);
    if (count < 0) return Err("the system menu is not readable from another process");
    std::vector<std::string> fields = {std::to_string(count)};
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item)) return Err("menu item");
        fields.push_back((item.fType & MFT_SEPARATOR) ? "sep"
                                                      : std::to_string(item.wID) + ":" + text);
    }
    return Ok(fields);
}

std::string Driver::Rect(int cx, int cy) {
    RECT client = {};
    RECT window = {};
    if (!GetClientRect(main_, &client) || !GetWindowRect(main_, &window)) return Err("window gone");
    // The font of the program's dialog templates.
    const auto pixels = DialogUnitsToPixels(cx, cy, L"MS Sans Serif", 8);
    if (!pixels) return Err("could not map dialog units");
    return Ok({std::to_string(client.right), std::to_string(client.bottom),
               std::to_string(pixels->cx), std::to_string(pixels->cy), std::to_string(window.left),
               std::to_string(window.top), std::to_string(window.right - window.left),
               std::to_string(window.bottom - window.top)});
}

std::string Driver::OpenPort(const std::string& name) {
    const std::string path = "\\\\.\\" + name;
    // The same exclusive open the program makes, so a port still held anywhere fails here.
    const mirl::unique_hfile port(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
    if (!port.is_valid()) return Ok({"failed", std::to_string(GetLastError())});
    return Ok({"opened"});
}

std::string Driver::Windows() {
    struct Search {
        DWORD pid;
        std::vector<std::string> fields;
    } search{pid_, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == s->pid && IsWindowVisible(hwnd))
                s->fields.push_back(ClassName(hwnd) + ":" + RawWindowTextUtf8(hwnd));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return Ok(search.fields);
}

}  // namespace e2e
