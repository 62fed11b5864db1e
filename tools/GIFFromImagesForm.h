#pragma once
// Tool window, GIF from images: turns still images into the background GIF.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TGIFFromImagesForm : public QDialog {
    Q_OBJECT
public:
    explicit TGIFFromImagesForm(QWidget* parent);
};
