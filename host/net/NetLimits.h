// Bounds of the internet layer: how long a request may take and how large an answer may be.
#pragma once

#include <cstddef>

namespace host {

struct NetLimits {
    long connectTimeoutMs = 10000;
    long totalTimeoutMs = 60000;
    std::size_t maxAnswerBytes = 32u * 1024u * 1024u;
};

// The program (or a test) may change them before a request; requests already open keep theirs.
void SetNetLimits(const NetLimits& limits);
NetLimits GetNetLimits();

} // namespace host
