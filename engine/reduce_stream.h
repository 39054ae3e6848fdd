// The heart of a run, over any source of bytes: reads the input piece by
// piece as the Windows text rules say, tests each piece, and hands each kept
// one on with its line end.
#pragma once

#include "file_access.h"
#include "flight_plan_reduction.h"
#include "text_mode_reader.h"

#include <cstdint>
#include <functional>
#include <string_view>

struct StreamCounts {
    std::uint64_t linesRead = 0;
    std::uint64_t linesKept = 0;
    bool readFailed = false;
    bool writeFailed = false;  // `write` refused a line; nothing was read after it
};

// `write` gets each kept line with its CR LF, in input order, and returns
// whether it could take it.
StreamCounts ReduceStream(ByteSource& input, const ReduceParameters& parameters,
                          const std::function<bool(std::string_view)>& write,
                          std::size_t bufferSize = READ_BUFFER_SIZE);
