#!/usr/bin/env python3
"""Replays a recorded NMEA capture to a UDP port on this machine, one epoch a second, over and
over, so that a program listening there sees live positions arrive.

    replay_nmea.py [capture] [port]

An epoch is the run of sentences from one GGA to the next. Stops on SIGTERM or Ctrl-C.
"""
import os
import signal
import socket
import sys
import time


def epochs(path):
    with open(path, "rb") as capture:
        lines = [line for line in capture.read().splitlines(keepends=True) if line.strip()]
    group = []
    for line in lines:
        if line[3:6] == b"GGA" and group:
            yield group
            group = []
        group.append(line)
    if group:
        yield group


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "MyData", "demo_gnss.nmea")
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 10110
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    recorded = list(epochs(path))
    if not recorded:
        sys.exit("no sentences in " + path)
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    try:
        while True:
            for group in recorded:
                sender.sendto(b"".join(group), ("127.0.0.1", port))
                time.sleep(1.0)
    except KeyboardInterrupt:
        pass
    finally:
        sender.close()


if __name__ == "__main__":
    main()
