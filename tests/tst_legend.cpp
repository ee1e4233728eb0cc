// Tests of the key legend: cell names, colours and fitting, trimming, PDF pages, PNG files, menu.
#include "IndexedImage.h"
#include "LegendDialog.h"
#include "LegendRenderer.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

using namespace LegendRenderer;
using Kind = LegendRenderer::Kind;

namespace {
// Every kind, with the longest names of the tables among them.
const quint16 RICH_CODES[] = {0xE704, 0x00E7, 0x0065, 0x0113, 0x010D, 0x02AF, 0x0205, 0x0309,
                              0x0310, 0x0448, 0x0401, 0xE034, 0x00FB, 0x0031, 0x0064};

Mv100Config richConfig()
{
    Mv100Config config;
    const int count = int(std::size(RICH_CODES));
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int y = 0; y < MV100::ROWS; ++y)
            for (int x = 0; x < MV100::COLUMNS; ++x)
                if ((x + y + layer) % 7 != 3) // some empty cells between
                    config.setKeyCode(layer, x, y, RICH_CODES[(x * 5 + y + layer) % count]);
    return config;
}

int pdfPages(const QString &file)
{
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// The colour most pixels inside the cell (border left out) have.
QColor mainColour(const QImage &image, const QRectF &cell)
{
    std::map<QRgb, int> counts;
    const QRect inside = cell.toAlignedRect().adjusted(3, 3, -3, -3);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                      return a.second < b.second;
                  })->first);
}

int inkPixels(const QImage &image, const QRectF &area, const QColor &colour)
{
    int count = 0;
    const QRect rect = area.toAlignedRect();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}
} // namespace

class TestLegend : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void cleanup() { TestSupport::closeAllModals(); }

    void cellNames()
    {
        // clang-format off
        const std::tuple<quint16, const char *, Kind> rows[] = {
            {0xE104, "L-Shift + Keyboard a and A", Kind::Key}, {0x00FF, "FN1", Kind::Key},
            {0x0065, "Keyboard Application (Menu)", Kind::Key}, {0x0C01, "0x0C01", Kind::Key},
            {0xE804, "Keyboard a and A", Kind::Key}, {0x00A5, "0x00A5", Kind::Key},
            {0x0310, "Mouse Left Button", Kind::Mouse}, {0x02AF, "Macro #175", Kind::Macro},
            {0x010C, "Mute", Kind::Media},
            {0x0123, "0x0123", Kind::Media}, {0x0401, "DAC0 Max", Kind::Led},
            {0xFFFF, "Empty", Kind::Empty}};
        // clang-format on
        for (const auto &[code, name, kind] : rows) {
            QCOMPARE(defaultCellText(code), QString::fromUtf8(name));
            QVERIFY2(kindOf(code) == kind, name);
        }
    }

    // Each cell is filled in its kind's tint with its text in the layer tabs' colour; empty stays
    // white; the page shows the layer asked for.
    void cellColours()
    {
        const Mv100Config config = richConfig();
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            LegendOptions options;
            LegendPage page;
            const QImage image = renderPng(config, layer, options, &page);
            QCOMPARE(page.cells.size(), MV100::CELLS);
            for (const LegendCell &cell : std::as_const(page.cells)) {
                QCOMPARE(cell.code, config.keyCode(layer, cell.column, cell.row));
                const Kind kind = kindOf(cell.code);
                QCOMPARE(mainColour(image, cell.cellRect), fillColor(kind));
                if (kind != Kind::Empty)
                    QVERIFY(inkPixels(image, cell.textRect, textColor(kind)) > 0);
            }
        }
        QCOMPARE(fillColor(Kind::Empty), QColor(Qt::white));
    }

    // Whatever the names and the cell size, the text stays inside the cell (less the border).
    void noTextClipped()
    {
        // Cell size, the default name repeated (0 = a single long word), whether any is elided.
        const std::tuple<QSize, int, bool> rows[] = {{QSize(144, 60), 1, false},
                                                     {QSize(90, 40), 1, true},
                                                     {QSize(144, 60), 12, true},
                                                     {QSize(144, 60), 0, true}};
        for (const auto &[cellSize, repeat, elided] : rows) {
            LegendOptions options;
            options.cellSize = cellSize;
            options.cellText = [repeat = repeat](quint16 code) {
                return repeat == 0 ? QString(200, 'W') : defaultCellText(code).repeated(repeat);
            };
            LegendPage page;
            const QImage image = renderPng(richConfig(), 0, options, &page);
            bool anyElided = false;
            for (const LegendCell &cell : std::as_const(page.cells)) {
                const QRectF inner = cell.cellRect.adjusted(1, 1, -1, -1);
                QVERIFY2(
                    cell.code == Mv100Config::EMPTY_CELL || inner.contains(cell.textRect),
                    qPrintable(
                        QString("X%1 Y%2 repeat %3").arg(cell.column).arg(cell.row).arg(repeat)));
                anyElided = anyElided || cell.elided;
            }
            QCOMPARE(anyElided, elided);
            QVERIFY(QRectF(image.rect()).contains(page.cells.last().cellRect));
        }
    }

    // Trimming drops every row and column without an assignment; the headers keep the numbers.
    void trimmed()
    {
        // Cells used on FN1, the columns and rows shown.
        const std::tuple<QList<QPoint>, QList<int>, QList<int>> rows[]
            = {{{{2, 5}, {3, 6}, {4, 5}}, {2, 3, 4}, {5, 6}},
               {{{0, 0}, {15, 23}}, {0, 15}, {0, 23}},
               {{}, {}, {}}};
        for (const auto &[used, columns, rowNumbers] : rows) {
            Mv100Config config;
            for (const QPoint &cell : used)
                config.setKeyCode(1, cell.x(), cell.y(), 0x0004);
            LegendOptions options;
            options.currentLayer = 1;
            options.trimEmpty = true;
            LegendPage page;
            renderPng(config, 1, options, &page);
            QCOMPARE(page.columns, columns);
            QCOMPARE(page.rows, rowNumbers);
            QCOMPARE(page.cells.size(), columns.size() * rowNumbers.size());
        }
    }

    void pdfAndPrinterPages()
    {
        const Mv100Config config = richConfig();
        LegendOptions options;
        options.fileName = "/somewhere/panel.mv100";
        QString error;
        QVERIFY(exportPdf(m_dir.filePath("one.pdf"), config, options, &error));
        options.layers = LegendOptions::Layers::All;
        options.trimEmpty = true;
        QVERIFY(exportPdf(m_dir.filePath("all.pdf"), config, options, &error));
        QPrinter printer;
        printer.setOutputFileName(m_dir.filePath("printed.pdf"));
        print(&printer, config, options);
        QCOMPARE(
            QList<int>({pdfPages(m_dir.filePath("one.pdf")), pdfPages(m_dir.filePath("all.pdf")),
                        pdfPages(m_dir.filePath("printed.pdf"))}),
            QList<int>({1, 3, 3}));

        QVERIFY(!exportPdf(m_dir.filePath("missing/x.pdf"), config, options, &error));
        QVERIFY(!error.isEmpty());
    }

    void pngFiles()
    {
        const Mv100Config config = richConfig();
        LegendOptions options;
        options.layers = LegendOptions::Layers::All;
        options.date = QDate(2025, 1, 2); // the same title in both renderings
        const QStringList files = pngFileNames(m_dir.filePath("legend.png"), options);
        QCOMPARE(files,
                 QStringList({m_dir.filePath("legend-Default.png"),
                              m_dir.filePath("legend-FN1.png"), m_dir.filePath("legend-FN2.png")}));
        QVERIFY(exportPng(m_dir.filePath("legend.png"), config, options));
        QVERIFY(!QFile::exists(m_dir.filePath("legend.png")));
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            LegendPage page;
            const QImage written(files.at(layer));
            QCOMPARE(written.size(), renderPng(config, layer, options, &page).size());
            for (const LegendCell &cell : std::as_const(page.cells))
                QCOMPARE(mainColour(written, cell.cellRect), fillColor(kindOf(cell.code)));
        }
    }

    // Few colours stay exact; with many, the frequent ones stay exact and the rest come close.
    void paletteImage()
    {
        QImage image(300, 40, QImage::Format_RGB32);
        image.fill(fillColor(Kind::Media));
        QCOMPARE(IndexedImage::fromRgb(image).convertToFormat(QImage::Format_RGB32), image);
        for (int x = 0; x < 300; ++x) // 900 colours of a ramp, 3 pixels each
            for (int y = 0; y < 3; ++y)
                image.setPixelColor(x, y * 10, QColor(x * 255 / 299, 128 + y * 40, 255 - x / 2));
        const QImage indexed = IndexedImage::fromRgb(image);
        QCOMPARE(indexed.format(), QImage::Format_Indexed8);
        QVERIFY(indexed.colorCount() <= 256);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor a = image.pixelColor(x, y), b = indexed.pixelColor(x, y);
                if (y % 10 != 0 || y >= 30)
                    QCOMPARE(b, a);
                QVERIFY(qAbs(a.red() - b.red()) + qAbs(a.green() - b.green())
                            + qAbs(a.blue() - b.blue())
                        <= 12);
            }
        }
    }

    // File > Export Legend on the FN1 tab: the dialog's choices reach the written image.
    void windowExport()
    {
        QSettings("tarnwicks", "mv100-editor").clear();
        MainWindow window;
        window.document().assignKey(1, 3, 4, 0x0310);
        window.findChild<QTabWidget *>("tabWidget")
            ->setCurrentWidget(window.findChild<QWidget *>("tab_fn1"));
        const QString target = m_dir.filePath("window");
        QString layerChoice;
        TestSupport::onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<LegendDialog *>(modal);
            QVERIFY(dialog);
            layerChoice = dialog->findChild<QRadioButton *>("radio_current_layer")->text();
            dialog->findChild<QCheckBox *>("check_trim_empty")->setChecked(true);
            dialog->findChild<QRadioButton *>("radio_png")->setChecked(true);
            TestSupport::onNextModal([&](QWidget *next) {
                auto *files = qobject_cast<QFileDialog *>(next);
                QVERIFY(files);
                files->findChild<QLineEdit *>("fileNameEdit")->setText(target);
                static_cast<QDialog *>(files)->accept();
            });
            dialog->accept();
        });
        window.findChild<QAction *>("actionExportLegend")->trigger();
        QCOMPARE(layerChoice, QString("Current layer (FN1)"));
        LegendOptions options;
        options.currentLayer = 1;
        options.trimEmpty = true;
        QCOMPARE(QImage(target + ".png").size(),
                 layoutSize(window.configuration(), 1, options).toSize());
    }
};

QTEST_MAIN(TestLegend)
#include "tst_legend.moc"
