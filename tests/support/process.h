#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace yanchuan::testing {

// What a test runs: one of the project's programs, its arguments, what it reads
// on stdin (closed after that) and variables that its environment adds to or
// replaces in the test's own ("NAME=value").
struct Command {
    std::string program; // a name in $YANCHUAN_BIN_DIR, or a path holding a '/'
    std::vector<std::string> args;
    std::string input;
    std::vector<std::string> env;
};

// How a program ended and what it wrote.
struct Finished {
    int status = -1; // the exit status; -1 when it was killed by a signal or did not end in time
    bool timedOut = false;
    std::string out;
    std::string err;
};

// A program running in the background, its stdin fed and its stdout and stderr
// gathered by a thread of its own, so that it never blocks on a full pipe. One
// still running when the object goes is killed and reaped.
class Process final {
public:
    explicit Process(const Command& command);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return m_pid > 0; }
    void Signal(int signal) const;

    // Waits until stdout holds the text (true) or the time is up or the
    // program has closed its outputs (false).
    bool WaitForOutput(std::string_view text, std::chrono::milliseconds timeout);
    // What the program has written on stdout so far.
    std::string OutputSoFar();

    // Waits for the end, killing the program when it has not ended in time.
    Finished Wait(std::chrono::milliseconds timeout);

private:
    void Gather(int in, int out, int err, std::string input);

    pid_t m_pid = -1;
    std::thread m_gatherer;
    std::mutex m_mutex; // guards m_finished's texts and m_gathered while the gatherer runs
    std::condition_variable m_grown;
    bool m_gathered = false;
    Finished m_finished;
};

// Runs the command to its end and returns what it did.
Finished Run(const Command& command, std::chrono::milliseconds timeout = std::chrono::seconds(60));

} // namespace yanchuan::testing
