#pragma once
// Long engine work (a commit, the building of an index) run on a thread of its own while the
// calling thread keeps a window alive, so the window never freezes for the length of the work.

#include <functional>

// Runs `work` on another thread and calls `whileWaiting` on this one every few milliseconds until
// it is done; rethrows what `work` threw. Without `whileWaiting` the work runs on this thread. The
// caller makes sure nothing else uses what `work` uses meanwhile.
void RunWhileWaiting(const std::function<void()>& work, const std::function<void()>& whileWaiting);
