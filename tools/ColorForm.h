#pragma once
// Tool window, colour selection: picks a colour of the 256-colour palette.
// For now an empty window with its caption; its controls come with the tool.
#include <QDialog>

class TColorForm : public QDialog {
    Q_OBJECT
public:
    explicit TColorForm(QWidget* parent);
};
