#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints each level's frame time from orbiton_bench's JSON output as a
Markdown table: milliseconds of the whole frame, and its ratio to the same
level's frame without bricks (arena only) and to the empty frame (overlay,
ball and paddle), at every size measured.

    frame-ratios.py RESULTS.json
"""
import json
import sys


def frames(results):
    """{(level, size): {scene: ms}} from the BM_RenderFrame runs."""
    out = {}
    for b in results["benchmarks"]:
        parts = b["name"].split("/")
        if parts[0] != "BM_RenderFrame" or len(parts) < 5 or b.get("error_occurred"):
            continue
        level, width, height, scene = (int(p) for p in parts[1:5])
        out.setdefault((level, f"{width}x{height}"), {})[scene] = b["real_time"]
    return out


def main():
    with open(sys.argv[1]) as f:
        data = frames(json.load(f))
    sizes = sorted({size for _, size in data}, key=lambda s: int(s.split("x")[0]))
    head = "| Level |" + "".join(f" {s} ms | ÷ arena | ÷ empty |" for s in sizes)
    print(head)
    print("|---|" + "---|---|---|" * len(sizes))
    for level in sorted({lv for lv, _ in data if lv > 0}):
        row = f"| {level} |"
        for size in sizes:
            t = data.get((level, size), {})
            if 0 in t and 1 in t and 2 in t:
                row += f" {t[0]:.1f} | {t[0] / t[1]:.2f} | {t[0] / t[2]:.2f} |"
            else:
                row += " | | |"
        print(row)


if __name__ == "__main__":
    main()
