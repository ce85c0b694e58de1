#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plots the ball's step time against the number of bricks, for the broad
phase and the full walk, from orbiton_bench's JSON output, as an SVG.

    plot-step-times.py RESULTS.json OUT.svg
"""
import json
import math
import sys


def series(results):
    out = {"broad phase": [], "full walk": []}
    for b in results["benchmarks"]:
        if not b["name"].startswith("BM_BallStepScaling/"):
            continue
        parts = b["name"].split("/")
        shells = int(parts[1])
        label = "broad phase" if parts[2] == "1" else "full walk"
        out[label].append((shells * 2048, b["real_time"]))  # a full depth-4 shell: 2048 bricks
    for points in out.values():
        points.sort()
    return out


def svg(data):
    w, h, left, bottom, top, right = 640, 400, 70, 50, 30, 150
    xs = [x for pts in data.values() for x, _ in pts]
    ys = [y for pts in data.values() for _, y in pts]
    xmax = max(xs) or 1
    ylo = 10 ** math.floor(math.log10(min(ys)))
    yhi = 10 ** math.ceil(math.log10(max(ys)))

    def px(x):
        return left + (w - left - right) * x / xmax

    def py(y):
        f = (math.log10(y) - math.log10(ylo)) / (math.log10(yhi) - math.log10(ylo))
        return h - bottom - (h - bottom - top) * f

    lines = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
             'font-family="sans-serif" font-size="12">',
             f'<rect width="{w}" height="{h}" fill="white"/>',
             f'<text x="{w / 2 - 100}" y="18" font-size="14">Ball step time against bricks</text>']
    # Axes, with a grid line at every power of ten.
    lines.append(f'<line x1="{left}" y1="{h - bottom}" x2="{w - right}" y2="{h - bottom}" stroke="black"/>')
    lines.append(f'<line x1="{left}" y1="{top}" x2="{left}" y2="{h - bottom}" stroke="black"/>')
    e = math.log10(ylo)
    while e <= math.log10(yhi) + 1e-9:
        y = py(10 ** e)
        lines.append(f'<line x1="{left}" y1="{y:.1f}" x2="{w - right}" y2="{y:.1f}" stroke="#ddd"/>')
        lines.append(f'<text x="{left - 8}" y="{y + 4:.1f}" text-anchor="end">{10 ** e:g} µs</text>')
        e += 1
    for x in sorted(set(xs)):
        lines.append(f'<text x="{px(x):.1f}" y="{h - bottom + 16}" text-anchor="middle">{x}</text>')
    lines.append(f'<text x="{(left + w - right) / 2}" y="{h - 12}" text-anchor="middle">bricks</text>')
    colours = {"broad phase": "#1f77b4", "full walk": "#d62728"}
    for i, (label, pts) in enumerate(data.items()):
        path = " ".join(f"{px(x):.1f},{py(y):.1f}" for x, y in pts)
        lines.append(f'<polyline points="{path}" fill="none" stroke="{colours[label]}" stroke-width="2"/>')
        for x, y in pts:
            lines.append(f'<circle cx="{px(x):.1f}" cy="{py(y):.1f}" r="3" fill="{colours[label]}"/>')
        ly = top + 20 + 20 * i
        lines.append(f'<line x1="{w - right + 15}" y1="{ly}" x2="{w - right + 40}" y2="{ly}" '
                     f'stroke="{colours[label]}" stroke-width="2"/>')
        lines.append(f'<text x="{w - right + 45}" y="{ly + 4}">{label}</text>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1]) as f:
        results = json.load(f)
    with open(sys.argv[2], "w") as f:
        f.write(svg(series(results)))


if __name__ == "__main__":
    main()
