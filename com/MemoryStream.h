#pragma once
// TMemoryStream: an IStream over bytes in memory, for handing a control its
// persisted state (IPersistStreamInit::Load) and taking it back (Save). Only
// reading and writing are offered. The object lives on the caller's stack or
// heap and is not reference counted; the callee must not keep it.
#include "com/ComTypes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace com {

class TMemoryStream {
public:
    explicit TMemoryStream(std::vector<uint8_t> bytes = {}) : fBytes(std::move(bytes)) {}
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;

    IStream* Interface() { return reinterpret_cast<IStream*>(&fFace); }
    const std::vector<uint8_t>& Bytes() const { return fBytes; }

private:
    struct TFace {
        const IStreamVtbl* lpVtbl;
        TMemoryStream* Owner;
    };
    static TMemoryStream& Of(IStream* p) { return *reinterpret_cast<TFace*>(p)->Owner; }

    static const IStreamVtbl* Table()
    {
        static const IStreamVtbl table = {
            .QueryInterface = [](IStream* p, REFIID riid, void** out) {
                if (!out || !riid)
                    return E_POINTER;
                const bool known = IsEqualGUID(riid, &IID_IUnknown) || IsEqualGUID(riid, &IID_IStream)
                    || IsEqualGUID(riid, &IID_ISequentialStream);
                *out = known ? p : nullptr;
                return known ? S_OK : E_NOINTERFACE;
            },
            .AddRef = [](IStream*) -> ULONG { return 1; },
            .Release = [](IStream*) -> ULONG { return 1; },
            .Read = [](IStream* p, void* pv, ULONG cb, ULONG* read) {
                TMemoryStream& s = Of(p);
                const size_t n = std::min<size_t>(cb, s.fBytes.size() - s.fPos);
                if (n)
                    std::memcpy(pv, s.fBytes.data() + s.fPos, n);
                s.fPos += n;
                if (read)
                    *read = ULONG(n);
                return n == cb ? S_OK : S_FALSE;
            },
            .Write = [](IStream* p, const void* pv, ULONG cb, ULONG* written) {
                TMemoryStream& s = Of(p);
                const auto* b = static_cast<const uint8_t*>(pv);
                s.fBytes.resize(std::max(s.fBytes.size(), s.fPos + cb));
                std::copy(b, b + cb, s.fBytes.begin() + ptrdiff_t(s.fPos));
                s.fPos += cb;
                if (written)
                    *written = cb;
                return S_OK;
            },
            .Seek = [](IStream*, int64_t, DWORD, uint64_t*) { return E_NOTIMPL; },
            .SetSize = [](IStream*, uint64_t) { return E_NOTIMPL; },
            .CopyTo = [](IStream*, IStream*, uint64_t, uint64_t*, uint64_t*) { return E_NOTIMPL; },
            .Commit = [](IStream*, DWORD) { return S_OK; },
            .Revert = [](IStream*) { return E_NOTIMPL; },
            .LockRegion = [](IStream*, uint64_t, uint64_t, DWORD) { return E_NOTIMPL; },
            .UnlockRegion = [](IStream*, uint64_t, uint64_t, DWORD) { return E_NOTIMPL; },
            .Stat = [](IStream*, void*, DWORD) { return E_NOTIMPL; },
            .Clone = [](IStream*, IStream** out) {
                if (out)
                    *out = nullptr;
                return E_NOTIMPL;
            },
        };
        return &table;
    }

    std::vector<uint8_t> fBytes;
    size_t fPos = 0;
    TFace fFace{Table(), this};
};

} // namespace com
