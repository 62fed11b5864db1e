#pragma once
// "About Zembra": the program's name, version and licence, and the libraries
// it runs on with their versions.
#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);

    // The lines the box shows, also for tests: "Version X.Y.Z", the licence,
    // and "Qt 6.x.y, libjpeg-turbo ..." (the libraries).
    static QString VersionText();
    static QString LicenceText();
    static QString LibrariesText();
};
