// AboutDialog: program name, version and year, the maker's links and the third-party licences.
#pragma once

#include <QDialog>
#include <QString>

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

public Q_SLOTS:
    // Opens a licence text file, looked up beside the program and then in the installed
    // documentation folder.
    void OpenLicenseFile(QString const &fileName);
    // Opens a web address or a mailto: link with the desktop.
    void OpenExternalLink(QString const &link);

protected:
    // The folder the licence folders are relative to: the program's own folder. Tests lay out
    // their own folders through an override.
    virtual QString programFolder() const;
};
