#pragma once
// TSaveTransaction: the files of one save are first written to temporary files
// beside their final names; only when all of them were written are they renamed
// over the old files, in the order they were staged. Until then nothing of the
// old files changes, and a transaction that is dropped uncommitted removes its
// temporary files, so a failed or cancelled save leaves no trace.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class TSaveTransaction {
public:
    TSaveTransaction() = default;
    ~TSaveTransaction();
    TSaveTransaction(const TSaveTransaction&) = delete;
    TSaveTransaction& operator=(const TSaveTransaction&) = delete;

    // Writes `data` to a temporary file in the folder of `path`, to replace
    // `path` on Commit. False (with Error set) when it cannot be written.
    bool Stage(const QString& path, const QByteArray& data);
    // `path` is removed on Commit unless it was staged.
    void RemoveUnlessStaged(const QString& path);
    // Puts every staged file in place, then removes the files listed for
    // removal. False when a rename fails; the temporary files left are removed.
    bool Commit();

    const QString& Error() const { return fError; }

private:
    struct TStaged {
        QString Temp;
        QString Target;
    };
    void Discard();

    std::vector<TStaged> fStaged;
    QStringList fRemove;
    QString fError;
};
