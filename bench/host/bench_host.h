// A dialog host for the benchmarks: keeps the shown lines as a list box would and answers every
// question with OK; nothing else it is told has a cost.
#pragma once

#include <string>
#include <vector>

#include "capture_host.h"
#include "message_box.h"

namespace mirl::bench {

class BenchHost final : public CaptureHost {
  public:
    void AddLine(const std::string& text) override { m_lines.push_back(text); }
    void AddLines(const std::vector<std::string>& lines) override {
        m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    }
    void ResetList() override { m_lines.clear(); }
    void SetConnectText(const std::string&) override {}
    void LockSettings(bool) override {}
    int MessageBox(const std::string&, const std::optional<std::string>&, std::uint32_t) override {
        return kIdOk;
    }
    void SetTimer(unsigned, unsigned) override {}
    void KillTimer(unsigned) override {}
    void UpdateData(bool) override {}
    PortSettings ReadPortSettings() override { return {}; }

    const std::vector<std::string>& Lines() const { return m_lines; }

  private:
    std::vector<std::string> m_lines;
};

}  // namespace mirl::bench
