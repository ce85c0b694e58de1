// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/field_scanner.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace orbiton {

bool isFieldSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void FieldScanner::skipSpace() {
    while (isFieldSpace(*p))
        ++p;
}

bool FieldScanner::readInt(int& out) {
    skipSpace();
    const char* q = p;
    bool negative = false;
    if (*q == '+' || *q == '-')
        negative = *q++ == '-';
    if (*q < '0' || *q > '9')
        return false;
    long long value = 0;
    bool clamped = false;
    for (; *q >= '0' && *q <= '9'; ++q) {
        if (!clamped) {
            value = value * 10 + (*q - '0');
            if (value > 1LL + INT_MAX)
                clamped = true;
        }
    }
    if (negative)
        value = -value;
    if (clamped || value > INT_MAX || value < INT_MIN) {
        rangeError = true;
        value = negative ? INT_MIN : INT_MAX;
    }
    out = int(value);
    p = q;
    return true;
}

bool FieldScanner::readFloat(float& out) {
    skipSpace();
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(p, &end);
    if (end == p)
        return false;
    if (errno == ERANGE && std::isinf(value))
        rangeError = true;
    out = value;
    p = end;
    return true;
}

bool FieldScanner::readHex(unsigned& out) {
    skipSpace();
    const char* q = p;
    bool negative = false;
    if (*q == '+' || *q == '-')
        negative = *q++ == '-';
    auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    if (q[0] == '0' && (q[1] == 'x' || q[1] == 'X') && digit(q[2]) >= 0)
        q += 2;
    if (digit(*q) < 0)
        return false;
    std::uint64_t value = 0;
    bool clamped = false;
    for (; digit(*q) >= 0; ++q) {
        if (!clamped) {
            value = value * 16 + unsigned(digit(*q));
            if (value > UINT32_MAX)
                clamped = true;
        }
    }
    if (clamped) {
        rangeError = true;
        value = UINT32_MAX;
    }
    // A minus sign negates in unsigned arithmetic, as formatted input does.
    out = negative ? unsigned(0u - std::uint32_t(value)) : std::uint32_t(value);
    p = q;
    return true;
}

bool FieldScanner::readWord(std::string& out, std::size_t maxLength) {
    skipSpace();
    if (*p == '\0')
        return false;
    out.clear();
    while (*p != '\0' && !isFieldSpace(*p) && out.size() < maxLength)
        out.push_back(*p++);
    if (*p != '\0' && !isFieldSpace(*p))
        cut = true; // the rest of the word stays for rest()
    return true;
}

std::string FieldScanner::rest() {
    skipSpace();
    return std::string(p);
}

} // namespace orbiton
