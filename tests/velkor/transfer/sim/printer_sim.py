#!/usr/bin/env python3
"""A printer on a serial line, for the transfer tests under Wine.

Makes a pseudo-terminal pair, links LINK (Wine's dosdevices/com3, say) to the
terminal end and records in RECORD every byte that arrives at the other end. With
--accept N it takes only the first N bytes and then stops reading, so the writer's
terminal buffer fills and its writes stall. Writes READY once the link exists and
runs until it is terminated.
"""
import argparse
import os
import signal
import sys
import time
import tty


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--link", required=True)
    parser.add_argument("--record", required=True)
    parser.add_argument("--ready", required=True)
    parser.add_argument("--accept", type=int, default=-1, help="bytes to take; -1 for all")
    args = parser.parse_args()

    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    master, slave = os.openpty()
    tty.setraw(slave)
    # The slave stays open here too, so the line survives the writer closing it.
    if os.path.lexists(args.link):
        os.unlink(args.link)
    os.symlink(os.ttyname(slave), args.link)
    taken = 0
    try:
        with open(args.record, "wb", buffering=0) as record:
            with open(args.ready, "w") as ready:
                ready.write(os.ttyname(slave))
            while True:
                if 0 <= args.accept <= taken:
                    time.sleep(3600)
                    continue
                want = 4096 if args.accept < 0 else min(4096, args.accept - taken)
                try:
                    chunk = os.read(master, want)
                except OSError:
                    time.sleep(0.01)
                    continue
                record.write(chunk)
                taken += len(chunk)
    finally:
        if os.path.islink(args.link):
            os.unlink(args.link)


if __name__ == "__main__":
    main()
