// LegendDialog: the choices of a key legend (which layers, empty rows and columns, PDF or PNG)
// and the Export Legend and Print Legend commands built on it.
#pragma once

#include "LegendRenderer.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QRadioButton;
QT_END_NAMESPACE

class LegendDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Purpose { Export, Print };
    enum class Format { Pdf, Png };

    // currentLayer is the layer the "Current layer" choice names; printing hides the format.
    LegendDialog(Purpose purpose, int currentLayer, QWidget *parent = nullptr);

    // The layers and trimming chosen; the caller adds the file name and date.
    LegendOptions options() const;
    Format format() const;

    // File > Export Legend: this dialog, then a file name, then the export; a failure is shown in
    // a warning. The files written, none when cancelled or failed.
    static QStringList exportLegend(QWidget *parent, const Mv100Config &config, int currentLayer,
                                    const QString &configFile);
    // File > Print Legend: this dialog, then the print dialog, then the pages. True when printed.
    static bool printLegend(QWidget *parent, const Mv100Config &config, int currentLayer,
                            const QString &configFile);

private:
    int m_currentLayer = 0;
    QRadioButton *m_current = nullptr;
    QRadioButton *m_all = nullptr;
    QCheckBox *m_trim = nullptr;
    QRadioButton *m_pdf = nullptr;
    QRadioButton *m_png = nullptr;
};
