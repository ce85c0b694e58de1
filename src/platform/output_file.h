// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>

namespace orbiton {

// A log a run writes as it goes (the event log, the trace), holding whole
// lines only: a reader watching it, or a run that is killed, never sees half
// a line. Lines are gathered and written whole at each flush, or whenever
// 64 KiB wait. A write that fails (a full disk, the file size limit) is cut
// back to the last whole line, and nothing more is written. Opening takes the
// file for this run alone: a second run asked to write it is refused before
// anything of the first run's is lost.
class OutputFile : public std::streambuf {
  public:
    OutputFile() = default;
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens and empties the file; false with the reason when it cannot be
    // opened or another run is writing it.
    bool open(const std::string& path, std::string& why);
    // Writes what waits and closes: the first failed write's error number,
    // 0 when everything was written.
    int close();

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

  private:
    // Writes the waiting text up to its last line end (all of it when
    // everything is), cutting the file back on failure; false then.
    bool writeLines(bool everything);

    int fd = -1;
    bool regular = false;    // a file that can be cut back (not a pipe or device)
    std::string waiting;     // text not yet written
    std::uint64_t whole = 0; // bytes of whole lines in the file
    int failure = 0;         // the first failed write's errno
};

// Writes a whole file: to a new name in the same folder first, renamed over
// the path when every byte is written, so the path holds the old file or the
// whole new one and never a part. False with the system's reason otherwise
// (nothing is left behind).
bool writeWholeFile(const std::string& path, const void* data, std::size_t size, std::string& why);

} // namespace orbiton
