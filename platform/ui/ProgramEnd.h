#pragma once

#include <functional>

// Ending the program is always a request: the handler that asks runs to its end, then the
// event loop closes any modal window still open and stops.
class ProgramEnd {
public:
    static void request();
    static bool requested();
    // The program's event loop. A request made before it runs (during start-up, where a message
    // box may turn a local loop that cannot stop the program) is honoured as soon as it starts.
    static int exec();
    // Tests: forget an earlier request; the quit itself can be replaced.
    static void reset();
    static void setQuitHandler(std::function<void()> handler);
};
