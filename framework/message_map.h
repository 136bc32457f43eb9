// A typed, constant message map per class and the one function that dispatches a message by it.
#pragma once

#include <windows.h>

#include <span>
#include <type_traits>
#include <variant>

#include "rect.h"
#include "wnd.h"

namespace mirl {

// One row of a message map for class T. Built with the MessageMap<T> factories below.
template <class T>
struct MessageEntry {
    // WM_COMMAND: `code` is the notification; menu, accelerator and outside commands count as 0.
    struct Command {
        UINT id;
        UINT code;
        void (T::*handler)();
    };
    struct Timer {
        void (T::*handler)(UINT_PTR nIDEvent);
    };
    // nID arrives unmasked: the low four bits are the system's, so handlers compare nID & 0xFFF0.
    struct SysCommand {
        void (T::*handler)(UINT nID, LPARAM lParam);
    };
    struct Paint {
        void (T::*handler)();
    };
    struct QueryDragIcon {
        HCURSOR (T::*handler)();
    };
    // pWnd: the window the menu is asked for in, a wrapper for the length of the call. point: in
    // screen coordinates, or (-1, -1) when it came from the keyboard (Shift+F10, the Menu key).
    struct ContextMenu {
        void (T::*handler)(CWnd* pWnd, CPoint point);
    };
    // WM_CHAR: the character as TranslateMessage made it (Ctrl+C arrives as 0x03).
    struct Char {
        void (T::*handler)(UINT nChar, UINT nRepCnt, UINT nFlags);
    };
    // Any other message, with its parameters as they came and its result as the handler's.
    struct Message {
        UINT message;
        LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam);
    };

    std::variant<Command, Timer, SysCommand, Paint, QueryDragIcon, ContextMenu, Char, Message> row;
};

template <class T>
struct MessageMap {
    using Entry = MessageEntry<T>;

    static constexpr Entry OnCommand(UINT id, void (T::*handler)()) {
        return {typename Entry::Command{id, 0, handler}};
    }
    static constexpr Entry OnBnClicked(UINT id, void (T::*handler)()) {
        return {typename Entry::Command{id, BN_CLICKED, handler}};
    }
    static constexpr Entry OnCbnDropdown(UINT id, void (T::*handler)()) {
        return {typename Entry::Command{id, CBN_DROPDOWN, handler}};
    }
    static constexpr Entry OnTimer(void (T::*handler)(UINT_PTR)) {
        return {typename Entry::Timer{handler}};
    }
    static constexpr Entry OnSysCommand(void (T::*handler)(UINT, LPARAM)) {
        return {typename Entry::SysCommand{handler}};
    }
    static constexpr Entry OnPaint(void (T::*handler)()) {
        return {typename Entry::Paint{handler}};
    }
    static constexpr Entry OnQueryDragIcon(HCURSOR (T::*handler)()) {
        return {typename Entry::QueryDragIcon{handler}};
    }
    static constexpr Entry OnContextMenu(void (T::*handler)(CWnd*, CPoint)) {
        return {typename Entry::ContextMenu{handler}};
    }
    static constexpr Entry OnChar(void (T::*handler)(UINT, UINT, UINT)) {
        return {typename Entry::Char{handler}};
    }
    static constexpr Entry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
        return {typename Entry::Message{message, handler}};
    }
};

// Runs the first entry of `map` that matches the message on `target`. Returns true when one ran;
// `result` then holds the message's result (0 for handlers that return nothing).
template <class T>
bool DispatchMessageMap(T& target, std::span<const MessageEntry<T>> map, UINT message,
                        WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using Entry = MessageEntry<T>;
    const UINT commandId = LOWORD(wParam);
    // Without a control handle the code only says menu (0) or accelerator (1): both are commands.
    const UINT commandCode = lParam == 0 ? 0 : HIWORD(wParam);

    for (const Entry& entry : map) {
        bool ran = std::visit(
            [&](const auto& row) {
                using Row = std::decay_t<decltype(row)>;
                if constexpr (std::is_same_v<Row, typename Entry::Command>) {
                    if (message != WM_COMMAND || row.id != commandId || row.code != commandCode)
                        return false;
                    (target.*row.handler)();
                    result = 0;
                } else if constexpr (std::is_same_v<Row, typename Entry::Timer>) {
                    if (message != WM_TIMER) return false;
                    (target.*row.handler)(static_cast<UINT_PTR>(wParam));
                    result = 0;
                } else if constexpr (std::is_same_v<Row, typename Entry::SysCommand>) {
                    if (message != WM_SYSCOMMAND) return false;
                    (target.*row.handler)(static_cast<UINT>(wParam), lParam);
                    result = 0;
                } else if constexpr (std::is_same_v<Row, typename Entry::Paint>) {
                    if (message != WM_PAINT) return false;
                    (target.*row.handler)();
                    result = 0;
                } else if constexpr (std::is_same_v<Row, typename Entry::QueryDragIcon>) {
                    if (message != WM_QUERYDRAGICON) return false;
                    result = reinterpret_cast<LRESULT>((target.*row.handler)());
                } else if constexpr (std::is_same_v<Row, typename Entry::ContextMenu>) {
                    if (message != WM_CONTEXTMENU) return false;
                    CWnd window(reinterpret_cast<HWND>(wParam));
                    // Signed: a point left of or above the primary screen is negative.
                    const CPoint point(static_cast<short>(LOWORD(lParam)),
                                       static_cast<short>(HIWORD(lParam)));
                    (target.*row.handler)(&window, point);
                    result = 0;
                } else if constexpr (std::is_same_v<Row, typename Entry::Char>) {
                    if (message != WM_CHAR) return false;
                    (target.*row.handler)(static_cast<UINT>(wParam), LOWORD(lParam),
                                          HIWORD(lParam));
                    result = 0;
                } else {
                    static_assert(std::is_same_v<Row, typename Entry::Message>);
                    if (message != row.message) return false;
                    result = (target.*row.handler)(wParam, lParam);
                }
                return true;
            },
            entry.row);
        if (ran) return true;
    }
    return false;
}

// Lets a class's own array be passed where the span is expected, with T taken from `target`.
template <class T, std::size_t N>
bool DispatchMessageMap(T& target, const MessageEntry<T> (&map)[N], UINT message, WPARAM wParam,
                        LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap(target, std::span<const MessageEntry<T>>(map), message, wParam,
                              lParam, result);
}

}  // namespace mirl
