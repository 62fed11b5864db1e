#pragma once
// Tool window, Save AVI: exports the animation as an AVI video.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TToAVIForm : public QDialog {
    Q_OBJECT
public:
    explicit TToAVIForm(QWidget* parent);
};
