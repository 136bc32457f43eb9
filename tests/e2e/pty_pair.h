// A pseudo-terminal pair: we write the "device" bytes into the master, Wine opens the slave.
#pragma once

#include <termios.h>

#include <string>
#include <string_view>

#include "unique_fd.h"

namespace e2e {

class PtyPair {
  public:
    PtyPair();

    const std::string& slave_path() const noexcept { return slave_path_; }

    void Write(std::string_view bytes);
    // Bytes written that the other end of the slave has not read yet.
    int Unread() const;

    // The line settings the slave currently has (what the program's port setup left there).
    termios Settings() const;

    // The device goes away: our master and our slave are closed, so the program's open slave
    // sees a hangup and the device node goes once the program lets go of it too.
    void Hangup();

  private:
    UniqueFd master_;
    // Held open by us too, so the pty never hangs up between the program's open and close and
    // its settings stay readable.
    UniqueFd slave_;
    std::string slave_path_;
};

}  // namespace e2e
