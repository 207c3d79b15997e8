#include "study/Speller.h"

namespace {

class SilentSpeller : public Speller {
public:
    void Ask(const std::string&) override {}
};

} // namespace

Speller& NoSpeller()
{
    static SilentSpeller silent;
    return silent;
}
