# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a header holding a file's bytes as `static const unsigned char NAME[]`.
#   cmake -DINPUT=file -DOUTPUT=header.h -DNAME=kBytes -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    "
       bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n#pragma once\n"
     "static const unsigned char ${NAME}[] = {\n    ${bytes}\n};\n")
