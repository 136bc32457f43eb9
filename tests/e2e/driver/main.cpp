// e2e_driver: reads one command per line on stdin, answers one line on stdout, until "quit".
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "driver.h"
#include "wire_format.h"

int main() {
    // Plain "\n" line ends for the Linux side, whatever the C runtime's text mode would do.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    e2e::Driver driver;
    std::string line;
    while (std::getline(std::cin, line)) {
        const auto args = e2e::SplitTokens(line);
        if (!args.empty() && args[0] == "quit") {
            std::cout << "ok\n" << std::flush;
            break;
        }
        std::cout << driver.Execute(args) << "\n" << std::flush;
    }
    return 0;
}
