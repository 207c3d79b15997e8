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
        void* entry = handle ? dlsym(handle, "MakeReviewPlots") : nullptr;
        if (!entry)
            error = dlerror(); // why the open or the lookup failed
        return reinterpret_cast<MakeReviewPlotsFunction>(entry);
    }
    error = beside.string() + ", " + packaged.string() + ": no such file";
    return nullptr;
}
