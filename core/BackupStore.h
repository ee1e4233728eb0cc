// BackupStore: the folder of configuration backups taken before device writes, named by date,
// time and serial number, of which the newest ones are kept.
#pragma once

#include "Mv100Config.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class BackupStore
{
public:
    static constexpr int KEEP = 20;

    // The application's data folder's "backups" folder.
    BackupStore();
    explicit BackupStore(QString folder);

    QString folder() const { return m_folder; }
    // Writes config as a new backup of the chip with this serial number; false with the reason
    // when it cannot. Older backups beyond the newest KEEP are removed afterwards.
    bool store(const Mv100Config &config, quint32 serial, QString *fileName, QString *error,
               const QDateTime &when = QDateTime::currentDateTime());
    // The backups, newest first.
    QStringList backups() const;

private:
    void prune();

    QString m_folder;
};
