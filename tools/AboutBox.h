#pragma once
// Tool window, about box.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
};
