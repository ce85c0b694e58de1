#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Strips a program for the Debian package as Debian's own tools do: besides
# the symbols, the compilers' .comment and the .note section go.
exec strip --remove-section=.comment --remove-section=.note "$@"
