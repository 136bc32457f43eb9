#include "connection_control.h"

#include "message_box.h"

namespace mirl {
namespace {

// The texts below are the tool's own, word for word, odd ones included ("Readed characters: ",
// "A connection could not put up."): users and their scripts match on them.
constexpr const char* kConnectText = "Connect";
constexpr const char* kDisconnectText = "Disconnect";
constexpr const char* kWaitText = "Wait...";
constexpr const char* kConnectedLine = "connected.";
constexpr const char* kDisconnectedLine = "disconnect.";
// The two captions differ in their first letter; both are the tool's own.
constexpr const char* kLowerCaption = "mirlTTY";
constexpr const char* kUpperCaption = "MirlTTY";
constexpr const char* kErrorCaption = "Error";

}  // namespace

ConnectionControl::ConnectionControl(CaptureState& state, SerialPort& port, CaptureHost& host,
                                     LineAssembler& lines, ThreadStarter startThread,
                                     DebugTrace trace)
    : m_state(state),
      m_port(port),
      m_host(host),
      m_lines(lines),
      m_startThread(std::move(startThread)),
      m_trace(std::move(trace)) {}

ConnectionControl::~ConnectionControl() {
    if (m_state.connected != 0) m_state.reader.Stop(std::chrono::milliseconds{0});
    m_state.connected = 0;
}

void ConnectionControl::OnConnect() {
    m_host.UpdateData(true);
    if (m_state.connected == 0) {
        Connect();
    } else {
        Disconnect();
    }
}

void ConnectionControl::Connect() {
    if (m_state.buffer.Count() > 0) {
        const int answer = m_host.MessageBox("Opening a new connection, all data will be deleted !",
                                             kLowerCaption, kMbOkCancel | kMbIconExclamation);
        if (answer != kIdOk) return;
        ClearData();
    }
    const PortSettings settings = m_host.ReadPortSettings();
    // A reader handed the port at the last disconnect closes it once its call returns; until
    // then the port is not ours to open again.
    const bool portFree = m_state.reader.PortIsFree();
    if (!portFree) Trace("Connect failed: the reader of the last capture still holds the port");
    if (!portFree || !OpenAndConfigure(settings)) {
        // Release a port that opened but could not be configured, so that a retry on the same
        // port is not refused for being in use.
        if (portFree && m_port.IsOpen()) m_port.Close();
        m_host.MessageBox("A connection could not put up.", kErrorCaption,
                          kMbOk | kMbIconExclamation);
        return;
    }
    m_state.reader.Start(m_port, m_startThread, m_trace);
    m_host.SetConnectText(kDisconnectText);
    m_state.connected = 1;
    m_host.AddLine(kConnectedLine);
    m_host.SetTimer(kTimerId, kTimerPeriodMs);
    m_host.LockSettings(true);
}

bool ConnectionControl::OpenAndConfigure(const PortSettings& settings) {
    const std::string path = DevicePath(settings.portName);
    if (!m_port.Open(path)) return ConnectFailed("CreateFileA " + path);
    LineState line;
    if (!m_port.GetCommState(line)) return ConnectFailed("GetCommState");
    line.baudRate = settings.baudRate;
    line.byteSize = settings.byteSize;
    line.parity = settings.parity;
    line.stopBits = settings.stopBits;
    if (!m_port.SetCommState(line)) return ConnectFailed("SetCommState");
    // Both calls are made even when the first fails; either failing fails the attempt.
    const bool saved = m_port.GetCommTimeouts(m_savedTimeouts) || ConnectFailed("GetCommTimeouts");
    const bool applied =
        m_port.SetCommTimeouts(kCaptureTimeouts) || ConnectFailed("SetCommTimeouts");
    return saved && applied;
}

bool ConnectionControl::ConnectFailed(const std::string& call) {
    Trace("Connect failed: " + call + ", error " + std::to_string(m_port.LastError()));
    return false;
}

void ConnectionControl::Trace(const std::string& text) const {
    if (m_trace) m_trace(text);
}

void ConnectionControl::Disconnect() {
    m_host.KillTimer(kTimerId);
    if (m_state.buffer.Count() >= kMaxRead) {
        m_host.MessageBox("Reading data stopped early. Maximum data reached.", kUpperCaption,
                          kMbOk | kMbIconInformation);
    }
    const ReaderStatus status = m_state.readerState.load();
    if (status == ReaderStatus::Idle) {
        m_host.MessageBox("Connection already closed. This message should not be shown!",
                          kErrorCaption, kMbOk | kMbIconExclamation);
        return;
    }
    // At Stop the reader has ended at the limit, and there is no wait.
    const bool reading = status == ReaderStatus::Reading;
    if (reading) m_host.SetConnectText(kWaitText);
    m_state.reader.Stop(reading ? kStopWait : std::chrono::milliseconds{0});
    m_host.SetConnectText(kConnectText);
    m_state.connected = 0;
    MoveToLines();
    m_host.AddLine(kDisconnectedLine);
    m_host.LockSettings(false);
}

void ConnectionControl::OnTimer() {
    MoveToLines();
    if (m_state.buffer.Count() >= kMaxRead) OnConnect();
}

void ConnectionControl::OnDelete() {
    const int answer = m_host.MessageBox("Do you want to delete all data ?", kUpperCaption,
                                         kMbYesNoCancel | kMbIconStop);
    if (answer == kIdYes) ClearData();
}

void ConnectionControl::OnCount() {
    const std::string text = "Readed characters: " + std::to_string(m_state.buffer.Count()) +
                             " (max. " + std::to_string(kMaxCount) + ")";
    m_host.MessageBox(text, std::nullopt, kMbOk);
}

void ConnectionControl::MoveToLines() {
    const std::vector<std::string> lines = m_lines.MoveToLines(m_state.buffer);
    if (!lines.empty()) m_host.AddLines(lines);
}

void ConnectionControl::ClearData() {
    m_host.ResetList();
    m_state.buffer.Clear();
}

}  // namespace mirl
