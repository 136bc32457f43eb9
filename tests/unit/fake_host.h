// A recording stand-in for the main dialog: every call in order, scripted message-box answers.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "capture_host.h"

namespace mirl::test {

struct ShownBox {
    std::string text;
    std::optional<std::string> caption;
    std::uint32_t type = 0;
};

class FakeHost final : public CaptureHost {
  public:
    void AddLine(const std::string& text) override;
    // Recorded line by line, as AddLine.
    void AddLines(const std::vector<std::string>& lines) override;
    void ResetList() override;
    void SetConnectText(const std::string& text) override;
    void LockSettings(bool lock) override;
    int MessageBox(const std::string& text, const std::optional<std::string>& caption,
                   std::uint32_t type) override;
    void SetTimer(unsigned timerId, unsigned periodMs) override;
    void KillTimer(unsigned timerId) override;
    void UpdateData(bool saveAndValidate) override;
    PortSettings ReadPortSettings() override;

    // Answers for the coming message boxes, in order; kIdOk once they run out.
    void Answer(std::initializer_list<int> answers) { m_answers.insert(m_answers.end(), answers); }
    // Runs while the next message box is "open", as a modal loop would dispatch a timer tick.
    void DuringNextBox(std::function<void()> action) { m_duringBox = std::move(action); }

    PortSettings settings{"COM1", 9600, 8, 0, 0};
    std::vector<std::string> list;  // the output list as the user sees it
    std::vector<std::string> calls;
    std::vector<ShownBox> boxes;
    std::string connectText = "Connect";
    bool timerRunning = false;

  private:
    std::deque<int> m_answers;
    std::function<void()> m_duringBox;
};

}  // namespace mirl::test
