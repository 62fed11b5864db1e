#pragma once
// Tool window, frame extraction: writes the animation's frames as image files.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TExtractForm : public QDialog {
    Q_OBJECT
public:
    explicit TExtractForm(QWidget* parent);
};
