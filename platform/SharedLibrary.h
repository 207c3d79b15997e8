#pragma once
// A system library opened when a feature first needs it rather than linked: each start would map
// and link it, and most starts never use it. It stays loaded for the process.

#include <optional>

class SharedLibrary {
public:
    // Opens the library by its file name, e.g. "libasound.so.2".
    explicit SharedLibrary(const char* fileName);

    // Points `function` at the library's function `name`; false when the library or it is missing.
    template <class Function> bool Find(Function& function, const char* name) const
    {
        function = reinterpret_cast<Function>(Symbol(name));
        return function != nullptr;
    }

private:
    void* Symbol(const char* name) const;

    void* handle_;
};

// The table of `Functions` that `findAll(library, functions)` fills from the library `fileName`,
// looked up once for the process at the first call from this place; null when the library or one
// of the functions is missing.
template <class Functions, class FindAll> const Functions* LoadedOnce(const char* fileName, FindAll findAll)
{
    static const std::optional<Functions> loaded = [&]() -> std::optional<Functions> {
        const SharedLibrary library(fileName);
        Functions functions;
        if (!findAll(library, functions))
            return std::nullopt;
        return functions;
    }();
    return loaded ? &*loaded : nullptr;
}
