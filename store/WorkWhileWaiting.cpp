#include "store/WorkWhileWaiting.h"

#include <chrono>
#include <future>

void RunWhileWaiting(const std::function<void()>& work, const std::function<void()>& whileWaiting)
{
    if (!whileWaiting) {
        work();
        return;
    }
    auto done = std::async(std::launch::async, work);
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        whileWaiting();
    done.get();
}
