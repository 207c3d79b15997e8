#include "platform/SharedLibrary.h"

#include <dlfcn.h>

SharedLibrary::SharedLibrary(const char* fileName) : handle_(dlopen(fileName, RTLD_NOW | RTLD_LOCAL)) {}

void* SharedLibrary::Symbol(const char* name) const
{
    return handle_ ? dlsym(handle_, name) : nullptr;
}
