// Both dialog templates, control by control, as the resource script compiled them.
#include "dialog_template.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "resource.h"
#include "version.h"
#include "win32_handles.h"

namespace mirl::test {
namespace {

const LANGID kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
constexpr int kNoId = -1;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLabel = kChild | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | WS_GROUP;
constexpr DWORD kUpperList = kChild | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_UPPERCASE |
                             WS_VSCROLL | WS_GROUP | WS_TABSTOP;
constexpr DWORD kSortedList =
    kChild | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_SORT | CBS_UPPERCASE | WS_GROUP | WS_TABSTOP;
constexpr DWORD kPush = kChild | BS_PUSHBUTTON | WS_TABSTOP;

struct Expected {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    short x, y, cx, cy;
    DWORD style;
};

const std::vector<Expected> kMainControls = {
    {IDC_CONNECT, L"Button", L"Connect", 7, 128, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {IDCANCEL, L"Button", L"Exit", 223, 130, 50, 14, kPush},
    // Each label just before its list, which has no text of its own to be named by.
    {kNoId, L"Static", L"Port", 7, 7, 45, 11, kLabel},
    {IDC_PORT, L"ComboBox", L"", 7, 18, 50, 56, kUpperList | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS},
    {kNoId, L"Static", L"Baud", 61, 7, 45, 11, kLabel},
    {IDC_BAUD, L"ComboBox", L"", 61, 18, 50, 56, kUpperList},
    {kNoId, L"Static", L"Parity", 115, 7, 45, 11, kLabel},
    {IDC_PARITY, L"ComboBox", L"", 115, 18, 49, 56,
     kChild | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_GROUP | WS_TABSTOP},
    {kNoId, L"Static", L"Data Bits", 169, 7, 45, 11, kLabel},
    {IDC_DATABITS, L"ComboBox", L"", 169, 18, 48, 56, kSortedList},
    {kNoId, L"Static", L"Stop Bits", 224, 7, 45, 11, kLabel},
    {IDC_STOPBITS, L"ComboBox", L"", 223, 18, 50, 56, kSortedList},
    {IDC_DEFAULT, L"Button", L"Default", 7, 37, 50, 14, kPush},
    {IDC_LIST, L"ListBox", L"", 7, 55, 266, 67,
     kChild | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT |
         LBS_DISABLENOSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS},
    {IDC_DELETE, L"Button", L"Delete", 63, 128, 50, 14, kPush},
};

const std::vector<Expected> kAboutControls = {
    {kNoId, L"Static", nullptr /* the icon */, 11, 17, 20, 20, kChild | SS_ICON},
    {kNoId, L"Static", L"" MIRL_ABOUT_VERSION_LINE, 40, 10, 119, 8,
     kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP},
    {kNoId, L"Static", L"Zeichnet Text vom COM-Port auf", 40, 25, 119, 8,
     kChild | SS_LEFT | WS_GROUP},
    {IDOK, L"Button", L"OK", 178, 7, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP},
};

void ExpectControls(const DialogTemplate& dlg, const std::vector<Expected>& expected) {
    ASSERT_EQ(dlg.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& item = dlg.items[i];
        const Expected& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(::lstrcmpiW(item.className.c_str(), want.className), 0) << "class";
        if (want.text != nullptr) {
            EXPECT_FALSE(item.title.ordinal.has_value());
            EXPECT_EQ(item.title.text, want.text);
        }
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.style, want.style)
            << std::hex << "got 0x" << item.style << " want 0x" << want.style;
        EXPECT_EQ(item.exStyle, 0u);
    }
}

TEST(DialogTemplateTest, MainDialogIsExtendedWithItsFrame) {
    const auto dlg = LoadDialogTemplate(IDD_MAIN, kGerman);
    ASSERT_TRUE(dlg.has_value());
    EXPECT_EQ(dlg->caption, L"mirlTTY");
    EXPECT_EQ(dlg->style,
              DWORD{DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU});
    EXPECT_EQ(dlg->exStyle, DWORD{WS_EX_APPWINDOW});
    EXPECT_EQ(dlg->x, 0);
    EXPECT_EQ(dlg->y, 0);
    EXPECT_EQ(dlg->cx, 280);
    EXPECT_EQ(dlg->cy, 158);
    EXPECT_EQ(dlg->pointSize, 8);
    EXPECT_EQ(dlg->typeface, L"MS Sans Serif");
    EXPECT_FALSE(dlg->menu.ordinal.has_value());
    EXPECT_TRUE(dlg->menu.text.empty());
    EXPECT_FALSE(dlg->windowClass.ordinal.has_value());
    EXPECT_TRUE(dlg->windowClass.text.empty());
}

TEST(DialogTemplateTest, MainDialogControlsInTemplateOrder) {
    const auto dlg = LoadDialogTemplate(IDD_MAIN, kGerman);
    ASSERT_TRUE(dlg.has_value());
    ExpectControls(*dlg, kMainControls);
}

TEST(DialogTemplateTest, AboutBoxFrame) {
    const auto dlg = LoadDialogTemplate(IDD_ABOUTBOX, kGerman);
    ASSERT_TRUE(dlg.has_value());
    EXPECT_EQ(dlg->caption, L"Info \u00fcber mirlTTY");
    EXPECT_EQ(dlg->style, DWORD{DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU});
    EXPECT_EQ(dlg->exStyle, 0u);
    EXPECT_EQ(dlg->cx, 235);
    EXPECT_EQ(dlg->cy, 55);
    EXPECT_EQ(dlg->pointSize, 8);
    EXPECT_EQ(dlg->typeface, L"MS Sans Serif");
}

TEST(DialogTemplateTest, AboutBoxControls) {
    const auto dlg = LoadDialogTemplate(IDD_ABOUTBOX, kGerman);
    ASSERT_TRUE(dlg.has_value());
    ExpectControls(*dlg, kAboutControls);
    ASSERT_FALSE(dlg->items.empty());
    // The icon static names the icon resource by number.
    ASSERT_TRUE(dlg->items[0].title.ordinal.has_value());
    EXPECT_EQ(*dlg->items[0].title.ordinal, IDR_MAINFRAME);
}

// Windows the dialog manager builds from the templates, for what only they show. What the
// templates hold is checked above, once.
class DialogCreationTest : public ::testing::Test {
  protected:
    static INT_PTR CALLBACK Procedure(HWND, UINT message, WPARAM, LPARAM) {
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    static unique_hwnd Create(int id) {
        return unique_hwnd(::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                nullptr, Procedure, 0));
    }
    static std::vector<HWND> Children(HWND dialog) {
        std::vector<HWND> children;
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }
};

// The run at 150 % scaling (MIRL_EXPECTED_DPI=144) must really run at that DPI.
TEST_F(DialogCreationTest, RunsAtTheDisplayDpiItIsMeantFor) {
    const char* expected = std::getenv("MIRL_EXPECTED_DPI");
    const unique_window_dc screen(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen.get(), LOGPIXELSY), expected ? std::atoi(expected) : 96);
}

// The icon static names the icon by number: the dialog manager must find it and show it.
TEST_F(DialogCreationTest, AboutBoxCreatesWithItsIcon) {
    const unique_hwnd dialog = Create(IDD_ABOUTBOX);
    ASSERT_TRUE(dialog) << "error " << ::GetLastError();
    const std::vector<HWND> children = Children(dialog.get());
    ASSERT_FALSE(children.empty());
    EXPECT_NE(::SendMessageW(children[0], STM_GETICON, 0, 0), 0);
}

// This program links the program's resources, manifest included, so its dialogs are drawn as the
// program's: by the version 6 common controls, which the system takes from their side-by-side
// assembly and which nothing else would load. (Wine's copy reports version 5 in DllGetVersion.)
TEST_F(DialogCreationTest, ControlsComeFromCommonControls6) {
    const unique_hwnd dialog = Create(IDD_MAIN);
    ASSERT_TRUE(dialog);
    const HMODULE controls = ::GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(controls, path, MAX_PATH), 0u);
    std::wstring lower = path;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(::towlower(c));
    EXPECT_NE(lower.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::wstring::npos)
        << path;
}

// A screen reader names a list without a text of its own after the static just before it in the
// z-order, which is the order the dialog manager made the controls in.
TEST_F(DialogCreationTest, EachSettingsListComesRightAfterItsLabel) {
    const unique_hwnd owned = Create(IDD_MAIN);
    ASSERT_TRUE(owned) << "error " << ::GetLastError();
    const HWND dialog = owned.get();
    const std::pair<int, const wchar_t*> labels[] = {
        {IDC_PORT, L"Port"},          {IDC_BAUD, L"Baud"},          {IDC_PARITY, L"Parity"},
        {IDC_DATABITS, L"Data Bits"}, {IDC_STOPBITS, L"Stop Bits"},
    };
    for (const auto& [id, label] : labels) {
        SCOPED_TRACE(id);
        const HWND previous = ::GetWindow(::GetDlgItem(dialog, id), GW_HWNDPREV);
        ASSERT_NE(previous, nullptr);
        wchar_t name[16] = {};
        ::GetClassNameW(previous, name, 16);
        EXPECT_EQ(::lstrcmpiW(name, L"Static"), 0) << "class";
        wchar_t text[32] = {};
        ::GetWindowTextW(previous, text, 32);
        EXPECT_STREQ(text, label);
    }
}

// Tab goes round the focusable controls in this order, whatever the labels' places.
TEST_F(DialogCreationTest, TabOrderOfTheMainDialog) {
    const unique_hwnd owned = Create(IDD_MAIN);
    ASSERT_TRUE(owned) << "error " << ::GetLastError();
    const HWND dialog = owned.get();
    const std::vector<int> order = {IDC_CONNECT,  IDCANCEL,     IDC_PORT,    IDC_BAUD, IDC_PARITY,
                                    IDC_DATABITS, IDC_STOPBITS, IDC_DEFAULT, IDC_LIST, IDC_DELETE};
    std::vector<int> seen;
    HWND control = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (size_t i = 0; i < order.size() + 1 && control != nullptr; ++i) {
        seen.push_back(::GetDlgCtrlID(control));
        control = ::GetNextDlgTabItem(dialog, control, FALSE);
    }
    std::vector<int> once_round = order;
    once_round.push_back(IDC_CONNECT);
    EXPECT_EQ(seen, once_round);
}

// A text cut off at its static's edge is lost to the user: each one must fit, wrapped as its static
// would wrap it, at the font the template gives.
TEST_F(DialogCreationTest, EveryStaticTextFitsItsControl) {
    for (const int id : {IDD_MAIN, IDD_ABOUTBOX}) {
        const unique_hwnd dialog = Create(id);
        ASSERT_TRUE(dialog) << "error " << ::GetLastError();
        for (HWND child : Children(dialog.get())) {
            wchar_t name[16] = {};
            ::GetClassNameW(child, name, 16);
            const LONG style = ::GetWindowLongW(child, GWL_STYLE);
            if (::lstrcmpiW(name, L"Static") != 0 || (style & SS_TYPEMASK) == SS_ICON) continue;
            wchar_t text[256] = {};
            ::GetWindowTextW(child, text, 256);
            SCOPED_TRACE(text);
            RECT client{};
            ::GetClientRect(child, &client);
            RECT needed = client;
            const unique_window_dc dc(child);
            const select_object_scope font(
                dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(child, WM_GETFONT, 0, 0)));
            ::DrawTextW(dc.get(), text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            EXPECT_LE(needed.right, client.right);
            EXPECT_LE(needed.bottom, client.bottom);
        }
    }
}

}  // namespace
}  // namespace mirl::test
