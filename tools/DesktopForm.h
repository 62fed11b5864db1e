#pragma once
// Tool window, desktop area: the screen snapshot on which a rectangle is dragged out.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TDesktopForm : public QDialog {
    Q_OBJECT
public:
    explicit TDesktopForm(QWidget* parent);
};
