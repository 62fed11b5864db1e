// The four exports of libZembraAviWriter.so, the only symbols it shows:
// the class object, whether the library may be unloaded, and registration of
// the class and its type library in the per-user registration file.
#include "aviwriter/control/ClassFactory.h"
#include "aviwriter/control/Module.h"
#include "aviwriter/control/TypeLibrary.h"
#include "aviwriter/control/ZembraAviWriterApi.h"
#include "com/Guid.h"
#include "com/ServerRegistry.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>

#define ZEMBRA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using com::operator==;

// The library's own file, as loaded.
std::string ModulePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModulePath), &info) == 0 || !info.dli_fname)
        return {};
    std::error_code ec;
    const auto path = std::filesystem::weakly_canonical(std::filesystem::absolute(info.dli_fname, ec), ec);
    return ec ? std::string(info.dli_fname) : path.string();
}

std::string ClassSection()
{
    return "CLSID " + com::GuidToString(CLSID_ZembraAviWriter);
}

std::string TypeLibSection()
{
    return "TypeLib " + com::GuidToString(LIBID_ZembraAviWriter);
}

} // namespace

ZEMBRA_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv || !rclsid || !riid)
        return E_POINTER;
    *ppv = nullptr;
    if (!(*rclsid == CLSID_ZembraAviWriter))
        return CLASS_E_CLASSNOTAVAILABLE;
    IClassFactory* factory = avi::NewClassFactory();
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->lpVtbl->QueryInterface(factory, riid, ppv);
    factory->lpVtbl->Release(factory);
    return hr;
}

ZEMBRA_EXPORT HRESULT DllCanUnloadNow(void)
{
    return avi::TModule::CanUnload() ? S_OK : S_FALSE;
}

ZEMBRA_EXPORT HRESULT DllRegisterServer(void)
{
    const std::string path = ModulePath();
    if (path.empty())
        return SELFREG_E_CLASS;
    const avi::TLibraryDesc& lib = avi::ZembraAviWriterLibrary();
    const std::string version = std::to_string(lib.MajorVersion) + "." + std::to_string(lib.MinorVersion);
    com::TServerRegistry registry;
    registry.SetSection(TypeLibSection(), {{"Name", std::string(lib.HelpString)},
                                           {"Version", version},
                                           {"Win64", path}, // the type library is data in the module
                                           {"HelpDir", std::filesystem::path(path).parent_path().string()}});
    registry.SetSection(ClassSection(), {{"Name", "ZembraAviWriter Control"},
                                         {"InprocServer32", path},
                                         {"ThreadingModel", "Apartment"},
                                         {"Control", ""},
                                         {"ToolboxBitmap32", path + ",1"},
                                         {"TypeLib", com::GuidToString(lib.Guid)},
                                         {"Version", version},
                                         {"ProgID", std::string(lib.Name) + ".ZembraAviWriter"}});
    return registry.Save() ? S_OK : SELFREG_E_CLASS;
}

ZEMBRA_EXPORT HRESULT DllUnregisterServer(void)
{
    com::TServerRegistry registry;
    registry.RemoveSection(ClassSection());
    registry.RemoveSection(TypeLibSection());
    return registry.Save() ? S_OK : SELFREG_E_CLASS;
}
