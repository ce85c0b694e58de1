// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/replay_file.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "monitor/flight_trace.h"

namespace orbiton {

namespace {

// The keys by their names in a replay; every other key does the same (it
// only hands a demo over), so it is kept as "other".
struct KeyName {
    const char* name;
    int key;
};
constexpr KeyName kKeys[] = {{"escape", key::Escape},
                             {"space", key::Space},
                             {"f", key::F},
                             {"m", key::M},
                             {"o", key::O},
                             {"p", key::P},
                             {"r", key::R},
                             {"s", key::S},
                             {"kp_plus", key::KeypadPlus},
                             {"kp_minus", key::KeypadMinus},
                             {"other", 0}};

const char* keyName(int k) {
    for (const KeyName& n : kKeys)
        if (n.key == k)
            return n.name;
    return "other";
}

bool keyByName(std::string_view name, int& k) {
    for (const KeyName& n : kKeys)
        if (name == n.name) {
            k = n.key;
            return true;
        }
    return false;
}

std::string eventsText(const std::vector<PlatformEvent>& events) {
    std::string text;
    for (const PlatformEvent& e : events) {
        switch (e.type) {
        case PlatformEvent::Type::KeyDown:
        case PlatformEvent::Type::KeyUp:
            text += std::string(" key ") + keyName(e.key) +
                    (e.type == PlatformEvent::Type::KeyDown ? " down" : " up");
            break;
        case PlatformEvent::Type::LeftButtonDown:
            text += " click";
            break;
        case PlatformEvent::Type::Close:
            text += " close";
            break;
        default:
            break;
        }
    }
    return text;
}

std::vector<std::string_view> tokens(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t')
            ++j;
        if (j > i)
            out.push_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

// A whole number from first to last: an optional minus and digits, nothing else.
template <typename T> bool whole(std::string_view text, T first, T last, T& out) {
    if (text.empty() || text.size() > 20 || text[0] == '+')
        return false;
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < first || value > last)
        return false;
    out = value;
    return true;
}

// A frame time: a float written exactly in hexadecimal ("0x1.0624dep-6"),
// one the game's clock could give: 0 up to 2^32 milliseconds.
bool frameSeconds(std::string_view text, float& out) {
    if (text.size() < 3 || text.substr(0, 2) != "0x" ||
        std::string_view("0123456789abcdefABCDEF").find(text[2]) == std::string_view::npos)
        return false; // no sign: "0x-0p+0" would be -0
    double value = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::hex);
    if (ec != std::errc() || end != last || !std::isfinite(value) || value < 0 ||
        value > kReplayMaxSeconds || double(float(value)) != value)
        return false;
    out = float(value);
    return true;
}

bool yesNo(std::string_view text, bool& out) {
    if (text != "yes" && text != "no")
        return false;
    out = text == "yes";
    return true;
}

// Reads the events from tokens[from] on into events; false with why.
bool readEvents(const std::vector<std::string_view>& t, std::size_t from,
                std::vector<PlatformEvent>& events, std::string& why) {
    for (std::size_t i = from; i < t.size(); ++i) {
        PlatformEvent e;
        if (t[i] == "click") {
            e.type = PlatformEvent::Type::LeftButtonDown;
        } else if (t[i] == "close") {
            e.type = PlatformEvent::Type::Close;
        } else if (t[i] == "key") {
            if (i + 2 >= t.size() || !keyByName(t[i + 1], e.key) ||
                (t[i + 2] != "down" && t[i + 2] != "up")) {
                why = "a key is \"key NAME down\" or \"key NAME up\", NAME one of escape space f "
                      "m o p r s kp_plus kp_minus other";
                return false;
            }
            e.type = t[i + 2] == "down" ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
            i += 2;
        } else {
            why = "unknown event \"" + std::string(t[i]) + "\"";
            return false;
        }
        if (events.size() >= UINT32_MAX) {
            why = "too many events";
            return false;
        }
        events.push_back(e);
    }
    return true;
}

// The file's lines, one at a time, with their numbers.
class Lines {
  public:
    explicit Lines(std::string_view text) : text(text) {}
    // The next line without its line end (and a carriage return before it);
    // false at the end of the text. whole is false for a last line that
    // has no line end.
    bool next(std::string_view& line, bool& whole) {
        if (pos >= text.size())
            return false;
        const std::size_t end = text.find('\n', pos);
        whole = end != std::string_view::npos;
        line = text.substr(pos, (whole ? end : text.size()) - pos);
        pos = whole ? end + 1 : text.size();
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++number;
        return true;
    }
    long number = 0;

  private:
    std::string_view text;
    std::size_t pos = 0;
};

} // namespace

bool readReplay(std::string_view text, Replay& r, std::string& error) {
    r = Replay{};
    Lines lines(text);
    std::string_view line;
    bool complete = true;
    auto fail = [&](const std::string& why) {
        error = std::to_string(lines.number) + ": " + why;
        return false;
    };
    // The line where a header cut short stops: the half line, or the one missing.
    auto cutInHeader = [&](bool half) {
        error = std::to_string(lines.number + (half ? 0 : 1)) +
                ": the file ends in its header: it is cut short";
        return false;
    };
    // The header: each line in its place, whole.
    auto header = [&](const char* keyword, std::size_t count, std::vector<std::string_view>& t) {
        if (!lines.next(line, complete) || !complete)
            return cutInHeader(!complete);
        if (line.size() > kReplayMaxLine)
            return fail("the line is too long");
        t = tokens(line);
        if (t.size() != count || t[0] != keyword)
            return fail("\"" + std::string(keyword) + "\" was expected here");
        return true;
    };
    std::vector<std::string_view> t;
    if (!lines.next(line, complete)) {
        error = "1: the file is empty: not an Orbiton 3D replay";
        return false;
    }
    if (line.size() > 64)
        return fail("not an Orbiton 3D replay");
    t = tokens(line);
    if (t.size() != 3 || t[0] != "orbiton3d" || t[1] != "replay")
        return fail("not an Orbiton 3D replay");
    int format = 0;
    if (!whole(t[2], 1, INT_MAX, format))
        return fail("not an Orbiton 3D replay");
    if (format != kReplayFormat)
        return fail("written in replay format " + std::string(t[2]) + "; this game reads format " +
                    std::to_string(kReplayFormat));
    if (!complete) // the first line alone
        return cutInHeader(true);
    if (!header("game", 2, t))
        return false;
    r.gameVersion = std::string(t[1]);
    if (!header("window", 3, t))
        return false;
    if (!whole(t[1], 1, 8192, r.width) || !whole(t[2], 1, 8192, r.height))
        return fail("the window is WIDTH HEIGHT, each 1 to 8192");
    if (!header("fullscreen", 2, t))
        return false;
    if (!yesNo(t[1], r.fullscreen))
        return fail("fullscreen is \"yes\" or \"no\"");
    if (!header("demo", 2, t))
        return false;
    if (!yesNo(t[1], r.demo))
        return fail("demo is \"yes\" or \"no\"");
    if (!header("start-level", 2, t))
        return false;
    if (!whole(t[1], 1, INT_MAX, r.startLevel))
        return fail("the start level is a number from 1 to " + std::to_string(INT_MAX));
    for (;;) {
        if (!lines.next(line, complete) || !complete)
            return cutInHeader(!complete);
        if (line.size() > kReplayMaxLine)
            return fail("the line is too long");
        t = tokens(line);
        if (t.size() == 1 && t[0] == "frames")
            break;
        ReplayLevel level;
        const bool unreadable = t.size() == 3 && t[2] == "unreadable";
        if (t.empty() || t[0] != "level" || (t.size() != 4 && !unreadable) ||
            !whole(t[1], 1, INT_MAX, level.number))
            return fail("\"level N SIZE HASH\" or \"frames\" was expected here");
        if (!r.levels.empty() && level.number <= r.levels.back().number)
            return fail("the levels are not in rising order");
        if (unreadable) {
            level.readable = false;
        } else if (!whole<std::uint64_t>(t[2], 0, UINT64_MAX / 2, level.size) ||
                   t[3].size() != 16 ||
                   t[3].find_first_not_of("0123456789abcdef") != std::string_view::npos ||
                   std::from_chars(t[3].data(), t[3].data() + 16, level.hash, 16).ec !=
                       std::errc()) {
            return fail("a level's size is a number of bytes and its hash 16 hexadecimal digits");
        }
        r.levels.push_back(level);
    }
    r.firstFrameLine = lines.number + 1;
    while (lines.next(line, complete)) {
        if (!complete) {
            // Half a line: the recording stopped in it (it is never written
            // so, but a copy can be cut anywhere).
            r.halfLine = true;
            r.cutLine = lines.number;
            r.firstEndEvent = std::uint32_t(r.events.size());
            return true;
        }
        if (line.size() > kReplayMaxLine)
            return fail("the line is too long");
        t = tokens(line);
        std::string why;
        const long expected = long(r.frames.size()) + 1;
        long number = 0;
        if (!t.empty() && t[0] == "frame") {
            ReplayFrame f;
            if (t.size() < 5 || !whole(t[1], 1L, LONG_MAX, number))
                return fail("a frame is \"frame N SECONDS DX DY\" and its events");
            if (number != expected)
                return fail("frame " + std::string(t[1]) + " where frame " +
                            std::to_string(expected) + " was expected");
            if (!frameSeconds(t[2], f.seconds))
                return fail("\"" + std::string(t[2]) +
                            "\" is not a frame time (seconds as a hexadecimal float, 0 to " +
                            "4294967.295)");
            if (!whole(t[3], -kReplayMaxMotion, kReplayMaxMotion, f.dx) ||
                !whole(t[4], -kReplayMaxMotion, kReplayMaxMotion, f.dy))
                return fail("the mouse motion is two whole numbers of pixels, -65535 to 65535");
            f.firstEvent = std::uint32_t(r.events.size());
            if (!readEvents(t, 5, r.events, why))
                return fail(why);
            r.frames.push_back(f);
        } else if (!t.empty() && t[0] == "end") {
            if (t.size() < 2 || !whole(t[1], 0L, LONG_MAX, number) || number != expected - 1)
                return fail("the end line is \"end N\", N the number of frames (" +
                            std::to_string(expected - 1) + ")");
            r.firstEndEvent = std::uint32_t(r.events.size());
            if (!readEvents(t, 2, r.events, why))
                return fail(why);
            r.ended = true;
            if (lines.next(line, complete))
                return fail("the replay goes on after its end line");
            return true;
        } else {
            return fail("a frame line or the end line was expected here");
        }
    }
    r.firstEndEvent = std::uint32_t(r.events.size());
    r.cutLine = lines.number + 1;
    return true;
}

bool replayKeeps(const PlatformEvent& event) {
    return event.type == PlatformEvent::Type::KeyDown || event.type == PlatformEvent::Type::KeyUp ||
           event.type == PlatformEvent::Type::LeftButtonDown ||
           event.type == PlatformEvent::Type::Close;
}

std::string replayHeader(const Replay& r) {
    std::string text = "orbiton3d replay " + std::to_string(kReplayFormat) + "\n";
    text += "game " + r.gameVersion + "\n";
    text += "window " + std::to_string(r.width) + " " + std::to_string(r.height) + "\n";
    text += std::string("fullscreen ") + (r.fullscreen ? "yes" : "no") + "\n";
    text += std::string("demo ") + (r.demo ? "yes" : "no") + "\n";
    text += "start-level " + std::to_string(r.startLevel) + "\n";
    for (const ReplayLevel& l : r.levels) {
        text += "level " + std::to_string(l.number);
        if (!l.readable) {
            text += " unreadable\n";
            continue;
        }
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(l.hash));
        text += " " + std::to_string(l.size) + " " + hash + "\n";
    }
    return text + "frames\n";
}

std::string replayFrameLine(long number, float seconds, int dx, int dy,
                            const std::vector<PlatformEvent>& events) {
    return "frame " + std::to_string(number) + " " + FlightTrace::hexFloat(seconds) + " " +
           std::to_string(dx) + " " + std::to_string(dy) + eventsText(events) + "\n";
}

std::string replayEndLine(long frames, const std::vector<PlatformEvent>& events) {
    return "end " + std::to_string(frames) + eventsText(events) + "\n";
}

std::string replayText(const Replay& r) {
    std::string text = replayHeader(r);
    const auto eventsFrom = [&](std::size_t first, std::size_t until) {
        return std::vector<PlatformEvent>(r.events.begin() + long(first),
                                          r.events.begin() + long(until));
    };
    for (std::size_t k = 0; k < r.frames.size(); ++k) {
        const std::size_t until =
            k + 1 < r.frames.size() ? r.frames[k + 1].firstEvent : r.firstEndEvent;
        text += replayFrameLine(long(k) + 1, r.frames[k].seconds, r.frames[k].dx, r.frames[k].dy,
                                eventsFrom(r.frames[k].firstEvent, until));
    }
    if (r.ended)
        text += replayEndLine(long(r.frames.size()), eventsFrom(r.firstEndEvent, r.events.size()));
    return text;
}

bool readReplay(std::istream& in, Replay& out, std::string& error) {
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = "0: the file cannot be read";
        return false;
    }
    return readReplay(std::string_view(text), out, error);
}

} // namespace orbiton
