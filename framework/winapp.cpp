// CWinApp and the Afx functions that reach the application object.
#include "winapp.h"

#include <vector>

namespace {

// The one application object, as the class layer's manner has it; set by CWinApp's constructor.
CWinApp* theApp = nullptr;

std::string ExecutableBaseName() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A full buffer means the path may have been cut short; try a larger one.
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::string name(path.begin(), path.end());
    auto slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot != 0) name.erase(dot);
    return name;
}

}  // namespace

const mirl::MessageEntry<CWinApp> CWinApp::kMessageMap[] = {
    mirl::MessageMap<CWinApp>::OnCommand(ID_HELP, &CWinApp::OnHelp),
};

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_appName(lpszAppName ? std::string(lpszAppName) : ExecutableBaseName()) {
    m_pszAppName = m_appName.c_str();
    theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

BOOL CWinApp::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return mirl::DispatchMessageMap(*this, kMessageMap, message, wParam, lParam, *pResult);
}

CWinApp* AfxGetApp() {
    return theApp;
}

LPCSTR AfxGetAppName() {
    return theApp ? theApp->m_pszAppName : nullptr;
}

HINSTANCE AfxGetResourceHandle() {
    if (theApp != nullptr && theApp->m_hInstance != nullptr) return theApp->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return -1;
    app->m_hInstance = hInstance;
    app->InitInstance();
    return 0;
}
