#pragma once
// GIF LZW encoding of palette indices into a frame's encoded data: the
// minimum-code-size byte, 255-byte data sub-blocks (the last one shorter) and
// the zero-length terminator.
//
// Choices: a clear code is sent first; the code width grows by one as soon as
// the code just assigned reaches 2^width; when the code just assigned reaches
// 4094 the pending code is sent, then a clear code, and the table restarts, so
// code 4095 is never used and codes never exceed 12 bits; at the end the
// pending code and the end-of-information code are sent.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class TLZWEncoder {
public:
    // Called after each row with the share of rows done (0..100).
    using TProgress = std::function<void(int percent)>;

    // Rows top to bottom; row r starts at pixels + r * stride. Every index must
    // be below 2^codeSize. codeSize is 2..8.
    static std::vector<uint8_t> Encode(const uint8_t* pixels, int width, int height, ptrdiff_t stride, int codeSize,
                                       const TProgress& progress = {});

    // What happens once code 4094 is assigned. Restart: the layout above.
    // KeepWhilePaying: the table takes no more strings and is kept until a
    // stretch of pixels costs 5 % more bits per pixel than the pixels since the
    // last restart did, when a clear code restarts it. Either layout decodes
    // alike; which is smaller depends on the pixels.
    enum class TTableRule { Restart, KeepWhilePaying };
    struct TResult {
        std::vector<uint8_t> Data;
        bool Filled = false; // the table reached 4094 (else the rules give the same data)
    };
    // Encode with a choice of rule, for pixels that may also be written in
    // either of two ways (both show alike): alternates[i], unless null, is the
    // other index for pixel i, or the same one. Where the string so far cannot
    // go on with a pixel's index but can with its alternate, the alternate is taken.
    static TResult EncodeWithRule(const uint8_t* pixels, const uint8_t* alternates, int width, int height,
                                  ptrdiff_t stride, int codeSize, TTableRule rule);

    // The smaller of the two rules' data (Restart on a tie), or nothing when
    // both come out larger than `limit` bytes. The rules share the work up to
    // where the table fills, and an encoding stops once it is over the limit.
    static std::optional<std::vector<uint8_t>> EncodeSmaller(const uint8_t* pixels, const uint8_t* alternates,
                                                             int width, int height, ptrdiff_t stride, int codeSize,
                                                             size_t limit = SIZE_MAX);
};
