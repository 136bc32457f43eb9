// A recording stand-in for the main dialog.
#include "fake_host.h"

#include <utility>

#include "message_box.h"

namespace mirl::test {

void FakeHost::AddLine(const std::string& text) {
    calls.push_back("AddLine " + text);
    list.push_back(text);
}

void FakeHost::AddLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) AddLine(line);
}

void FakeHost::ResetList() {
    calls.push_back("ResetList");
    list.clear();
}

void FakeHost::SetConnectText(const std::string& text) {
    calls.push_back("SetConnectText " + text);
    connectText = text;
}

void FakeHost::LockSettings(bool lock) {
    calls.push_back(lock ? "LockSettings on" : "LockSettings off");
}

int FakeHost::MessageBox(const std::string& text, const std::optional<std::string>& caption,
                         std::uint32_t type) {
    calls.push_back("MessageBox " + text);
    boxes.push_back({text, caption, type});
    if (m_duringBox) std::exchange(m_duringBox, nullptr)();
    if (m_answers.empty()) return kIdOk;
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void FakeHost::SetTimer(unsigned timerId, unsigned periodMs) {
    calls.push_back("SetTimer " + std::to_string(timerId) + " " + std::to_string(periodMs));
    timerRunning = true;
}

void FakeHost::KillTimer(unsigned timerId) {
    calls.push_back("KillTimer " + std::to_string(timerId));
    timerRunning = false;
}

void FakeHost::UpdateData(bool saveAndValidate) {
    calls.push_back(saveAndValidate ? "UpdateData TRUE" : "UpdateData FALSE");
}

PortSettings FakeHost::ReadPortSettings() {
    calls.push_back("ReadPortSettings");
    return settings;
}

}  // namespace mirl::test
