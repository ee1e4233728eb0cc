// BackupStore: configuration backups in the application's data folder.
#include "BackupStore.h"

#include "ConfigFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const char *const PREFIX = "mv100-backup-";
} // namespace

BackupStore::BackupStore()
    : m_folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
               + QStringLiteral("/backups"))
{
}

BackupStore::BackupStore(QString folder)
    : m_folder(std::move(folder))
{
}

bool BackupStore::store(const Mv100Config &config, quint32 serial, QString *fileName,
                        QString *error, const QDateTime &when)
{
    if (!QDir().mkpath(m_folder)) {
        if (error != nullptr)
            *error = ConfigFile::tr("the folder %1 cannot be created.").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    // Names sort by time: the date and time first, to the second, then the chip's serial.
    const QString base = QString::fromLatin1(PREFIX)
        + when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QLatin1Char('-')
        + QString::asprintf("%08x", unsigned(serial));
    QString name = m_folder + QLatin1Char('/') + base + QStringLiteral(".mv100");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = m_folder + QLatin1Char('/') + base + QStringLiteral("-%1.mv100").arg(n);
    if (!ConfigFile::write(name, config, error))
        return false;
    if (fileName != nullptr)
        *fileName = name;
    prune();
    return true;
}

QStringList BackupStore::backups() const
{
    const QDir dir(m_folder);
    QStringList names = dir.entryList({QString::fromLatin1(PREFIX) + QStringLiteral("*.mv100")},
                                      QDir::Files, QDir::Name | QDir::Reversed);
    for (QString &name : names)
        name = dir.filePath(name);
    return names;
}

void BackupStore::prune()
{
    const QStringList all = backups();
    for (int i = KEEP; i < all.size(); ++i)
        QFile::remove(all[i]);
}
