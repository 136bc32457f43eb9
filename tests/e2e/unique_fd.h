// An owned POSIX file descriptor, closed when its owner goes.
#pragma once

#include <unistd.h>

#include "unique_any.h"

namespace e2e {

struct FdTraits {
    using type = int;
    static int invalid() noexcept { return -1; }
    static void close(int fd) noexcept { ::close(fd); }
};
using UniqueFd = mirl::unique_any<FdTraits>;

}  // namespace e2e
