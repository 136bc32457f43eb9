// The tool's main window.
#include "capture_dlg.h"

#include <dbt.h>

#include <charconv>
#include <utility>

#include "about_dlg.h"
#include "afx_worker_thread.h"
#include "debug_output.h"
#include "port_settings.h"

namespace {

using Map = mirl::MessageMap<CCaptureDlg>;

// Posted to itself to look the ports up once the window is drawn, and when a device came or went
// while the port list was open.
constexpr UINT kLookUpPortsMessage = WM_APP + 1;

}  // namespace

const mirl::MessageEntry<CCaptureDlg> CCaptureDlg::kMessageMap[] = {
    Map::OnSysCommand(&CCaptureDlg::OnSysCommand),
    Map::OnPaint(&CCaptureDlg::OnPaint),
    Map::OnQueryDragIcon(&CCaptureDlg::OnQueryDragIcon),
    Map::OnBnClicked(IDC_CONNECT, &CCaptureDlg::OnConnect),
    Map::OnBnClicked(IDC_DEFAULT, &CCaptureDlg::OnDefault),
    // Sent only from outside the program.
    Map::OnCommand(IDC_FLUSH, &CCaptureDlg::MoveToLines),
    Map::OnCommand(IDC_COUNT, &CCaptureDlg::OnCount),
    Map::OnBnClicked(IDC_DELETE, &CCaptureDlg::OnDelete),
    Map::OnTimer(&CCaptureDlg::OnTimer),
    Map::OnMessage(WM_DPICHANGED, &CCaptureDlg::OnDpiChanged),
    Map::OnCbnDropdown(IDC_PORT, &CCaptureDlg::OnDropdownPort),
    Map::OnMessage(WM_DEVICECHANGE, &CCaptureDlg::OnDeviceChange),
    Map::OnMessage(kLookUpPortsMessage, &CCaptureDlg::OnLookUpPorts),
};

CCaptureDlg::CCaptureDlg(mirl::CaptureState& capture, mirl::SerialPort& port,
                         mirl::PortLookup lookUpPorts, CWnd* pParent)
    : CDialog(IDD_MAIN, pParent),
      m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)),
      m_lookUpPorts(std::move(lookUpPorts)),
      m_control(capture, port, m_host, m_strLine, mirl::StartAfxThread, mirl::WriteDebugOutput) {}

BOOL CCaptureDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (mirl::DispatchMessageMap(*this, kMessageMap, message, wParam, lParam, *pResult)) {
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

void CCaptureDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_listOutput);
    DDX_Control(pDX, IDC_STOPBITS, m_comboStopBits);
    DDX_Control(pDX, IDC_DATABITS, m_comboDataBits);
    DDX_Control(pDX, IDC_PARITY, m_comboParity);
    DDX_Control(pDX, IDC_BAUD, m_comboBaud);
    DDX_Control(pDX, IDC_CONNECT, m_btnConnect);
    DDX_CBString(pDX, IDC_PORT, m_strPort);
}

BOOL CCaptureDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The lists' own input, menu and drawing go to their objects, not the dialog.
    BOOL subclassed = m_listOutput.SubclassDlgItem(IDC_LIST, this);
    subclassed &= m_portList.SubclassDlgItem(IDC_PORT, this);
    if (!subclassed) mirl::WriteDebugOutput("a list could not be subclassed, and is not drawn");
    FillSettingsLists();
    // The dialog's font reached the lists before they were subclassed. The ports present are
    // marked once the window is drawn (OnPaint).
    m_listOutput.FitToFont();
    FitPortListFont();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    OnDefault();
    return TRUE;  // the focus goes to the first tab stop, the Connect button
}

// The items come from the same tables that the settings are mapped with.
void CCaptureDlg::FillSettingsLists() {
    for (const auto& name : mirl::PortItems()) m_portList.AddString(name.c_str());
    const auto fill = [](CComboBox& combo, const auto& items) {
        for (const auto& item : items) combo.AddString(std::string(item).c_str());
    };
    fill(m_comboBaud, mirl::kBaudItems);
    fill(m_comboParity, mirl::kParityItems);
    fill(m_comboDataBits, mirl::kDataBitsItems);
    fill(m_comboStopBits, mirl::kStopBitsItems);
}

void CCaptureDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CCaptureDlg::OnPaint() {
    // The lookup can take a while (many devices, a slow Bluetooth stack): the window shows first.
    if (!std::exchange(m_painted, true)) PostMessage(kLookUpPortsMessage);
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - cxIcon + 1) / 2;
    const int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CCaptureDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CCaptureDlg::OnConnect() {
    m_control.OnConnect();
}

void CCaptureDlg::OnDefault() {
    m_strPort = CString(std::string(mirl::kDefaultPort));
    m_comboBaud.SetCurSel(mirl::kDefaultBaudIndex);
    m_comboParity.SetCurSel(mirl::kDefaultParityIndex);
    m_comboDataBits.SetCurSel(mirl::kDefaultDataBitsIndex);
    m_comboStopBits.SetCurSel(mirl::kDefaultStopBitsIndex);
    UpdateData(FALSE);
}

void CCaptureDlg::MoveToLines() {
    m_control.MoveToLines();
}

void CCaptureDlg::OnCount() {
    m_control.OnCount();
}

void CCaptureDlg::OnDelete() {
    m_control.OnDelete();
}

void CCaptureDlg::OnTimer(UINT_PTR nIDEvent) {
    CDialog::OnTimer(nIDEvent);
    m_control.OnTimer();
}

// Moved to a display of another DPI, the window is rescaled and its controls get fonts of that DPI
// by the default handling (the output list measures itself again in its WM_SETFONT); the port
// list's heights are the program's own to set again.
LRESULT CCaptureDlg::OnDpiChanged(WPARAM, LPARAM) {
    Default();
    FitPortListFont();
    return 0;
}

// The port list's closed box as tall as its neighbour's, a plain list in the same font.
void CCaptureDlg::FitPortListFont() {
    m_portList.FitFont(m_comboBaud.GetItemHeight(-1));
}

// Each opening shows the ports as they are now; a closed list costs nothing.
void CCaptureDlg::OnDropdownPort() {
    LookUpPorts();
}

void CCaptureDlg::LookUpPorts() {
    m_portsStale = false;
    const HRESULT described = m_portList.SetPresentPorts(m_lookUpPorts());
    if (FAILED(described)) {
        char code[16] = {};
        std::to_chars(code, code + sizeof code - 1, static_cast<unsigned long>(described), 16);
        mirl::WriteDebugOutput(std::string("the port list's items are not described: 0x") + code);
    }
}

// Broadcast to every top-level window, and the sender waits for each: only a mark here. While
// the list is open it is looked up again once this handler has returned.
LRESULT CCaptureDlg::OnDeviceChange(WPARAM wParam, LPARAM) {
    if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE ||
        wParam == DBT_DEVNODES_CHANGED) {
        if (!m_portsStale && m_portList.GetDroppedState()) PostMessage(kLookUpPortsMessage);
        m_portsStale = true;
    }
    return TRUE;
}

// One lookup for however many device changes came while it waited. The first paint's lookup
// finds the ports not yet looked up, unless the list was opened before.
LRESULT CCaptureDlg::OnLookUpPorts(WPARAM, LPARAM) {
    if (!m_portsStale) return 0;
    // Whatever else waits to be drawn is drawn first.
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    LookUpPorts();
    return 0;
}

mirl::PortSettings CCaptureDlg::ReadPortSettings() {
    return mirl::MakePortSettings(m_strPort.GetString(), GetSelectedText(m_comboBaud).GetString(),
                                  GetSelectedText(m_comboParity).GetString(),
                                  GetSelectedText(m_comboDataBits).GetString(),
                                  GetSelectedText(m_comboStopBits).GetString());
}

CString CCaptureDlg::GetSelectedText(const CComboBox& combo) const {
    CString text;
    const int selected = combo.GetCurSel();
    if (selected != CB_ERR) combo.GetLBText(selected, text);
    return text;
}

void CCaptureDlg::Host::AddLine(const std::string& text) {
    m_dlg.m_listOutput.AddLines({text});
}

void CCaptureDlg::Host::AddLines(const std::vector<std::string>& lines) {
    m_dlg.m_listOutput.AddLines(lines);
}

void CCaptureDlg::Host::ResetList() {
    m_dlg.m_listOutput.RemoveAllLines();
}

void CCaptureDlg::Host::SetConnectText(const std::string& text) {
    m_dlg.m_btnConnect.SetWindowText(text.c_str());
}

void CCaptureDlg::Host::LockSettings(bool lock) {
    for (const int id : kLockedControls) {
        if (CWnd* control = m_dlg.GetDlgItem(id)) control->EnableWindow(!lock);
    }
}

int CCaptureDlg::Host::MessageBox(const std::string& text,
                                  const std::optional<std::string>& caption, std::uint32_t type) {
    return m_dlg.MessageBox(text.c_str(), caption ? caption->c_str() : nullptr, type);
}

void CCaptureDlg::Host::SetTimer(unsigned timerId, unsigned periodMs) {
    m_dlg.SetTimer(timerId, periodMs, nullptr);
}

void CCaptureDlg::Host::KillTimer(unsigned timerId) {
    m_dlg.KillTimer(timerId);
}

void CCaptureDlg::Host::UpdateData(bool saveAndValidate) {
    m_dlg.UpdateData(saveAndValidate ? TRUE : FALSE);
}

mirl::PortSettings CCaptureDlg::Host::ReadPortSettings() {
    return m_dlg.ReadPortSettings();
}
