#include "study/Speaker.h"

namespace {

class SilentSpeaker : public Speaker {
public:
    void Speak(const std::string&) override {}
};

} // namespace

Speaker& Silence()
{
    static SilentSpeaker silent;
    return silent;
}
