// The main dialog from its real template: lists, defaults, locking, system menu, the list's
// scrolling and copying, driven in process with a scripted serial port behind it. The template's
// controls, styles and texts are the resource tests' to check.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "afxwin.h"
#include "capture_dlg.h"
#include "fake_serial_port.h"
#include "port_settings.h"
#include "row_image.h"
#include "win32_handles.h"

namespace {

constexpr UINT kRunProbe = WM_APP + 100;  // clear of the dialog's own messages

// The real dialog, which runs one probe once it is up (focus set, window shown) and then ends.
class ProbeDlg : public CCaptureDlg {
  public:
    using Probe = std::function<void(ProbeDlg&)>;
    ProbeDlg(mirl::CaptureState& state, mirl::SerialPort& port, Probe probe)
        : CCaptureDlg(state, port,
                      [] {
                          return mirl::PresentPorts{{7, "Arduino Uno"}};
                      }),
          m_probe(std::move(probe)) {}

    BOOL OnInitDialog() override {
        const BOOL result = CCaptureDlg::OnInitDialog();
        ::PostMessageA(m_hWnd, kRunProbe, 0, 0);
        return result;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message != kRunProbe) return CCaptureDlg::OnWndMsg(message, wParam, lParam, pResult);
        m_probe(*this);
        EndDialog(IDOK);
        *pResult = 0;
        return TRUE;
    }

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void Click(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id)); }
    void Command(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::string Text(int id) const {
        char text[256] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    // Read in wide form, as other programs read the list, and turned back into the ANSI bytes.
    std::vector<std::string> ListLines() const {
        std::vector<std::string> lines;
        const auto count = static_cast<int>(::SendMessageW(Item(IDC_LIST), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t wide[4096] = {};
            const auto length = static_cast<int>(
                ::SendMessageW(Item(IDC_LIST), LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide)));
            char text[4096] = {};
            ::WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text, nullptr, nullptr);
            lines.emplace_back(text);
        }
        return lines;
    }
    void Select(int id, int index) { ::SendMessageA(Item(id), CB_SETCURSEL, index, 0); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }

    void AddLine(const std::string& line) { m_listOutput.AddLines({line}); }
    void ResetList() { m_listOutput.RemoveAllLines(); }
    CPortList& PortList() { return m_portList; }

  private:
    Probe m_probe;
};

class CaptureDialogTest : public ::testing::Test {
  protected:
    void Run(ProbeDlg::Probe probe) {
        bool ran = false;
        ProbeDlg dlg(state, port, [&](ProbeDlg& d) {
            ran = true;
            probe(d);
        });
        app.m_pMainWnd = &dlg;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        app.m_pMainWnd = nullptr;
        EXPECT_TRUE(ran);
    }
    void StoreDirectly(const std::string& bytes) {
        for (const char c : bytes) state.buffer.StoreByte(static_cast<std::uint8_t>(c));
    }

    CWinApp app{"mirltty"};
    mirl::CaptureState state;
    mirl::test::FakeSerialPort port;
};

TEST_F(CaptureDialogTest, ChosenSettingsReachThePortAndLockTheControls) {
    port.SetIdleRead(mirl::test::FakeSerialPort::IdleRead::TimeOut, std::chrono::milliseconds(5));
    Run([this](ProbeDlg& dlg) {
        dlg.Select(IDC_PORT, 11);     // COM12
        dlg.Select(IDC_BAUD, 10);     // 56000
        dlg.Select(IDC_PARITY, 1);    // Even
        dlg.Select(IDC_DATABITS, 2);  // 7
        dlg.Select(IDC_STOPBITS, 2);  // 2
        dlg.Click(IDC_CONNECT);
        EXPECT_EQ(port.LastDevicePath(), R"(\\.\COM12)");
        const mirl::LineState line = port.AppliedState();
        EXPECT_EQ(line.baudRate, 56000u);
        EXPECT_EQ(line.parity, 2);
        EXPECT_EQ(line.byteSize, 7);
        EXPECT_EQ(line.stopBits, 2);
        EXPECT_EQ(dlg.Text(IDC_CONNECT), "Disconnect");
        for (const int id : CCaptureDlg::kLockedControls) EXPECT_FALSE(dlg.Enabled(id)) << id;
        EXPECT_TRUE(dlg.Enabled(IDC_DELETE));
        EXPECT_TRUE(dlg.Enabled(IDCANCEL));
        EXPECT_TRUE(dlg.Enabled(IDC_CONNECT));
        EXPECT_EQ(dlg.ListLines(), std::vector<std::string>{"connected."});

        dlg.Click(IDC_CONNECT);
        EXPECT_EQ(dlg.Text(IDC_CONNECT), "Connect");
        for (const int id : CCaptureDlg::kLockedControls) EXPECT_TRUE(dlg.Enabled(id)) << id;
        EXPECT_EQ(dlg.ListLines(), (std::vector<std::string>{"connected.", "disconnect."}));
        EXPECT_FALSE(port.IsOpen());
    });
}

TEST_F(CaptureDialogTest, TimerAndFlushMoveReceivedBytesIntoTheList) {
    Run([this](ProbeDlg& dlg) {
        StoreDirectly("ab\r\ncd");
        dlg.SendMessage(WM_TIMER, 1, 0);
        EXPECT_EQ(dlg.ListLines(), (std::vector<std::string>{"ab\r\n", "cd\n"}));
        StoreDirectly("ef");
        dlg.Command(IDC_FLUSH);
        EXPECT_EQ(dlg.ListLines(), (std::vector<std::string>{"ab\r\n", "cd\n", "ef\n"}));
    });
}

TEST_F(CaptureDialogTest, AboutItemStandsLastAfterASeparator) {
    Run([](ProbeDlg& dlg) {
        HMENU menu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, L"Inf&o \u00fcber mirlTTY...");
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ASSERT_TRUE(::GetMenuItemInfoA(menu, count - 2, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    });
}

TEST_F(CaptureDialogTest, IconsAreSetAndDragIconIsTheApplicationIcon) {
    Run([](ProbeDlg& dlg) {
        const auto big = dlg.SendMessage(WM_GETICON, ICON_BIG, 0);
        EXPECT_NE(big, 0);
        EXPECT_EQ(dlg.SendMessage(WM_GETICON, ICON_SMALL, 0), big);
        EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON, 0, 0), big);
    });
}

// The newest line is the fifth from the top once there are five or more; a list taller than
// that cannot show it, so the list is made three rows high first.
void ShortenListToThreeRows(ProbeDlg& dlg) {
    HWND list = dlg.Item(IDC_LIST);
    const auto rowHeight = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT frame{};
    ::GetWindowRect(list, &frame);
    ::SetWindowPos(list, nullptr, 0, 0, frame.right - frame.left, rowHeight * 3 + 4,
                   SWP_NOMOVE | SWP_NOZORDER);
}

int ListTop(ProbeDlg& dlg) {
    return static_cast<int>(::SendMessageA(dlg.Item(IDC_LIST), LB_GETTOPINDEX, 0, 0));
}

TEST_F(CaptureDialogTest, ListScrollsSoTheNewestLineIsFifthFromTheTop) {
    Run([](ProbeDlg& dlg) {
        ShortenListToThreeRows(dlg);
        for (int n = 1; n <= 8; ++n) {
            dlg.AddLine(std::to_string(n));
            EXPECT_EQ(ListTop(dlg), n <= 5 ? 0 : n - 5) << "after line " << n;
        }
    });
}

// The width of a line in the list's current font.
int WidthInListFont(HWND list, const std::string& line) {
    const mirl::unique_window_dc dc(list);
    const mirl::select_object_scope font(
        dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc.get(), line.c_str(), static_cast<int>(line.size()), &size);
    return size.cx;
}

int HorizontalExtent(HWND list) {
    return static_cast<int>(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));
}

// One tick that completes hundreds of lines: the list holds them all in order, scrolled as after
// the last, and scrolls sideways exactly far enough for the widest as drawn, without its line
// end, in the list's own font, also
// after that font has changed, as it does when the window moves to a display of another DPI.
TEST_F(CaptureDialogTest, ABurstOfLinesInOneMoveFillsScrollsAndWidensTheList) {
    Run([this](ProbeDlg& dlg) {
        ShortenListToThreeRows(dlg);
        const std::string drawn(180, 'W');
        const std::string widest = drawn + "\r\n";
        std::vector<std::string> lines;
        for (int i = 0; i < 450; ++i) lines.push_back(i == 225 ? widest : "ab\r\n");
        std::string bytes;
        for (const std::string& line : lines) bytes += line;
        ASSERT_LT(bytes.size(), 2000u);  // the limit would end the capture with a box
        StoreDirectly(bytes);
        lines.push_back("\n");  // the move's own line feed after the unmoved bytes
        dlg.SendMessage(WM_TIMER, 1, 0);
        EXPECT_EQ(dlg.ListLines(), lines);
        EXPECT_EQ(ListTop(dlg), 451 - 5);

        HWND list = dlg.Item(IDC_LIST);
        const auto expectExtentFits = [&](const char* when) {
            SCOPED_TRACE(when);
            const int width = WidthInListFont(list, drawn);
            EXPECT_GE(HorizontalExtent(list), width);
            EXPECT_LE(HorizontalExtent(list), width + 2);
        };
        RECT client{};
        ::GetClientRect(list, &client);
        ASSERT_GT(WidthInListFont(list, drawn), client.right);  // a line that needs the bar
        expectExtentFits("after the burst");

        // A font half as wide again, as the dialog manager sets it at 144 DPI: the next line, a
        // short one, finds the extent measured in the old font and measures everything again.
        const auto dialogFont = static_cast<WPARAM>(::SendMessageA(list, WM_GETFONT, 0, 0));
        LOGFONTA larger{};
        ::GetObjectA(reinterpret_cast<HGDIOBJ>(dialogFont), sizeof larger, &larger);
        larger.lfHeight = larger.lfHeight * 3 / 2;
        const mirl::unique_any<mirl::win32_traits<HFONT, &::DeleteObject>> largerFont(
            ::CreateFontIndirectA(&larger));
        ASSERT_TRUE(largerFont);
        const int widthBefore = WidthInListFont(list, drawn);
        ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(largerFont.get()), FALSE);
        ASSERT_GT(WidthInListFont(list, drawn), widthBefore);
        dlg.AddLine("x");
        expectExtentFits("after a line in the larger font");
        // The list draws its own rows: they grow with the font as a plain list's do.
        TEXTMETRICA metrics{};
        {
            const mirl::unique_window_dc dc(list);
            const mirl::select_object_scope font(dc.get(), largerFont.get());
            ::GetTextMetricsA(dc.get(), &metrics);
        }
        EXPECT_EQ(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight);

        // The move back, announced by WM_DPICHANGED with the window's own rectangle, measures
        // again at once, without waiting for a line.
        ::SendMessageA(list, WM_SETFONT, dialogFont, FALSE);
        RECT window{};
        ::GetWindowRect(dlg.m_hWnd, &window);
        dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&window));
        expectExtentFits("after the change of DPI");

        dlg.ResetList();
        EXPECT_EQ(HorizontalExtent(list), 0);
        EXPECT_TRUE(dlg.ListLines().empty());
    });
}

// Each list draws its rows at their own height, a line of the dialog's font here, in whatever the
// dialog hands their owner-draw requests to: the same text by plain GDI must look the same.
TEST_F(CaptureDialogTest, BothListsDrawWhatTheyShowAndTheFocusMarkOnlyWithTheFocus) {
    Run([](ProbeDlg& dlg) {
        const HRESULT described = dlg.PortList().SetPresentPorts({{7, "Arduino Uno"}});
        const auto font = reinterpret_cast<HGDIOBJ>(dlg.SendMessage(WM_GETFONT));
        LOGFONTA bold{};
        ::GetObjectA(font, sizeof bold, &bold);
        bold.lfWeight = FW_BOLD;
        const mirl::unique_hfont boldFont(::CreateFontIndirectA(&bold));
        MEASUREITEMSTRUCT measured{ODT_COMBOBOX, IDC_PORT, 0, 0, 0, 0};
        dlg.SendMessage(WM_MEASUREITEM, IDC_PORT, reinterpret_cast<LPARAM>(&measured));
        const RECT row{0, 0, 300, static_cast<LONG>(measured.itemHeight)};
        ASSERT_EQ(row.bottom, FontLineHeight(dlg.GetDlgItem(IDC_PORT)));
        measured.itemID = static_cast<UINT>(-1);
        dlg.SendMessage(WM_MEASUREITEM, IDC_PORT, reinterpret_cast<LPARAM>(&measured));
        EXPECT_EQ(measured.itemHeight, static_cast<UINT>(row.bottom)) << "the box's own, untouched";

        dlg.AddLine("ab\r\n");
        const auto expectRow = [&](int id, UINT index, UINT action, UINT state, HGDIOBJ drawnFont,
                                   const char* text) {
            mirl::test::RowImage drawn(row), expected(row);
            const UINT type = id == IDC_PORT ? ODT_COMBOBOX : ODT_LISTBOX;
            const DRAWITEMSTRUCT item{type,         UINT(id),   index, action,    state,
                                      dlg.Item(id), drawn.dc(), row,   index == 6};
            dlg.SendMessage(WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
            expected.DrawReference(drawnFont, text, id == IDC_PORT ? 2 : 1, state & ODS_SELECTED,
                                   (state & ODS_FOCUS) && !(state & ODS_NOFOCUSRECT));
            EXPECT_EQ(drawn.Differences(expected), 0) << id << ": " << text << ", state " << state;
        };
        expectRow(IDC_PORT, 6, ODA_DRAWENTIRE, 0, boldFont.get(), "COM7   Arduino Uno");
        expectRow(IDC_PORT, 6, ODA_SELECT, ODS_SELECTED, boldFont.get(), "COM7   Arduino Uno");
        expectRow(IDC_PORT, 7, ODA_DRAWENTIRE, 0, font, "COM8");
        expectRow(IDC_PORT, 6, ODA_DRAWENTIRE, ODS_COMBOBOXEDIT, font, "COM7");
        for (const UINT state : std::initializer_list<UINT>{
                 0, ODS_FOCUS, ODS_FOCUS | ODS_NOFOCUSRECT, ODS_FOCUS | ODS_SELECTED})
            expectRow(IDC_LIST, 0, ODA_FOCUS, state, font, "ab");

        // Wine has the annotation service, but it does nothing: its answer is all there is.
        if (::GetProcAddress(::GetModuleHandleA("ntdll"), "wine_get_version")) {
            EXPECT_EQ(described, E_NOTIMPL) << "Wine does Dynamic Annotation now: read it back";
            return;
        }
        ASSERT_EQ(described, S_OK);
        COMBOBOXINFO combo{};
        combo.cbSize = sizeof combo;
        ASSERT_TRUE(::GetComboBoxInfo(dlg.Item(IDC_PORT), &combo));
        IAccessible* items = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(combo.hwndList, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&items)),
                  S_OK);
        const mirl::unique_com<IAccessible> owned(items);
        VARIANT seventh{};
        seventh.vt = VT_I4;
        seventh.lVal = 7;
        BSTR description = nullptr;
        EXPECT_EQ(items->get_accDescription(seventh, &description), S_OK);
        EXPECT_STREQ(description, L"present, Arduino Uno");
        ::SysFreeString(description);
    });
}

}  // namespace

namespace {

// The clipboard's two text formats, as whoever set them left them; nullopt for a missing one.
struct ClipboardText {
    std::optional<std::wstring> unicode;
    std::optional<std::string> ansi;
};

ClipboardText ReadClipboard() {
    ClipboardText text;
    const mirl::clipboard_open_scope clipboard(nullptr);
    EXPECT_TRUE(clipboard.is_open());
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        const mirl::global_lock_scope lock(data);
        text.unicode = static_cast<const wchar_t*>(lock.get());
    }
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        const mirl::global_lock_scope lock(data);
        text.ansi = static_cast<const char*>(lock.get());
    }
    return text;
}

void ClearClipboard() {
    const mirl::clipboard_open_scope clipboard(nullptr);
    ASSERT_TRUE(clipboard.is_open());
    ::EmptyClipboard();
}

std::wstring WideFromAnsi(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              static_cast<int>(wide.size()))));
    return wide;
}

void ExpectClipboardHolds(const std::string& text) {
    const ClipboardText held = ReadClipboard();
    EXPECT_EQ(held.ansi, text);
    EXPECT_EQ(held.unicode, WideFromAnsi(text));
}

// Works the pop-up menu that the UI thread is about to run, from a thread of its own: waits for
// the menu to open, notes its items, then presses `key` in it (an item's mnemonic, or VK_ESCAPE
// as a key press to close it).
class MenuHand {
  public:
    struct Item {
        std::string text;
        bool grayed;
        bool operator==(const Item&) const = default;
    };

    explicit MenuHand(char key) : m_thread([this, key] { Work(key); }) {}
    ~MenuHand() {
        if (m_thread.joinable()) m_thread.join();
    }
    MenuHand(const MenuHand&) = delete;
    MenuHand& operator=(const MenuHand&) = delete;

    // Once the menu has closed (the UI thread's call that opened it has returned).
    std::vector<Item> Items() {
        if (m_thread.joinable()) m_thread.join();
        return m_items;
    }
    // Where the menu stood on the screen: its top left corner.
    std::pair<LONG, LONG> Place() {
        if (m_thread.joinable()) m_thread.join();
        return {m_frame.left, m_frame.top};
    }

  private:
    static HWND OpenMenu() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            const HWND menu = ::FindWindowA("#32768", nullptr);
            DWORD process = 0;
            if (menu != nullptr) ::GetWindowThreadProcessId(menu, &process);
            if (menu != nullptr && ::IsWindowVisible(menu) && process == ::GetCurrentProcessId())
                return menu;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return nullptr;
    }
    void Work(char key) {
        const HWND window = OpenMenu();
        if (window == nullptr) {
            ADD_FAILURE() << "no menu opened";
            return;
        }
        ::GetWindowRect(window, &m_frame);
        const auto menu = reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            m_items.push_back({text, (state & MF_GRAYED) != 0});
        }
        if (key == VK_ESCAPE) {
            ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            ::PostMessageA(window, WM_CHAR, static_cast<WPARAM>(key), 0);
        }
    }

    std::vector<Item> m_items;
    RECT m_frame{};
    std::thread m_thread;
};

const std::vector<MenuHand::Item> kMenuWithoutSelection = {{"&Copy", true}, {"Copy &all", false}};
const std::vector<MenuHand::Item> kMenuWithSelection = {{"&Copy", false}, {"Copy &all", false}};

const std::vector<std::string> kCopyLines = {"connected.", "$GPGLL,1\r\n", "cd\n", "\n",
                                             "disconnect."};
const std::string kAllLinesText = "connected.\r\n$GPGLL,1\r\ncd\n\ndisconnect.\r\n";

void AddCopyLines(ProbeDlg& dlg) {
    for (const std::string& line : kCopyLines) dlg.AddLine(line);
}

int Selected(ProbeDlg& dlg) {
    return static_cast<int>(::SendMessageA(dlg.Item(IDC_LIST), LB_GETCURSEL, 0, 0));
}

// Shift+F10 or the Menu key: the list's default handling sends this.
void MenuFromTheKeyboard(ProbeDlg& dlg) {
    const HWND list = dlg.Item(IDC_LIST);
    ::SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
}

// The list's default handling of the button's release sends WM_CONTEXTMENU to the list.
void RightClick(ProbeDlg& dlg, int x, int y) {
    const HWND list = dlg.Item(IDC_LIST);
    ::SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

std::pair<LONG, LONG> ListToScreen(ProbeDlg& dlg, POINT point) {
    ::ClientToScreen(dlg.Item(IDC_LIST), &point);
    return {point.x, point.y};
}

RECT LineRect(ProbeDlg& dlg, int index) {
    RECT rect{};
    ::SendMessageA(dlg.Item(IDC_LIST), LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&rect));
    return rect;
}

TEST_F(CaptureDialogTest, ListMenuGreysCopyWithoutASelectionAndCopiesAllOrTheClickedLine) {
    Run([](ProbeDlg& dlg) {
        AddCopyLines(dlg);
        ClearClipboard();
        {
            MenuHand hand(VK_ESCAPE);
            MenuFromTheKeyboard(dlg);
            EXPECT_EQ(hand.Items(), kMenuWithoutSelection);
            EXPECT_EQ(hand.Place(), ListToScreen(dlg, {0, 0})) << "at the list's top left";
        }
        EXPECT_EQ(ReadClipboard().ansi, std::nullopt) << "closed without a choice";
        {
            MenuHand hand('a');
            MenuFromTheKeyboard(dlg);
        }
        ExpectClipboardHolds(kAllLinesText);

        ClearClipboard();
        const RECT second = LineRect(dlg, 1);
        {
            MenuHand hand('c');
            RightClick(dlg, second.left + 5, (second.top + second.bottom) / 2);
            EXPECT_EQ(hand.Items(), kMenuWithSelection);
        }
        EXPECT_EQ(Selected(dlg), 1);
        ExpectClipboardHolds("$GPGLL,1");
        {
            MenuHand hand(VK_ESCAPE);
            MenuFromTheKeyboard(dlg);
            EXPECT_EQ(hand.Place(), ListToScreen(dlg, {second.left, second.bottom}))
                << "below the selected line";
        }
        // Below the last line, on no line: the selection stays as it was.
        RECT client{};
        ::GetClientRect(dlg.Item(IDC_LIST), &client);
        {
            MenuHand hand(VK_ESCAPE);
            RightClick(dlg, client.right - 2, client.bottom - 2);
            EXPECT_EQ(hand.Items(), kMenuWithSelection);
        }
        EXPECT_EQ(Selected(dlg), 1);
    });
}

// Ctrl+C as the keyboard gives it: a key press that the dialog's keyboard handling translates
// into the character 3 for the list, which has the focus.
void PressCtrlC(ProbeDlg& dlg) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE control = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    const HWND list = dlg.Item(IDC_LIST);
    ::SetFocus(list);
    ::PostMessageA(list, WM_KEYDOWN, 'C', 1);
    ::PostMessageA(list, WM_KEYUP, 'C', static_cast<LPARAM>(0xC0000001));
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!::IsDialogMessageA(dlg.m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    keys[VK_CONTROL] = control;
    ::SetKeyboardState(keys);
}

TEST_F(CaptureDialogTest, CtrlCCopiesTheSelectedLineOrElseAllLines) {
    Run([](ProbeDlg& dlg) {
        AddCopyLines(dlg);
        // A high byte, which the Unicode text must show as the ANSI code page does.
        dlg.AddLine("\xe4\r\n");
        ClearClipboard();
        PressCtrlC(dlg);
        ExpectClipboardHolds(kAllLinesText + "\xe4\r\n");

        ::SendMessageA(dlg.Item(IDC_LIST), LB_SETCURSEL, 5, 0);
        PressCtrlC(dlg);
        ExpectClipboardHolds("\xe4");
        if (::GetACP() == 1252) {
            EXPECT_EQ(ReadClipboard().unicode, L"\u00e4");
        }
        ::SendMessageA(dlg.Item(IDC_LIST), LB_SETCURSEL, 3, 0);  // a line of only a line feed
        PressCtrlC(dlg);
        ExpectClipboardHolds("");
    });
}

// Another program holding the clipboard open: the copy tries for a while, then lets it be, and
// neither the list nor the dialog shows anything of it.
TEST_F(CaptureDialogTest, ABusyClipboardIsGivenUpSilently) {
    Run([](ProbeDlg& dlg) {
        AddCopyLines(dlg);
        ClearClipboard();
        std::atomic<int> step{0};
        std::thread holder([&step] {
            const mirl::clipboard_open_scope clipboard(nullptr);
            step = clipboard.is_open() ? 1 : -1;
            while (step == 1) std::this_thread::yield();
        });
        while (step == 0) std::this_thread::yield();
        ASSERT_EQ(step, 1);
        ::SendMessageA(dlg.Item(IDC_LIST), WM_CHAR, 0x03, 1);
        step = 2;
        holder.join();

        EXPECT_EQ(ReadClipboard().ansi, std::nullopt);
        EXPECT_EQ(dlg.ListLines(), kCopyLines);
        EXPECT_EQ(Selected(dlg), LB_ERR);
        // Nothing popped up: the dialog is still this thread's active window.
        EXPECT_EQ(::GetActiveWindow(), dlg.m_hWnd);
        // Free again, the same key copies.
        ::SendMessageA(dlg.Item(IDC_LIST), WM_CHAR, 0x03, 1);
        ExpectClipboardHolds(kAllLinesText);
    });
}

}  // namespace
