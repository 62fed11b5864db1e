// libFuzzer target: read any bytes as a GIF, decode and compose every frame.
// Seed with tests/data/corpus/gif/.
#include "gif/GIFComposer.h"
#include "gif/ZGIFImage.h"

#include <QGuiApplication>
#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_gif_reader";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    TZGIFImage image;
    try {
        image.LoadFromBytes({data, size});
    } catch (const std::exception&) {
    }
    TGIFComposer composer(image);
    for (int i = 0; i < image.Count() && i < 64; ++i) {
        try {
            // Frames up to the codec's limit are legal but slow to fuzz.
            TZGIFFrame& frame = image.Frames(i);
            if (int64_t(frame.Width()) * frame.Height() > 1024 * 1024)
                continue;
            frame.Bitmap();
            // Keep the composition within what a fuzzing run can afford.
            if (int64_t(image.ScreenWidth()) * image.ScreenHeight() <= 1024 * 1024) {
                TColor key;
                composer.Compose(i, key);
            }
        } catch (const std::exception&) {
        }
    }
    try {
        if (image.Count() > 0)
            image.SaveToBytes();
    } catch (const std::exception&) {
    }
    return 0;
}
