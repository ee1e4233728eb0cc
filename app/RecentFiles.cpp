// RecentFiles: the recently opened files and their menu.
#include "RecentFiles.h"

#include "Startup.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {
const char *const KEY_RECENT_FILES = "recentFiles";
} // namespace

RecentFiles::RecentFiles(QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
{
    // A list grown elsewhere (another version, a hand-edited store) is cut to the usual length.
    m_files = Startup::settingsStore()
                  .value(QLatin1String(KEY_RECENT_FILES))
                  .toStringList()
                  .mid(0, MAX_FILES);
    updateMenu();
}

void RecentFiles::add(const QString &fileName)
{
    m_files.removeAll(fileName);
    m_files.prepend(fileName);
    while (m_files.size() > MAX_FILES)
        m_files.removeLast();
    store();
}

void RecentFiles::remove(const QString &fileName)
{
    if (m_files.removeAll(fileName) > 0)
        store();
}

void RecentFiles::store()
{
    Startup::settingsStore().setValue(QLatin1String(KEY_RECENT_FILES), QStringList(m_files));
    updateMenu();
}

QStringList RecentFiles::menuTexts(const QList<QString> &files)
{
    QStringList names;
    for (const QString &path : files)
        names << QFileInfo(path).fileName();
    QStringList texts;
    for (int i = 0; i < files.size(); ++i) {
        QString text = names[i];
        if (names.count(names[i]) > 1) {
            const QString folder = QDir::toNativeSeparators(QFileInfo(files[i]).absolutePath());
            text = tr("%1 (%2)").arg(names[i], folder);
        }
        texts << text;
    }
    return texts;
}

void RecentFiles::updateMenu()
{
    // This runs inside the handler of one of the entries it replaces: they are deleted only
    // once control is back in the event loop.
    const QList<QAction *> old = m_menu->actions();
    for (QAction *action : old) {
        m_menu->removeAction(action);
        action->deleteLater();
    }

    if (m_files.isEmpty()) {
        m_menu->addAction(tr("(empty)"))->setEnabled(false);
        return;
    }
    m_menu->setToolTipsVisible(true);
    const QStringList texts = menuTexts(m_files);
    for (int i = 0; i < m_files.size(); ++i) {
        const QString path = m_files[i];
        // A "&" in a file name is a letter, not a mnemonic.
        QString text = texts[i];
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *action = m_menu->addAction(text);
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path]() { emit openRequested(path); });
    }
}
