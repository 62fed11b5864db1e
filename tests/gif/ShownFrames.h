#pragma once
// What a viewer shows for a GIF, frame after frame, as independent decoders
// (giflib, Pillow) see it: ARGB32 screens, clear (0) where nothing shows,
// consecutive equal screens merged into one with the sum of their delays.
#include "tests/gif/GiflibPeer.h"

#include <QImage>
#include <vector>

struct TShown {
    QImage Screen;
    int Delay = 0; // hundredths of a second
};

// Appends a screen, merging it into the last one when equal.
void AppendShown(std::vector<TShown>& shown, const QImage& screen, int delay);
// giflib's decoding composed with the disposal methods (restore-to-background clears).
std::vector<TShown> ShownByGiflib(const QByteArray& gif);
// Pillow's own composition (python3-pil); empty with `error` set when it fails.
std::vector<TShown> ShownByPillow(const QByteArray& gif, QString& error);
