// Command implementations. Actions are posted, never sent, so that a handler which opens a modal
// box cannot block the driver; queries use sends with a time-out or read server-side state.
#include "driver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>
#include <utility>

#include "app_windows.h"
#include "dialog_units.h"
#include "icon_match.h"
#include "process_figures.h"
#include "row_image.h"
#include "win32_handles.h"
#include "window_text.h"
#include "wire_format.h"

namespace e2e {
namespace {

// One request's tokens, the command first; `control` is set for the commands that act on one
// control of the main dialog, the one whose id is the first argument.
struct Request {
    const std::vector<std::string>& args;
    HWND control = nullptr;
    std::string Arg(size_t i) const { return i < args.size() ? args[i] : std::string(); }
    int Int(size_t i) const { return static_cast<int>(std::strtol(Arg(i).c_str(), nullptr, 0)); }
};

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

HWND FocusOf(const Target& t) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(t.tid, &info)) return t.main;
    if (info.hwndFocus) return info.hwndFocus;
    return info.hwndActive ? info.hwndActive : t.main;
}

// Under Wine a window that has just been shown is activated through the X server, late when the
// machine is busy: until then the focus is not in it, and keys sent to it would go astray. True
// once the focus is in `window`, false if it is not by the deadline.
bool AwaitFocusWithin(const Target& t, HWND window, Clock::time_point deadline) {
    for (;;) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        const HWND focus = GetGUIThreadInfo(t.tid, &info) ? info.hwndFocus : nullptr;
        if (focus == window || IsChild(window, focus)) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string Find(Target& t, const Request& r) {
    const std::string caption = r.Arg(1);
    if (caption.empty()) return Err("find needs a caption");
    const auto deadline = Clock::now() + std::chrono::milliseconds(r.Int(2));
    size_t seen = 0;
    for (;;) {
        std::vector<HWND> found;
        for (HWND hwnd : DialogsWithCaption(caption)) {
            if (HasWorkingControls(hwnd)) found.push_back(hwnd);
        }
        seen = found.size();
        if (seen == 1) {
            t.main = found.front();
            t.tid = GetWindowThreadProcessId(t.main, &t.pid);
            AwaitFocusWithin(t, t.main, deadline);
            return Ok({Hex(t.main), std::to_string(t.pid), std::to_string(t.tid)});
        }
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Err(seen == 0 ? "no dialog " + caption
                         : std::to_string(seen) + " dialogs with caption " + caption);
}

std::string Alive(Target& t, const Request&) {
    return Ok({IsWindow(t.main) && IsWindowVisible(t.main) ? "1" : "0"});
}

std::string Process(Target& t, const Request&) {
    const ProcessFigures f = FiguresOf(t.pid);
    return Ok({std::to_string(f.threads), std::to_string(f.handles), std::to_string(f.handle_count),
               std::to_string(f.cpu_100ns)});
}

std::string MessageBoxes(Target& t, const Request&) {
    const auto popups = PopupsOf(t.pid, t.main);
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

std::string Answer(Target& t, const Request& r) {
    HWND box = nullptr;
    if (r.args.size() > 2) {
        box = HandleFrom(r.args[2]);
    } else {
        const auto popups = PopupsOf(t.pid, t.main);
        if (!popups.empty()) box = popups.front();
    }
    if (!box || !IsWindow(box)) return Err("no message box open");
    HWND button = GetDlgItem(box, r.Int(1));
    if (!button) return Err("message box has no button " + r.Arg(1));
    PostMessageA(button, BM_CLICK, 0, 0);
    return Ok();
}

std::string Children(Target&, const Request& r) {
    HWND parent = HandleFrom(r.Arg(1));
    if (!parent || !IsWindow(parent)) return Err("no such window");
    std::vector<std::string> fields;
    for (HWND child : ChildrenOf(parent)) {
        fields.push_back(std::to_string(GetDlgCtrlID(child)) + ":" + ClassName(child) + ":" +
                         RawWindowTextUtf8(child));
    }
    return Ok(fields);
}

std::string Focus(Target& t, const Request&) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(t.tid, &info)) return Err("GetGUIThreadInfo failed");
    if (!info.hwndFocus) return Ok({"0", "none", ""});
    return Ok({std::to_string(GetDlgCtrlID(info.hwndFocus)), ClassName(info.hwndFocus),
               RawWindowTextUtf8(GetAncestor(info.hwndFocus, GA_ROOT))});
}

// A key goes where the focus is. A box that has just opened may not have the focus yet, and a key
// sent meanwhile would reach the disabled dialog below it: with a box open, the key waits for the
// focus to be in the box, and goes to the box itself if it never comes.
HWND KeyTarget(const Target& t) {
    const auto popups = PopupsOf(t.pid, t.main);
    if (popups.empty()) return FocusOf(t);
    const HWND box = popups.front();
    return AwaitFocusWithin(t, box, Clock::now() + std::chrono::milliseconds(2000)) ? FocusOf(t)
                                                                                    : box;
}

std::string Key(Target& t, const Request& r) {
    static constexpr std::pair<std::string_view, UINT> kKeys[] = {
        {"escape", VK_ESCAPE}, {"enter", VK_RETURN}, {"space", VK_SPACE},
        {"tab", VK_TAB},       {"up", VK_UP},        {"down", VK_DOWN},
    };
    const std::string name = r.Arg(1);
    const auto key = std::find_if(std::begin(kKeys), std::end(kKeys),
                                  [&](const auto& k) { return k.first == name; });
    if (key == std::end(kKeys)) return Err("unknown key " + name);
    const UINT vk = key->second;
    const HWND target = KeyTarget(t);
    // Posted like real input, so the modal loop's IsDialogMessage sees them.
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(target, WM_KEYUP, vk, scan | 1 | (LPARAM{3} << 30));
    return Ok({std::to_string(GetDlgCtrlID(target)), ClassName(target)});
}

// Waits until `open` is what the program's pop-up menu state is; the menu, or nullptr.
HWND WaitForMenu(const Target& t, bool open) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(5000);
    for (;;) {
        HWND menu = OpenMenuOf(t.pid);
        if ((menu != nullptr) == open || Clock::now() >= deadline) return menu;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string KeyMenu(Target& t, const Request&) {
    // What Alt+Space does: the system menu opens in the program's own menu loop. Answered once
    // the menu is open, so that the keys sent next reach the menu and not the dialog.
    PostMessageA(t.main, WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
    return WaitForMenu(t, true) ? Ok() : Err("no menu opened");
}

std::string Rect(Target& t, const Request& r) {
    RECT client = {};
    RECT window = {};
    if (!GetClientRect(t.main, &client) || !GetWindowRect(t.main, &window))
        return Err("window gone");
    // The font of the program's dialog templates.
    const auto pixels = DialogUnitsToPixels(r.Int(1), r.Int(2), L"MS Sans Serif", 8);
    if (!pixels) return Err("could not map dialog units");
    return Ok({std::to_string(client.right), std::to_string(client.bottom),
               std::to_string(pixels->cx), std::to_string(pixels->cy), std::to_string(window.left),
               std::to_string(window.top), std::to_string(window.right - window.left),
               std::to_string(window.bottom - window.top)});
}

// The DPI the display is drawn at, and the window's DPI awareness as the system reports it: what
// the program's manifest asked for. The awareness calls came with Windows 10, after the program's
// floor, so they are looked up, and "-" stands where the system has none.
std::string Dpi(Target& t, const Request&) {
    const mirl::unique_window_dc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    using WindowContext = HANDLE(WINAPI*)(HWND);
    using AwarenessOf = int(WINAPI*)(HANDLE);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto window_context = reinterpret_cast<WindowContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const auto awareness_of = reinterpret_cast<AwarenessOf>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    std::string awareness = "-";
    if (window_context && awareness_of) {
        static constexpr const char* kNames[] = {"unaware", "system", "per-monitor"};
        const int value = awareness_of(window_context(t.main));
        awareness = value >= 0 && value <= 2 ? kNames[value] : "invalid";
    }
    return Ok({std::to_string(dpi), awareness});
}

std::string PostCommand(Target& t, const Request& r) {
    PostMessageA(t.main, WM_COMMAND, MAKEWPARAM(r.Int(1), 0), 0);
    return Ok();
}

std::string PostSysCommand(Target& t, const Request& r) {
    PostMessageA(t.main, WM_SYSCOMMAND, static_cast<WPARAM>(r.Int(1)), 0);
    return Ok();
}

std::string Click(Target&, const Request& r) {
    PostMessageA(r.control, BM_CLICK, 0, 0);
    return Ok();
}

std::string Text(Target&, const Request& r) {
    const auto text = WindowTextUtf8(r.control);
    return text ? Ok({*text}) : Err("no answer to WM_GETTEXT");
}

// With "click", the button is clicked once its first text is read: a click posted before the
// watch began could change the text before the first read on a busy machine.
std::string WatchText(Target&, const Request& r) {
    std::vector<std::string> seen;
    const auto deadline = Clock::now() + std::chrono::milliseconds(r.Int(2));
    while (Clock::now() < deadline) {
        std::string now = RawWindowTextUtf8(r.control);
        if (seen.empty() && r.Arg(3) == "click") PostMessageA(r.control, BM_CLICK, 0, 0);
        if (seen.empty() || seen.back() != now) seen.push_back(std::move(now));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return Ok(seen);
}

std::string Enabled(Target&, const Request& r) {
    return Ok({IsWindowEnabled(r.control) ? "1" : "0"});
}

std::string List(Target&, const Request& r) {
    const auto items = ListBoxItems(r.control);
    const auto top = SendA(r.control, LB_GETTOPINDEX, 0, 0);
    if (!items || !top) return Err("list box did not answer");
    std::vector<std::string> fields = {std::to_string(items->size()), std::to_string(*top)};
    fields.insert(fields.end(), items->begin(), items->end());
    return Ok(fields);
}

std::string Tail(Target&, const Request& r) {
    // Waits on this side of the pipe, so a long loop of cycles costs no round trip per poll.
    const int min_count = r.Int(2);
    const auto deadline = Clock::now() + std::chrono::milliseconds(r.Int(3));
    for (;;) {
        const auto count = ListBoxCount(r.control);
        if (!count) return Err("list box did not answer");
        if (*count >= min_count || Clock::now() >= deadline) {
            const auto last = *count > 0 ? ListBoxItem(r.control, *count - 1) : std::string();
            if (!last) return Err("list box did not answer");
            return Ok({std::to_string(*count), *last});
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string Combo(Target&, const Request& r) {
    const auto items = ComboBoxItems(r.control);
    const auto sel = SendA(r.control, CB_GETCURSEL, 0, 0);
    if (!items || !sel) return Err("combo box did not answer");
    std::vector<std::string> fields = {std::to_string(*sel), std::to_string(items->size())};
    fields.insert(fields.end(), items->begin(), items->end());
    return Ok(fields);
}

// `present <id>`: the indices of the combo's items whose item data is not 0.
std::string Present(Target&, const Request& r) {
    const auto count = SendA(r.control, CB_GETCOUNT, 0, 0);
    if (!count) return Err("combo box did not answer");
    std::vector<std::string> fields;
    for (WPARAM index = 0; index < static_cast<WPARAM>(*count); ++index) {
        const auto data = SendA(r.control, CB_GETITEMDATA, index, 0);
        if (!data) return Err("combo box did not answer");
        if (*data != 0) fields.push_back(std::to_string(index));
    }
    return Ok(fields);
}

// `dropdown <id> 1 [top]`: opens the combo's list (scrolled to item `top`) and answers the box's
// width and the open list's, in pixels; `dropdown <id> 0` closes it.
std::string DropDown(Target& t, const Request& r) {
    if (!SendA(r.control, CB_SHOWDROPDOWN, r.Int(2) != 0, 0)) return Err("no answer");
    if (r.Int(2) == 0) return Ok();
    const HWND list = VisibleTopLevelOf(t.pid, "ComboLBox");
    RECT box{}, opened{};
    if (!list || !GetWindowRect(r.control, &box) || !GetWindowRect(list, &opened))
        return Err("no open list");
    if (r.args.size() > 3) SendA(list, LB_SETTOPINDEX, static_cast<WPARAM>(r.Int(3)), 0);
    return Ok({std::to_string(box.right - box.left), std::to_string(opened.right - opened.left)});
}

// Item `index`'s row as the screen shows it now: of an open combo box's list, or a list box's.
std::unique_ptr<mirl::test::RowImage> RowOnScreen(const Target& t, const Request& r) {
    const bool combo = ClassName(r.control).ends_with("ComboBox");
    const HWND items = combo ? VisibleTopLevelOf(t.pid, "ComboLBox") : r.control;
    RECT row{};
    const auto got =
        SendA(items, LB_GETITEMRECT, static_cast<WPARAM>(r.Int(2)), reinterpret_cast<LPARAM>(&row));
    if (!got || *got == LB_ERR) return nullptr;
    MapWindowPoints(items, nullptr, reinterpret_cast<POINT*>(&row), 2);
    auto shown = std::make_unique<mirl::test::RowImage>(row);
    return shown->CopyScreen(row) ? std::move(shown) : nullptr;
}

// Reads the row on the screen until `shows` says it is as wanted or the deadline has passed
// (a list repaints a moment after it is scrolled, and the screen a moment after that), and
// answers what `shows` made of the last reading.
template <typename Shows>
std::string WatchRow(const Target& t, const Request& r, std::chrono::milliseconds patience,
                     Shows shows) {
    const auto deadline = Clock::now() + patience;
    for (;;) {
        const auto shown = RowOnScreen(t, r);
        if (!shown) return Err("no such row on the screen");
        const auto [wanted, answer] = shows(*shown);
        if (wanted || Clock::now() >= deadline) return Ok({answer});
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// `rowshows <id> <index> <bold> <text>`: how many pixels of the row on the screen differ from
// <text> drawn by plain GDI in the dialog font (bold with 1), two pixels in, unselected: 0 once
// the row shows exactly that, within 3 s.
std::string RowShows(Target& t, const Request& r) {
    const mirl::unique_hwnd dialog = DialogWithFont(L"MS Sans Serif", 8);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(dialog.get(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    font.lfWeight = r.Int(3) != 0 ? FW_BOLD : font.lfWeight;
    const mirl::unique_hfont drawnIn(CreateFontIndirectA(&font));
    return WatchRow(t, r, std::chrono::milliseconds(3000), [&](const mirl::test::RowImage& shown) {
        mirl::test::RowImage expected(shown.rect());
        expected.DrawReference(drawnIn.get(), r.Arg(4).c_str(), 2, false, false);
        const int differing = shown.Differences(expected);
        return std::pair{differing == 0, std::to_string(differing)};
    });
}

// `focusmark <id> <index> <0|1> <ms>`: whether the row on the screen shows a focus mark, once
// that is what <0|1> says, or as it is at the deadline.
std::string FocusMark(Target& t, const Request& r) {
    return WatchRow(
        t, r, std::chrono::milliseconds(r.Int(4)), [&](const mirl::test::RowImage& shown) {
            const bool marked = !shown.LeftEdgeIsPlain();
            return std::pair{marked == (r.Int(3) != 0), std::string(marked ? "1" : "0")};
        });
}

// `focusto <id>`: focus marks shown, as once the keyboard is in use, and the focus moved to the
// control as the dialog manager moves it; answers once it is there.
std::string FocusTo(Target& t, const Request& r) {
    PostMessageA(t.main, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    PostMessageA(t.main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(r.control), TRUE);
    return AwaitFocusWithin(t, r.control, Clock::now() + std::chrono::milliseconds(5000))
               ? Ok()
               : Err("the focus did not move");
}

std::string Select(Target&, const Request& r) {
    const UINT message = ClassName(r.control) == "ListBox" ? LB_SETCURSEL : CB_SETCURSEL;
    const auto result = SendA(r.control, message, static_cast<WPARAM>(r.Int(2)), 0);
    return result ? Ok({std::to_string(*result)}) : Err("no answer to the selection");
}

// `contextmenu <id>`: what Shift+F10 makes of a key press (WM_CONTEXTMENU with -1).
// `contextmenu <id> <item>`: a right-click on the list item's row, which the list's own
// handling turns into WM_CONTEXTMENU at that point. Answers once the menu is open.
std::string ContextMenu(Target& t, const Request& r) {
    if (OpenMenuOf(t.pid) != nullptr) return Err("a menu is open already");
    if (r.args.size() > 2) {
        const auto top = SendA(r.control, LB_GETTOPINDEX, 0, 0);
        const auto height = SendA(r.control, LB_GETITEMHEIGHT, 0, 0);
        if (!top || !height) return Err("list box did not answer");
        const auto row_height = static_cast<int>(*height);
        const int y = (r.Int(2) - static_cast<int>(*top)) * row_height + row_height / 2;
        const LPARAM point = MAKELPARAM(8, y);
        PostMessageA(r.control, WM_RBUTTONDOWN, MK_RBUTTON, point);
        PostMessageA(r.control, WM_RBUTTONUP, 0, point);
    } else {
        PostMessageA(r.control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(r.control), -1);
    }
    HWND menu = WaitForMenu(t, true);
    return menu ? Ok({Hex(menu)}) : Err("no menu opened");
}

// `menupick <letter>`: the item's mnemonic typed into the open menu; answers once it has closed.
// The items' texts cannot be read from another process, so the letter is all there is to go by.
std::string MenuPick(Target& t, const Request& r) {
    HWND menu = OpenMenuOf(t.pid);
    if (!menu) return Err("no menu open");
    if (r.Arg(1).size() != 1) return Err("menupick needs one letter");
    PostMessageA(menu, WM_CHAR, static_cast<unsigned char>(r.Arg(1)[0]), 0);
    return WaitForMenu(t, false) ? Err("the menu stayed open") : Ok();
}

// Opens the clipboard, which its owner may hold for a moment.
bool OpenClipboardSoon() {
    const auto deadline = Clock::now() + std::chrono::milliseconds(2000);
    while (!OpenClipboard(nullptr)) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string ClipClear(Target&, const Request&) {
    if (!OpenClipboardSoon()) return Err("clipboard busy");
    const BOOL emptied = EmptyClipboard();
    CloseClipboard();
    return emptied ? Ok() : Err("EmptyClipboard failed");
}

// `clipboard <ms>`: whether CF_UNICODETEXT is there and its text in the ANSI code page (as list
// items come back), then the same for CF_TEXT as it is. Waits up to `ms` for a text to be there:
// a program puts it there after its menu has closed, a moment after the pick that closed it.
std::string Clipboard(Target&, const Request& r) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(r.Int(1));
    while (!IsClipboardFormatAvailable(CF_TEXT) && !IsClipboardFormatAvailable(CF_UNICODETEXT) &&
           Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!OpenClipboardSoon()) return Err("clipboard busy");
    std::vector<std::string> fields;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const mirl::global_lock_scope lock(data);
        fields.push_back("1");
        fields.push_back(AnsiFromWide(static_cast<const wchar_t*>(lock.get())));
    } else {
        fields.insert(fields.end(), {"0", ""});
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const mirl::global_lock_scope lock(data);
        fields.push_back("1");
        fields.push_back(static_cast<const char*>(lock.get()));
    } else {
        fields.insert(fields.end(), {"0", ""});
    }
    CloseClipboard();
    return Ok(fields);
}

}  // namespace

std::string Driver::Execute(const std::vector<std::string>& args) {
    enum class Needs { Nothing, Dialog, Control };
    struct Command {
        std::string_view name;
        Needs needs;
        std::string (*run)(Target&, const Request&);
    };
    static constexpr Command kCommands[] = {
        {"find", Needs::Nothing, Find},
        {"alive", Needs::Dialog, Alive},
        {"process", Needs::Dialog, Process},
        {"msgbox", Needs::Dialog, MessageBoxes},
        {"answer", Needs::Dialog, Answer},
        {"children", Needs::Dialog, Children},
        {"focus", Needs::Dialog, Focus},
        {"key", Needs::Dialog, Key},
        {"keymenu", Needs::Dialog, KeyMenu},
        {"rect", Needs::Dialog, Rect},
        {"dpi", Needs::Dialog, Dpi},
        {"command", Needs::Dialog, PostCommand},
        {"syscommand", Needs::Dialog, PostSysCommand},
        {"click", Needs::Control, Click},
        {"text", Needs::Control, Text},
        {"watchtext", Needs::Control, WatchText},
        {"enabled", Needs::Control, Enabled},
        {"list", Needs::Control, List},
        {"tail", Needs::Control, Tail},
        {"combo", Needs::Control, Combo},
        {"select", Needs::Control, Select},
        {"present", Needs::Control, Present},
        {"dropdown", Needs::Control, DropDown},
        {"rowshows", Needs::Control, RowShows},
        {"focusmark", Needs::Control, FocusMark},
        {"focusto", Needs::Control, FocusTo},
        {"contextmenu", Needs::Control, ContextMenu},
        {"menupick", Needs::Dialog, MenuPick},
        {"clipclear", Needs::Nothing, ClipClear},
        {"clipboard", Needs::Nothing, Clipboard},
    };
    if (args.empty()) return Err("empty command");
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& c) { return c.name == args[0]; });
    if (command == std::end(kCommands)) return Err("unknown command " + args[0]);
    Request request{args};
    if (command->needs != Needs::Nothing && !target_.main) return Err("no window found yet");
    if (command->needs == Needs::Control) {
        request.control = GetDlgItem(target_.main, request.Int(1));
        if (!request.control) return Err("no control " + request.Arg(1));
    }
    return command->run(target_, request);
}

}  // namespace e2e
