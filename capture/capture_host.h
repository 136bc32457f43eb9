// The dialog's services that the connection control drives. The main dialog implements it; tests
// supply a recording fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "port_settings.h"

namespace mirl {

class CaptureHost {
  public:
    virtual ~CaptureHost() = default;

    // Line output. A move hands over every line it completed in one call, so that the list can
    // take a burst of hundreds as one batch instead of repainting for each.
    virtual void AddLine(const std::string& text) = 0;
    virtual void AddLines(const std::vector<std::string>& lines) = 0;
    virtual void ResetList() = 0;

    virtual void SetConnectText(const std::string& text) = 0;
    // Disables the settings controls during a capture (true) and enables them after (false).
    virtual void LockSettings(bool lock) = 0;
    // Modal box; returns the button pressed (kIdOk, kIdCancel, kIdYes, kIdNo). No caption means
    // the application's name.
    virtual int MessageBox(const std::string& text, const std::optional<std::string>& caption,
                           std::uint32_t type) = 0;
    virtual void SetTimer(unsigned timerId, unsigned periodMs) = 0;
    virtual void KillTimer(unsigned timerId) = 0;

    // UpdateData(TRUE): brings the controls' texts into the dialog's members.
    virtual void UpdateData(bool saveAndValidate) = 0;
    // The settings chosen in the controls, read after UpdateData(TRUE).
    virtual PortSettings ReadPortSettings() = 0;
};

}  // namespace mirl
