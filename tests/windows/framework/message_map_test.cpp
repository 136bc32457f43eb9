// The message-map dispatch on its own: which entry a message reaches and what the handler gets.
#include "message_map.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kConnect = 1006;
constexpr UINT kFlush = 1012;
constexpr UINT kCount = 1016;
constexpr UINT kAbout = 0x0010;
// Any non-zero value will do: dispatch only asks whether a control sent the command.
const LPARAM kControl = 0x1234;

struct Recorder {
    std::vector<std::string> calls;
    UINT_PTR timerId = 0;
    UINT sysId = 0;
    LPARAM sysParam = 0;
    bool aboutShown = false;

    void OnConnect() { calls.push_back("connect"); }
    void OnFlush() { calls.push_back("flush"); }
    void OnCount() { calls.push_back("count"); }
    void OnTimer(UINT_PTR nIDEvent) {
        calls.push_back("timer");
        timerId = nIDEvent;
    }
    void OnSysCommand(UINT nID, LPARAM lParam) {
        calls.push_back("syscommand");
        sysId = nID;
        sysParam = lParam;
        aboutShown = (nID & 0xFFF0) == kAbout;
    }
    void OnPaint() { calls.push_back("paint"); }
    HCURSOR OnQueryDragIcon() {
        calls.push_back("dragicon");
        return reinterpret_cast<HCURSOR>(static_cast<INT_PTR>(0x5678));
    }
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam) {
        calls.push_back("dpi " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 0x9A;
    }
    HWND menuWindow = nullptr;
    POINT menuPoint{};
    void OnContextMenu(CWnd* pWnd, CPoint point) {
        calls.push_back("contextmenu");
        menuWindow = pWnd->GetSafeHwnd();
        menuPoint = point;
    }
    UINT charCode = 0, charRepeat = 0, charFlags = 0;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
        calls.push_back("char");
        charCode = nChar;
        charRepeat = nRepCnt;
        charFlags = nFlags;
    }

    static const mirl::MessageEntry<Recorder> kMessageMap[];
};

using Map = mirl::MessageMap<Recorder>;
const mirl::MessageEntry<Recorder> Recorder::kMessageMap[] = {
    Map::OnSysCommand(&Recorder::OnSysCommand),
    Map::OnPaint(&Recorder::OnPaint),
    Map::OnQueryDragIcon(&Recorder::OnQueryDragIcon),
    Map::OnBnClicked(kConnect, &Recorder::OnConnect),
    Map::OnCommand(kFlush, &Recorder::OnFlush),
    Map::OnCommand(kCount, &Recorder::OnCount),
    Map::OnTimer(&Recorder::OnTimer),
    Map::OnMessage(WM_DPICHANGED, &Recorder::OnDpiChanged),
    Map::OnContextMenu(&Recorder::OnContextMenu),
    Map::OnChar(&Recorder::OnChar),
};

struct Dispatched {
    bool handled;
    LRESULT result;
};

Dispatched Send(Recorder& target, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = -1;
    bool handled =
        mirl::DispatchMessageMap(target, Recorder::kMessageMap, message, wParam, lParam, result);
    return {handled, result};
}

using Calls = std::vector<std::string>;

TEST(MessageMapDispatch, ButtonClickFromItsControlReachesTheHandler) {
    Recorder r;
    auto sent = Send(r, WM_COMMAND, MAKEWPARAM(kConnect, BN_CLICKED), kControl);
    EXPECT_TRUE(sent.handled);
    EXPECT_EQ(sent.result, 0);
    EXPECT_EQ(r.calls, Calls{"connect"});
}

TEST(MessageMapDispatch, OtherNotificationsFromTheButtonIdAreNotClicks) {
    Recorder r;
    EXPECT_FALSE(Send(r, WM_COMMAND, MAKEWPARAM(kConnect, BN_SETFOCUS), kControl).handled);
    EXPECT_TRUE(r.calls.empty());
}

TEST(MessageMapDispatch, BareCommandsSentFromOutsideReachTheirHandlers) {
    Recorder r;
    EXPECT_TRUE(Send(r, WM_COMMAND, kFlush, 0).handled);
    EXPECT_TRUE(Send(r, WM_COMMAND, kCount, 0).handled);
    EXPECT_EQ(r.calls, (Calls{"flush", "count"}));
}

TEST(MessageMapDispatch, AnAcceleratorCommandCountsAsACommand) {
    Recorder r;
    EXPECT_TRUE(Send(r, WM_COMMAND, MAKEWPARAM(kFlush, 1), 0).handled);
    EXPECT_EQ(r.calls, Calls{"flush"});
}

TEST(MessageMapDispatch, CommandsWithoutAnEntryAreLeftAlone) {
    Recorder r;
    EXPECT_FALSE(Send(r, WM_COMMAND, 1013, 0).handled);
    EXPECT_FALSE(Send(r, WM_COMMAND, MAKEWPARAM(kFlush, EN_CHANGE), kControl).handled);
    EXPECT_FALSE(Send(r, WM_SIZE, 0, 0).handled);
    EXPECT_TRUE(r.calls.empty());
}

TEST(MessageMapDispatch, TimerHandlerGetsTheEventId) {
    Recorder r;
    EXPECT_TRUE(Send(r, WM_TIMER, 1, 0).handled);
    EXPECT_EQ(r.timerId, 1u);
    EXPECT_TRUE(Send(r, WM_TIMER, 77, 0).handled);
    EXPECT_EQ(r.timerId, 77u);
    EXPECT_EQ(r.calls, (Calls{"timer", "timer"}));
}

TEST(MessageMapDispatch, SysCommandArrivesUnmaskedSoTheHandlerMasksWith0xFFF0) {
    for (UINT low = 0; low < 16; ++low) {
        Recorder r;
        ASSERT_TRUE(Send(r, WM_SYSCOMMAND, kAbout | low, 0x00420017).handled);
        EXPECT_EQ(r.sysId, kAbout | low);
        EXPECT_EQ(r.sysParam, 0x00420017);
        EXPECT_TRUE(r.aboutShown) << "low bits " << low;
    }
    Recorder r;
    ASSERT_TRUE(Send(r, WM_SYSCOMMAND, SC_CLOSE | 0x2, 0).handled);
    EXPECT_EQ(r.sysId & 0xFFF0, static_cast<UINT>(SC_CLOSE));
    EXPECT_FALSE(r.aboutShown);
}

TEST(MessageMapDispatch, PaintDragIconAndAnyOtherMessage) {
    Recorder r;
    EXPECT_TRUE(Send(r, WM_PAINT, 0, 0).handled);
    auto icon = Send(r, WM_QUERYDRAGICON, 0, 0);
    EXPECT_TRUE(icon.handled);
    EXPECT_EQ(icon.result, 0x5678);
    auto dpi = Send(r, WM_DPICHANGED, 0x900090, 0x1234);
    EXPECT_TRUE(dpi.handled);
    EXPECT_EQ(dpi.result, 0x9A);
    EXPECT_EQ(r.calls, (Calls{"paint", "dragicon", "dpi 9437328 4660"}));
}

// The mouse gives screen coordinates, which are negative left of and above the primary screen;
// the keyboard gives -1 in both halves.
TEST(MessageMapDispatch, ContextMenuGetsTheWindowAndTheSignedScreenPoint) {
    const HWND clicked = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4242));
    Recorder r;
    EXPECT_TRUE(
        Send(r, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(clicked), MAKELPARAM(-20, 300)).handled);
    EXPECT_EQ(r.menuWindow, clicked);
    EXPECT_EQ(r.menuPoint.x, -20);
    EXPECT_EQ(r.menuPoint.y, 300);
    EXPECT_TRUE(Send(r, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(clicked), -1).handled);
    EXPECT_EQ(r.menuPoint.x, -1);
    EXPECT_EQ(r.menuPoint.y, -1);
    EXPECT_EQ(r.calls, (Calls{"contextmenu", "contextmenu"}));
}

TEST(MessageMapDispatch, CharGetsTheCodeRepeatCountAndFlags) {
    Recorder r;
    EXPECT_TRUE(Send(r, WM_CHAR, 0x03, MAKELPARAM(2, 0x002E)).handled);
    EXPECT_EQ(r.charCode, 0x03u);
    EXPECT_EQ(r.charRepeat, 2u);
    EXPECT_EQ(r.charFlags, 0x002Eu);
    EXPECT_FALSE(Send(r, WM_KEYDOWN, 'C', 0).handled);
    EXPECT_EQ(r.calls, Calls{"char"});
}

TEST(MessageMapDispatch, TheFirstMatchingEntryWins) {
    struct Twice {
        int first = 0, second = 0;
        void First() { ++first; }
        void Second() { ++second; }
    };
    using TwiceMap = mirl::MessageMap<Twice>;
    const mirl::MessageEntry<Twice> map[] = {
        TwiceMap::OnCommand(5, &Twice::First),
        TwiceMap::OnBnClicked(5, &Twice::Second),
    };
    Twice t;
    LRESULT result = 0;
    EXPECT_TRUE(mirl::DispatchMessageMap(t, map, WM_COMMAND, 5, 0, result));
    EXPECT_EQ(t.first, 1);
    EXPECT_EQ(t.second, 0);
}

TEST(MessageMapDispatch, HandlersOfABaseClassServeTheDerivedMap) {
    // Polymorphic, like the class layer's own classes (CWinApp's OnHelp serves the application).
    struct Base {
        virtual ~Base() = default;
        int helped = 0;
        void OnHelp() { ++helped; }
    };
    struct Derived : Base {};
    const mirl::MessageEntry<Derived> map[] = {
        mirl::MessageMap<Derived>::OnCommand(0xE146, &Base::OnHelp),
    };
    Derived d;
    LRESULT result = 0;
    EXPECT_TRUE(mirl::DispatchMessageMap(d, map, WM_COMMAND, 0xE146, 0, result));
    EXPECT_EQ(d.helped, 1);
}

}  // namespace
