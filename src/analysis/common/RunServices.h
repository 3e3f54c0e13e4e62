// What a numerical core is handed by the run that drives it, so that it knows nothing of
// forms: a poll that lets pending window messages run and reports whether the user asked to
// abort, and a sink for the messages a person must see.
#pragma once

#include <functional>
#include <string>

// Lets pending window messages run; returns true when an abort has been requested.
using PollFn = std::function<bool()>;

// Receives a message for the user (the run shows it in a message box).
using MessageSink = std::function<void(const std::string&)>;

// A poll that never interrupts, for callers without a user interface (tests, benchmarks).
inline bool NeverInterrupted() { return false; }

// What a core reports when its null model cannot meet the data's constraints.
inline constexpr const char* kRestraintsMessage = "Unable to satisfy restraints. Aborting simulation.";
