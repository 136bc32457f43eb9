// Starting a dialog program, finding its window by process id and talking to its controls.
#include "app_under_test.h"

#include <thread>
#include <vector>

namespace mirl::bench {
namespace {

using std::chrono::milliseconds;

// How long one query may wait for a UI thread that is busy in a handler.
constexpr UINT kAnswerTimeoutMs = 5000;

struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

// A named callback: a lambda converts only to the default calling convention, which is not
// the callback's on 32-bit Windows.
BOOL CALLBACK CollectVisibleDialog(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char cls[16] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    if (owner == search.processId && ::IsWindowVisible(window) && std::string(cls) == "#32770") {
        search.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> VisibleDialogsOf(DWORD processId) {
    DialogSearch search{processId, {}};
    ::EnumWindows(CollectVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                 &result) != 0;
}

}  // namespace

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

AppUnderTest::AppUnderTest(const std::string& exePath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exePath + "\"";
    m_started = Clock::now();
    if (::CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &info)) {
        m_process.reset(info.hProcess);
        m_thread.reset(info.hThread);
        m_processId = info.dwProcessId;
    }
}

AppUnderTest::~AppUnderTest() {
    if (Started() && !Close(milliseconds{5000})) ::TerminateProcess(m_process.get(), 1);
}

bool AppUnderTest::WaitUntilAnswering(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Started() && Clock::now() < deadline) {
        if (::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0) return false;
        for (HWND window : VisibleDialogsOf(m_processId)) {
            if (Answers(window)) {
                m_dialog = window;
                return true;
            }
        }
        std::this_thread::sleep_for(milliseconds{1});
    }
    return false;
}

void AppUnderTest::Click(int controlId) const {
    ::PostMessageA(::GetDlgItem(m_dialog, controlId), BM_CLICK, 0, 0);
}

std::optional<std::string> AppUnderTest::ControlText(int controlId) const {
    char text[256] = {};
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(::GetDlgItem(m_dialog, controlId), WM_GETTEXT, sizeof text,
                               reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               &length)) {
        return std::nullopt;
    }
    return std::string(text, length);
}

std::optional<std::string> AppUnderTest::LastListLine(int listId) const {
    HWND list = ::GetDlgItem(m_dialog, listId);
    DWORD_PTR count = 0;
    if (!::SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               &count) ||
        static_cast<LRESULT>(count) <= 0) {
        return std::nullopt;
    }
    const WPARAM last = count - 1;
    // The wide messages: Wine hands a cross-process LB_GETTEXT sent as ANSI back in UTF-16.
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(list, LB_GETTEXTLEN, last, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               &length) ||
        static_cast<LRESULT>(length) < 0) {
        return std::nullopt;
    }
    std::wstring wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(list, LB_GETTEXT, last, reinterpret_cast<LPARAM>(wide.data()),
                               SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied) ||
        static_cast<LRESULT>(copied) < 0) {
        return std::nullopt;
    }
    wide.resize(copied);
    std::string text(wide.size() * 2, '\0');
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                              static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return text;
}

std::optional<Clock::time_point> AppUnderTest::WaitForLastLine(int listId, const std::string& text,
                                                               milliseconds timeout) const {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        const auto line = LastListLine(listId);
        const auto seen = Clock::now();
        if (line && line->rfind(text, 0) == 0) return seen;
        // A short pause, so that the poll does not take the second core from the program (and
        // from the Wine server) that it is timing; a sleep under Wine lasts about what it asks.
        std::this_thread::sleep_for(milliseconds{1});
    }
    return std::nullopt;
}

bool AppUnderTest::ShowsOtherWindow() const {
    for (HWND window : VisibleDialogsOf(m_processId)) {
        if (window != m_dialog) return true;
    }
    return false;
}

bool AppUnderTest::Close(milliseconds timeout) {
    if (!Started()) return true;
    if (::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0) return true;
    if (m_dialog) ::PostMessageA(m_dialog, WM_COMMAND, IDCANCEL, 0);
    return ::WaitForSingleObject(m_process.get(), static_cast<DWORD>(timeout.count())) ==
           WAIT_OBJECT_0;
}

void AppUnderTest::Kill() {
    if (!Started()) return;
    ::TerminateProcess(m_process.get(), 1);
    ::WaitForSingleObject(m_process.get(), INFINITE);
}

}  // namespace mirl::bench
