#include "app/ReviewPlotsModule.h"

#include <dlfcn.h>

namespace fs = std::filesystem;

MakeReviewPlotsFunction LoadReviewPlots(const fs::path& programFolder, std::string& error)
{
    const fs::path beside = programFolder / kReviewPlotsModule;
    const fs::path packaged = programFolder.parent_path() / kPackagedModuleFolder / kReviewPlotsModule;
    for (const fs::path& module : {beside, packaged}) {
        std::error_code unreadable;
        if (!fs::exists(module, unreadable))
            continue;
        void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            error = dlerror();
            return nullptr;
        }
        if (void* entry = dlsym(handle, "MakeReviewPlots"))
            return reinterpret_cast<MakeReviewPlotsFunction>(entry);
        error = dlerror();
        return nullptr;
    }
    error = beside.string() + ", " + packaged.string() + ": no such file";
    return nullptr;
}
