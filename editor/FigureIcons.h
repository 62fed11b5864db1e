#pragma once
// Icons of the fourteen figure buttons, drawn at run time so that the program
// needs no image files.
#include <QIcon>

enum class TFigureButton {
    Point, Line, LLine, ZLine, Bezier, Rectangle, Diamond, Ellipse, Star, Polygon,
    Arrow, Text, TextBezier, Picture
};

QIcon FigureIcon(TFigureButton button);
