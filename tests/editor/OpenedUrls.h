#pragma once
// Catches the local files the program hands to the desktop to open, for as
// long as it lives, instead of starting a browser or viewer.
#include <QList>
#include <QObject>
#include <QUrl>

class TOpenedUrls : public QObject {
    Q_OBJECT
public:
    TOpenedUrls();
    ~TOpenedUrls() override;

    QList<QUrl> Urls;

public slots:
    void Open(const QUrl& url) { Urls << url; }
};
