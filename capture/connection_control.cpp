#include "connection_control.h"

#include "message_box.h"

namespace mirl {
namespace {

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
                                     ThreadStarter startThread)
    : m_state(state), m_port(port), m_host(host), m_startThread(std::move(startThread)) {}

ConnectionControl::~ConnectionControl() {
    if (m_reader) {
        m_state.readerState.store(ReaderStatus::Stop);
        EndReader();
    }
    if (m_state.connected != 0) {
        m_port.Close();
        m_state.readerState.store(ReaderStatus::Idle);
        m_state.connected = 0;
    }
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
    if (!OpenAndConfigure(m_host.ReadPortSettings())) {
        // Release a port that opened but could not be configured, so that a retry on the same
        // port is not refused for being in use.
        if (m_port.IsOpen()) m_port.Close();
        m_host.MessageBox("A connection could not put up.", kErrorCaption,
                          kMbOk | kMbIconExclamation);
        return;
    }
    m_state.readerState.store(ReaderStatus::Reading);
    // A reader that cannot be started leaves the capture empty; Disconnect still works.
    m_reader =
        m_startThread([this] { ReaderThreadProc(m_state.buffer, m_state.readerState, m_port); });
    m_host.SetConnectText(kDisconnectText);
    m_state.connected = 1;
    m_host.AddLine(kConnectedLine);
    m_host.SetTimer(kTimerId, kTimerPeriodMs);
    LockSettings(true);
}

bool ConnectionControl::OpenAndConfigure(const PortSettings& settings) {
    if (!m_port.Open(DevicePath(settings.portName))) return false;
    LineState line;
    if (!m_port.GetCommState(line)) return false;
    line.baudRate = settings.baudRate;
    line.byteSize = settings.byteSize;
    line.parity = settings.parity;
    line.stopBits = settings.stopBits;
    if (!m_port.SetCommState(line)) return false;
    // Both calls are made even when the first fails; either failing fails the attempt.
    const bool saved = m_port.GetCommTimeouts(m_savedTimeouts);
    const bool applied = m_port.SetCommTimeouts(kCaptureTimeouts);
    return saved && applied;
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
    if (status == ReaderStatus::Reading) {
        m_state.readerState.store(ReaderStatus::Stop);
        m_host.SetConnectText(kWaitText);
        if (m_reader) m_reader->WaitForEnd(kStopWait);
    }
    EndReader();
    m_port.Close();
    m_state.readerState.store(ReaderStatus::Idle);
    m_host.SetConnectText(kConnectText);
    m_state.connected = 0;
    MoveToLines();
    m_host.AddLine(kDisconnectedLine);
    LockSettings(false);
}

void ConnectionControl::EndReader() {
    // The purge abandons a read still pending, so the reader ends before the handle goes.
    m_port.Purge(kPurgeAll);
    if (m_reader) {
        m_reader->Join();
        m_reader.reset();
    }
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
    std::vector<std::string> lines;
    m_lines.MoveToLines(m_state.buffer,
                        [&lines](const std::string& line) { lines.push_back(line); });
    if (!lines.empty()) m_host.AddLines(lines);
}

void ConnectionControl::ClearData() {
    m_host.ResetList();
    m_state.buffer.Clear();
}

void ConnectionControl::LockSettings(bool lock) {
    for (const int id : kLockedControls) m_host.EnableControl(id, !lock);
}

}  // namespace mirl
