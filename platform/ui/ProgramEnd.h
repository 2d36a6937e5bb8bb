#pragma once

#include <functional>

// Ending the program is always a request: the handler that asks runs to its end, then the
// event loop closes any modal window still open and stops.
class ProgramEnd {
public:
    static void request();
    static bool requested();
    // Tests: forget an earlier request; the quit itself can be replaced.
    static void reset();
    static void setQuitHandler(std::function<void()> handler);
};
