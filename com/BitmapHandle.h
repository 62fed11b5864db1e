#pragma once
/* Bitmap handles as they cross between the editor and the AVI writer.
 *
 * A handle is an opaque pointer-sized value that points at a ZBitmapSection,
 * a plain description of a bitmap section. The side that makes the handle owns
 * the struct, its palette and its pixels; the other side reads them for the
 * duration of one call and never keeps, changes or frees them.
 *
 * Pixels are rows from the top down, Stride bytes apart (Stride >= the bytes a
 * row needs). Per pixel: 32 bits B, G, R, unused; 24 bits B, G, R; 8, 4 and 1
 * bits a palette index, the leftmost pixel in the highest bits of its byte.
 * Palette entries are 0x00RRGGBB (B, G, R, 0 in memory, as RGBQUAD). */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ZBitmapSection {
    int32_t Width;
    int32_t Height;
    int32_t BitsPerPixel;    /* 1, 4, 8, 24 or 32 */
    int32_t Stride;          /* bytes from one row to the next */
    int32_t PaletteCount;    /* entries in Palette (indexed formats) */
    const uint32_t* Palette; /* NULL when PaletteCount is 0 */
    const uint8_t* Pixels;   /* NULL for an empty bitmap */
} ZBitmapSection;

typedef struct ZBitmapHandleTag* HBITMAP;

static inline HBITMAP ZBitmapHandleOf(const ZBitmapSection* section)
{
    return (HBITMAP)(uintptr_t)section;
}

static inline const ZBitmapSection* ZBitmapSectionOf(HBITMAP handle)
{
    return (const ZBitmapSection*)(uintptr_t)handle;
}

#ifdef __cplusplus
}
#endif
