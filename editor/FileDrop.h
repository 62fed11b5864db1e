#pragma once
// TFileDrop: lets a widget take local files dropped on it. The widget accepts
// a drag when `Accepts` takes at least one of its files; a drop hands those
// files and the drop point (in the widget's coordinates) to `Dropped`.
#include <QObject>
#include <QPoint>
#include <QStringList>
#include <functional>

class QWidget;

class TFileDrop : public QObject {
    Q_OBJECT
public:
    // Watches `widget` (and is owned by it).
    explicit TFileDrop(QWidget* widget);

    std::function<bool(const QString& file)> Accepts;
    std::function<void(const QStringList& files, QPoint at)> Dropped;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList Taken(const class QMimeData* data) const;
};
