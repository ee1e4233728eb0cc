// RecentFiles: the list of recently opened configuration files, kept in the settings store, and
// the menu that shows it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QMenu;
QT_END_NAMESPACE

class RecentFiles : public QObject
{
    Q_OBJECT

public:
    static constexpr int MAX_FILES = 10;

    // Reads the list from the settings store (at most MAX_FILES entries) and shows it in menu.
    RecentFiles(QMenu *menu, QObject *parent = nullptr);

    const QList<QString> &files() const { return m_files; }
    // Puts a file first (once), stores the list and redraws the menu.
    void add(const QString &fileName);
    void remove(const QString &fileName);
    void updateMenu();

    // The menu text of each entry: the file name, with its folder where two entries share a
    // name.
    static QStringList menuTexts(const QList<QString> &files);

Q_SIGNALS:
    void openRequested(const QString &fileName);

private:
    void store();

    QMenu *m_menu;
    QList<QString> m_files;
};
