#pragma once
// The counts that decide whether the AVI-writer library can be unloaded:
// live objects (controls, class factories, error objects) and server locks.
#include <atomic>

namespace avi {

class TModule {
public:
    static void ObjectCreated() { Objects()++; }
    static void ObjectDestroyed() { Objects()--; }
    static void Lock(bool on) { on ? Locks()++ : Locks()--; }
    static bool CanUnload() { return Objects() == 0 && Locks() <= 0; }

private:
    static std::atomic<int>& Objects()
    {
        static std::atomic<int> n{0};
        return n;
    }
    static std::atomic<int>& Locks()
    {
        static std::atomic<int> n{0};
        return n;
    }
};

// Counts an object of the module for as long as it lives.
struct TModuleObject {
    TModuleObject() { TModule::ObjectCreated(); }
    TModuleObject(const TModuleObject&) = delete;
    TModuleObject& operator=(const TModuleObject&) = delete;
    ~TModuleObject() { TModule::ObjectDestroyed(); }
};

} // namespace avi
