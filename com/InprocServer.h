#pragma once
// TInprocServer: an in-process server loaded for a class identifier, the
// stand-in for CoCreateInstance. The library is the one the per-user
// registration names for the class; when none is registered, or it does not
// load, the library of the given file name beside the executable or in one of
// the program's private library folders (where an installed program keeps
// it). The library
// stays loaded while the server object lives, and is unloaded after it when
// the library says it can be (DllCanUnloadNow).
#include "com/ComPtr.h"
#include "com/ComTypes.h"
#include "com/Guid.h"
#include "com/ServerRegistry.h"

#include <dlfcn.h>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace com {

// A failed COM call: the HRESULT and the text for the user.
class EComError : public std::runtime_error {
public:
    EComError(HRESULT hr, const std::string& message) : std::runtime_error(message), fCode(hr) {}
    HRESULT Code() const { return fCode; }

private:
    HRESULT fCode;
};

// The text Windows gives for a class that cannot be created.
inline const char* const kClassNotRegistered = "Class not registered";

class TInprocServer {
public:
    // Throws EComError(REGDB_E_CLASSNOTREG) with the reason when no library
    // for the class loads.
    static TInprocServer Load(const CLSID& clsid, const std::string& defaultLibrary,
                              const TServerRegistry& registry = TServerRegistry(),
                              const std::vector<std::filesystem::path>& privateFolders = {})
    {
        std::string reasons;
        std::vector<std::filesystem::path> candidates;
        if (auto path = registry.Value("CLSID " + GuidToString(clsid), "InprocServer32"))
            candidates.emplace_back(*path);
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (!ec)
            candidates.push_back(exe.parent_path() / defaultLibrary);
        // An installed program keeps its private libraries in a folder of its own.
        for (const auto& folder : privateFolders)
            candidates.push_back(folder / defaultLibrary);
        for (const auto& path : candidates) {
            dlerror();
            if (void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
                auto get = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject"));
                if (get)
                    return TInprocServer(handle, get, clsid);
                reasons += "\n" + path.string() + ": no DllGetClassObject";
                dlclose(handle);
            } else {
                const char* why = dlerror();
                reasons += "\n" + std::string(why ? why : path.c_str());
            }
        }
        throw EComError(REGDB_E_CLASSNOTREG, kClassNotRegistered + reasons);
    }

    TInprocServer(TInprocServer&&) noexcept = default;
    TInprocServer& operator=(TInprocServer&&) noexcept = default;

    // A new object of the class, asked for the interface; throws EComError.
    template <class T>
    TComPtr<T> CreateInstance(const IID& iid) const
    {
        TComPtr<IClassFactory> factory;
        HRESULT hr = fGetClassObject(&fClsid, &IID_IClassFactory, factory.PutVoid());
        if (FAILED(hr) || !factory)
            throw EComError(FAILED(hr) ? hr : E_POINTER, kClassNotRegistered);
        TComPtr<T> object;
        hr = factory->lpVtbl->CreateInstance(factory.Get(), nullptr, &iid, object.PutVoid());
        if (FAILED(hr) || !object)
            throw EComError(FAILED(hr) ? hr : E_NOINTERFACE, "The object could not be created");
        return object;
    }

private:
    struct TUnload {
        void operator()(void* handle) const
        {
            auto canUnload = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(handle, "DllCanUnloadNow"));
            // A library with objects still alive stays loaded for them.
            if (!canUnload || canUnload() == S_OK)
                dlclose(handle);
        }
    };

    TInprocServer(void* handle, LPFNGETCLASSOBJECT get, const CLSID& clsid)
        : fHandle(handle), fGetClassObject(get), fClsid(clsid)
    {
    }

    std::unique_ptr<void, TUnload> fHandle;
    LPFNGETCLASSOBJECT fGetClassObject = nullptr;
    CLSID fClsid{};
};

} // namespace com
