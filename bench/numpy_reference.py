#!/usr/bin/python3
"""A straightforward Python + numpy reader of a campaign's MSI files that computes only HBW3 and
front-to-back of the horizontal co-polar cuts: the yardstick the command line is compared with.
Not part of the product. Usage: numpy_reference.py FOLDER"""
import os
import sys

import numpy as np


def read_msi(path):
    with open(path, "r", encoding="latin-1") as f:
        lines = f.read().splitlines()
    rows = []
    for line in lines[6:]:
        parts = line.split()
        if len(parts) < 2:
            continue
        try:
            rows.append((float(parts[0]), float(parts[1])))
        except ValueError:
            continue  # "VERTICAL 360"
    data = np.array(rows, dtype=np.float64)[:360]  # the whole file is parsed; the first 360 are horizontal
    angle = np.where(data[:, 0] > 180.0, data[:, 0] - 360.0, data[:, 0])
    order = np.argsort(angle, kind="stable")
    return angle[order], -data[order, 1]


def hbw3(angle, level):
    peak = int(np.argmax(level))
    threshold = level[peak] - 3.0
    left = peak
    while left > 0 and level[left] > threshold:
        left -= 1
    right = peak
    while right < len(level) - 1 and level[right] > threshold:
        right += 1
    if level[left] > threshold or level[right] > threshold:
        return None
    a_left = np.interp(threshold, [level[left], level[left + 1]], [angle[left], angle[left + 1]])
    a_right = np.interp(threshold, [level[right], level[right - 1]], [angle[right], angle[right - 1]])
    return a_right - a_left


def front_to_back(angle, level):
    back = (angle >= 150.0) | (angle <= -150.0)
    return level.max() - level[back].max()


def main():
    folder = sys.argv[1]
    results = 0
    for root, _, names in os.walk(folder):
        for name in sorted(names):
            if not name.lower().endswith(".msi"):
                continue
            angle, level = read_msi(os.path.join(root, name))
            if "_h_co_" in name:
                hbw3(angle, level)
                front_to_back(angle, level)
                results += 1
    print(f"{results} horizontal co-polar cuts analysed")


if __name__ == "__main__":
    main()
