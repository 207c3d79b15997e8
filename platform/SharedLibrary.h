#pragma once
// A system library opened when a feature first needs it rather than linked: each start would map
// and link it, and most starts never use it. It stays loaded for the process.

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
