#!/usr/bin/env python3
"""Writes aci_colours.txt: the colour of every colour number 1 to 255 of the drawing exchange
format's standard colour index, as ezdxf gives it (ezdxf.colors.aci2rgb).

Colour numbers 0 (by block) and 256 (by layer) name no colour of their own and are not listed.
Format: one line per colour number, "<number> <red> <green> <blue>", components 0 to 255.

Run from this folder with Debian's python3-ezdxf:  /usr/bin/python3 aci_generate_fixture.py
"""
from ezdxf.colors import aci2rgb


def main():
    with open("aci_colours.txt", "w") as f:
        for number in range(1, 256):
            red, green, blue = aci2rgb(number)
            f.write(f"{number} {red} {green} {blue}\n")


if __name__ == "__main__":
    main()
