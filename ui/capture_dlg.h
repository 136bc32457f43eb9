// The tool's main window: the settings lists, Connect/Default/Delete/Exit and the output list.
#pragma once

#include "afxwin.h"
#include "capture_host.h"
#include "connection_control.h"
#include "output_list_box.h"
#include "port_list.h"
#include "resource.h"
#include "serial_port.h"

class CCaptureDlg : public CDialog {
  public:
    // `capture` and `port` are the process-wide objects; they outlive the dialog.
    CCaptureDlg(mirl::CaptureState& capture, mirl::SerialPort& port, CWnd* pParent = nullptr);

    enum { IDD = IDD_MAIN };

    // Line output: one list item per line, scrolled so that the newest is the fifth from the top,
    // and scrollable sideways to the end of the widest line.
    void AddLine(const CString& text);
    void AddLines(const std::vector<std::string>& lines);
    void ResetList();

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
    LRESULT OnMeasureItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
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
        void EnableControl(int controlId, bool enable) override;
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
    void WidenListFor(const std::vector<std::string>& lines);

    static const mirl::MessageEntry<CCaptureDlg> kMessageMap[];

    // The list's horizontal extent: its widest line in pixels of the font it was measured in, text
    // inset included.
    int m_widestLine = 0;
    HGDIOBJ m_measuredFont = nullptr;
    CMemoryDC m_measuringDc;
    // Not looked up since the window opened, or a device came or went since the last lookup.
    bool m_portsStale = true;
    // The window has been drawn once, and the first lookup asked for.
    bool m_painted = false;
    Host m_host{*this};
    // Holds the pending line of the output; stops a running reader when the dialog goes.
    mirl::ConnectionControl m_control;
};
