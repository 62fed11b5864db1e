#pragma once
// Tool window, folder selection: picks or creates a folder.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TFolderForm : public QDialog {
    Q_OBJECT
public:
    explicit TFolderForm(QWidget* parent);
};
