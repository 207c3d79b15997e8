#include "ui/FontConfigReader.h"

#include <fontconfig/fontconfig.h>

FontConfigReader::FontConfigReader() : reading_([] { FcInit(); }) {}

FontConfigReader::~FontConfigReader()
{
    Wait();
}

void FontConfigReader::Wait()
{
    if (reading_.joinable())
        reading_.join();
}
