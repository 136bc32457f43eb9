#!/usr/bin/env python3
"""The demo serial port: a pseudo-terminal that sends a few GPS receiver lines a second.

Prints the terminal's path on the first line of standard output, then feeds it until killed.
Lines are sent only while a program has the port open, as a device that starts talking once it
is connected would; a closed terminal would otherwise pile up a backlog of old lines.
"""
import datetime
import os
import select
import sys
import time
import tty


def sentence(body: str) -> bytes:
    checksum = 0
    for ch in body.encode("ascii"):
        checksum ^= ch
    return f"${body}*{checksum:02X}\r\n".encode("ascii")


def burst(now: datetime.datetime) -> bytes:
    clock = now.strftime("%H%M%S.00")
    date = now.strftime("%d%m%y")
    return (sentence(f"GPGGA,{clock},4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")
            + sentence(f"GPRMC,{clock},A,4807.038,N,01131.000,E,022.4,084.4,{date},003.1,W")
            + sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"))


def port_is_open(master: int) -> bool:
    # The controlling side reports a hang-up while nobody holds the terminal open.
    poller = select.poll()
    poller.register(master, select.POLLHUP)
    return not any(event & select.POLLHUP for _, event in poller.poll(0))


def main() -> int:
    master, slave = os.openpty()
    tty.setraw(slave)
    print(os.ttyname(slave), flush=True)
    os.close(slave)
    while True:
        if port_is_open(master):
            os.write(master, burst(datetime.datetime.now(datetime.timezone.utc)))
        time.sleep(1)


if __name__ == "__main__":
    sys.exit(main())
