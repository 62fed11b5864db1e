#pragma once
// Tool window, screen recording: the recording controls.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TScreenForm : public QDialog {
    Q_OBJECT
public:
    explicit TScreenForm(QWidget* parent);
};
