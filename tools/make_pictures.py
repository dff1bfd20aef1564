#!/usr/bin/python3
"""Draws every picture of Zandrel procedurally and writes them to resources/.

Run from anywhere:  /usr/bin/python3 tools/make_pictures.py [groups] [--start=METHOD]
Needs Pillow (Debian: python3-pil) and the Debian fonts fonts-liberation2.
The output is deterministic: all random numbers come from fixed seeds, and
the worker processes get everything they draw from as arguments, so any
start method of the workers (--start=fork, spawn or forkserver) gives the
same bytes.

The drawing itself lives in the package tools/pictures/, one module per family
of pictures; this script only picks the groups and runs them.
"""

import os
import sys

from pictures import common, icons, screens, table, tovi


def main():
    os.makedirs(common.RES, exist_ok=True)
    which = set()
    for arg in sys.argv[1:]:
        if arg.startswith("--start="):
            # the pool reads it from common, where the parent set it
            common.START_METHOD = arg.split("=", 1)[1]
        else:
            which.add(arg)

    def want(name):
        return not which or name in which

    if want("table"):
        table.make_table()
    if want("menu"):
        screens.make_menu()
    if want("opening"):
        screens.make_opening()
    if want("cueball"):
        icons.make_cueball()
    if want("icon"):
        icons.make_icon()
    if want("switches"):
        icons.make_switch_icons()
    if want("buttons"):
        icons.make_buttons()
    if want("tovi"):
        tovi.make_tovi()
    if want("icon"):
        icons.make_record_icon()


if __name__ == "__main__":
    main()
