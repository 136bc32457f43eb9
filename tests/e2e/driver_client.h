// The Linux end of e2e_driver.exe's line protocol.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "wine_session.h"

namespace e2e {

struct Reply {
    bool ok = false;
    std::vector<std::string> fields;  // decoded
    std::string line;                 // as received, for messages
};

class DriverClient {
  public:
    DriverClient(const WineSession& session, const std::filesystem::path& program,
                 const std::filesystem::path& log);
    ~DriverClient();
    DriverClient(const DriverClient&) = delete;
    DriverClient& operator=(const DriverClient&) = delete;

    // One request; throws when the driver does not answer within `timeout`.
    Reply Call(const std::string& request,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // Call() that throws on an "err" reply, with the request and the message.
    std::vector<std::string> Ok(const std::string& request,
                                std::chrono::milliseconds timeout = std::chrono::seconds(20));

  private:
    std::string ReadLine(std::chrono::milliseconds timeout);

    ChildProcess process_;
    std::string buffer_;
};

}  // namespace e2e
