#pragma once
// TSaveTransaction: the files of one save are first written to temporary files
// beside their final names. Commit then records every rename and removal in a
// journal, makes the journal durable and only then puts the files in place;
// the journal goes last. A process killed at any instant therefore leaves
// either no journal (the old files untouched, only temporary files added) or a
// complete journal that Recover carries out on the next open or save, so the
// files are always wholly old or wholly new. A transaction dropped uncommitted
// removes its temporary files.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class TSaveTransaction {
public:
    // `journal` is the journal's path; the paths it records are kept relative
    // to its folder.
    explicit TSaveTransaction(QString journal);
    ~TSaveTransaction();
    TSaveTransaction(const TSaveTransaction&) = delete;
    TSaveTransaction& operator=(const TSaveTransaction&) = delete;

    // Writes `data` to a temporary file in the folder of `path`, to replace
    // `path` on Commit. False (with Error set) when it cannot be written.
    bool Stage(const QString& path, const QByteArray& data);
    // `path` is removed on Commit unless it was staged.
    void RemoveUnlessStaged(const QString& path);
    // Puts every staged file in place, then removes the files listed for
    // removal. False when the journal cannot be written (nothing changed) or
    // a rename fails (the journal stays for Recover to finish).
    bool Commit();

    const QString& Error() const { return fError; }

    // Finishes a commit that was interrupted, then removes the temporary
    // files an interrupted save left: those of `files` (beside them) and all
    // in `folders` (with their subfolders). False, with `error` set, when the
    // recorded renames cannot be carried out.
    static bool Recover(const QString& journal, const QStringList& files, const QStringList& folders,
                        QString& error);

private:
    struct TStaged {
        QString Temp;
        QString Target;
    };
    void Discard();
    QByteArray JournalText() const;

    QString fJournal;
    std::vector<TStaged> fStaged;
    QStringList fRemove;
    QString fError;
};
