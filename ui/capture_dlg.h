// The tool's main window: the settings lists, Connect/Default/Delete/Exit and the output list.
#pragma once

#include "afxwin.h"
#include "capture_host.h"
#include "connection_control.h"
#include "line_assembly.h"
#include "output_list_box.h"
#include "port_list.h"
#include "resource.h"
#include "serial_port.h"

class CCaptureDlg : public CDialog {
  public:
    // `capture` and `port` are the process-wide objects; they outlive the dialog. `lookUpPorts`
    // tells which ports are present.
    CCaptureDlg(mirl::CaptureState& capture, mirl::SerialPort& port, mirl::PortLookup lookUpPorts,
                CWnd* pParent = nullptr);

    enum { IDD = IDD_MAIN };

    // The settings controls, locked during a capture, in the order they are locked and unlocked.
    static constexpr int kLockedControls[] = {IDC_PORT,     IDC_BAUD,     IDC_PARITY,
                                              IDC_DATABITS, IDC_STOPBITS, IDC_DEFAULT};

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnConnect();
    void OnDefault();
    void MoveToLines();
    void OnCount();
    void OnDelete();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    void OnDropdownPort();
    LRESULT OnDeviceChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnLookUpPorts(WPARAM wParam, LPARAM lParam);

    mirl::PortSettings ReadPortSettings();
    CString GetSelectedText(const CComboBox& combo) const;

    COutputListBox m_listOutput;
    CComboBox m_comboStopBits;
    CComboBox m_comboDataBits;
    CComboBox m_comboParity;
    CComboBox m_comboBaud;
    CButton m_btnConnect;
    CString m_strPort;
    HICON m_hIcon;
    // The pending line, and the rule that completes it.
    mirl::LineAssembler m_strLine;
    // Draws the port list; reached through m_strPort for everything else.
    CPortList m_portList;

  private:
    // The dialog's services as the capture logic asks for them; kept apart from CWnd's own
    // members of the same names (MessageBox, UpdateData, SetTimer...).
    class Host final : public mirl::CaptureHost {
      public:
        explicit Host(CCaptureDlg& dlg) : m_dlg(dlg) {}
        void AddLine(const std::string& text) override;
        void AddLines(const std::vector<std::string>& lines) override;
        void ResetList() override;
        void SetConnectText(const std::string& text) override;
        void LockSettings(bool lock) override;
        int MessageBox(const std::string& text, const std::optional<std::string>& caption,
                       std::uint32_t type) override;
        void SetTimer(unsigned timerId, unsigned periodMs) override;
        void KillTimer(unsigned timerId) override;
        void UpdateData(bool saveAndValidate) override;
        mirl::PortSettings ReadPortSettings() override;

      private:
        CCaptureDlg& m_dlg;
    };

    void FillSettingsLists();
    void FitPortListFont();
    void LookUpPorts();

    static const mirl::MessageEntry<CCaptureDlg> kMessageMap[];

    mirl::PortLookup m_lookUpPorts;
    // Not looked up since the window opened, or a device came or went since the last lookup.
    bool m_portsStale = true;
    // The window has been drawn once, and the first lookup asked for.
    bool m_painted = false;
    Host m_host{*this};
    // Stops a running reader when the dialog goes.
    mirl::ConnectionControl m_control;
};
