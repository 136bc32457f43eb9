// CWinApp: registration as the one app, its name, the instance handle and AfxWinMain.
#include "winapp.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "wnd.h"

namespace {

TEST(WinApp, WithoutANameTheAppIsNamedAfterTheExecutable) {
    CWinApp app;
    EXPECT_STREQ(app.m_pszAppName, "framework_tests");
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_STREQ(AfxGetAppName(), "framework_tests");
}

TEST(WinApp, AGivenNameIsKept) {
    CWinApp app("mirlTTY");
    EXPECT_STREQ(AfxGetAppName(), "mirlTTY");
}

TEST(WinApp, TheAppIsForgottenWhenItGoes) {
    { CWinApp app; }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetAppName(), nullptr);
}

TEST(WinApp, ResourcesAreTheExecutablesModule) {
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandleA(nullptr));
}

TEST(WinApp, AfxWinMainRecordsTheInstanceAndRunsInitInstance) {
    class App : public CWinApp {
      public:
        int initCalls = 0;
        HINSTANCE seen = nullptr;
        BOOL InitInstance() override {
            AfxEnableControlContainer();
            Enable3dControls();
            ++initCalls;
            seen = AfxGetResourceHandle();
            return FALSE;
        }
    } app;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    char cmdLine[] = "";
    EXPECT_EQ(AfxWinMain(instance, nullptr, cmdLine, SW_SHOWNORMAL), 0);
    EXPECT_EQ(app.initCalls, 1);
    EXPECT_EQ(app.m_hInstance, instance);
    EXPECT_EQ(app.seen, instance);
}

TEST(WinApp, HelpCommandHasItsDefaultHandler) {
    CWinApp app;
    LRESULT result = -1;
    EXPECT_TRUE(app.OnWndMsg(WM_COMMAND, ID_HELP, 0, &result));
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(app.OnWndMsg(WM_COMMAND, 1012, 0, &result));
}

TEST(WinApp, LoadIconFindsNoIconWhereThereIsNone) {
    CWinApp app;
    EXPECT_EQ(app.LoadIcon(4711), nullptr);
}

TEST(WinApp, MessageBoxWithoutCaptionUsesTheAppName) {
    CWinApp app;
    CWnd desktopless;
    std::atomic<bool> found{false};
    // Answers the box once a dialog window with the app's name as caption appears.
    std::thread answer([&found] {
        for (int i = 0; i < 250 && !found; ++i) {
            if (HWND box = ::FindWindowA("#32770", "framework_tests")) {
                found = true;
                ::PostMessageA(box, WM_COMMAND, IDNO, 0);
            }
            ::Sleep(20);
        }
    });
    int pressed = desktopless.MessageBox("Continue?", nullptr, MB_YESNOCANCEL);
    answer.join();
    EXPECT_TRUE(found);
    EXPECT_EQ(pressed, IDNO);
}

}  // namespace
