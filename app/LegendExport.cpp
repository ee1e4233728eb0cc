// LegendRenderer: the legend's outputs: PNG images, PDF files and printed pages.
#include "LegendRenderer.h"

#include "IndexedImage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <future>
#include <memory>
#include <vector>

namespace LegendRenderer {

namespace {
// A page never draws a unit larger than this, so that a few trimmed cells do not fill a sheet.
constexpr qreal MAX_MM_PER_UNIT = 0.25;
constexpr qreal PAGE_MARGIN_MM = 10;
// Qt turns a PNG quality of 80 into deflate level 1.
constexpr int PNG_QUALITY = 80;

QString tr(const char *text)
{
    return QCoreApplication::translate("LegendRenderer", text);
}

// File names stay the same in every language, so that scripts and links find them.
QString fileLayerName(int layer)
{
    static const char *const names[] = {"Default", "FN1", "FN2"};
    return QLatin1String(names[layer == 1 || layer == 2 ? layer : 0]);
}

// Paints the layers onto a paged device, each scaled to fit its page.
bool paintPages(QPagedPaintDevice *device, const Mv100Config &config, const LegendOptions &options)
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = device->pageLayout().paintRectPixels(device->logicalDpiX());
    const qreal maxScale = MAX_MM_PER_UNIT / 25.4 * device->logicalDpiX();
    bool first = true;
    for (int layer : layersOf(options)) {
        if (!first && !device->newPage())
            return false;
        first = false;
        const QSizeF size = layoutSize(config, layer, options);
        const qreal scale
            = std::min({area.width() / size.width(), area.height() / size.height(), maxScale});
        painter.save();
        painter.translate((area.width() - size.width() * scale) / 2, 0);
        painter.scale(scale, scale);
        paint(&painter, config, layer, options);
        painter.restore();
    }
    return painter.end();
}

// The cell texts of the layers asked for once, here: renderers in other threads read them from
// a table, so that a caller's text function never runs in two threads at once.
LegendOptions withTextTable(const Mv100Config &config, const QList<int> &layers,
                            const LegendOptions &options)
{
    auto table = std::make_shared<QHash<quint16, QString>>();
    for (int layer : layers) {
        for (quint16 code : config.layer(layer)) {
            if (code != Mv100Config::EMPTY_CELL && !table->contains(code))
                table->insert(code,
                              options.cellText ? options.cellText(code) : defaultCellText(code));
        }
    }
    LegendOptions copy = options;
    copy.cellText = [table = std::shared_ptr<const QHash<quint16, QString>>(table)](quint16 code) {
        return table->value(code);
    };
    return copy;
}

struct EncodedImage
{
    QByteArray bytes;
    QString error;
};

EncodedImage encodePng(const QImage &image)
{
    EncodedImage encoded;
    QBuffer buffer(&encoded.bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // A palette image and the fastest deflate level: a legend is flat colour but for its text
    // edges, so this writes less than half the bytes of an RGB file, in a third of the time.
    writer.setQuality(PNG_QUALITY);
    if (!writer.write(IndexedImage::fromRgb(image)))
        encoded.error = writer.errorString();
    return encoded;
}

void setError(QString *error, const QString &text)
{
    if (error != nullptr)
        *error = text;
}
} // namespace

QImage renderPng(const Mv100Config &config, int layer, const LegendOptions &options,
                 LegendPage *page)
{
    const QSize size = layoutSize(config, layer, options).toSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const LegendPage painted = paint(&painter, config, layer, options);
    if (page != nullptr)
        *page = painted;
    return image;
}

QStringList pngFileNames(const QString &file, const LegendOptions &options)
{
    const QList<int> layers = layersOf(options);
    if (layers.size() == 1)
        return {file};
    const QFileInfo info(file);
    QStringList files;
    for (int layer : layers) {
        files.append(info.dir().filePath(info.completeBaseName() + QLatin1Char('-')
                                         + fileLayerName(layer) + QLatin1String(".png")));
    }
    return files;
}

bool exportPng(const QString &file, const Mv100Config &config, const LegendOptions &options,
               QString *error)
{
    const QList<int> layers = layersOf(options);
    const QStringList files = pngFileNames(file, options);
    // The images are drawn and encoded side by side; writing them is quick.
    const LegendOptions shared = withTextTable(config, layers, options);
    std::vector<std::future<EncodedImage>> jobs;
    for (int layer : layers) {
        jobs.push_back(std::async(std::launch::async, [&config, &shared, layer] {
            return encodePng(renderPng(config, layer, shared));
        }));
    }
    std::vector<EncodedImage> images;
    for (std::future<EncodedImage> &job : jobs)
        images.push_back(job.get());
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (!images[i].error.isEmpty()) {
            setError(error, images[i].error);
            return false;
        }
        QSaveFile out(files.at(int(i)));
        if (!out.open(QIODevice::WriteOnly) || out.write(images[i].bytes) != images[i].bytes.size()
            || !out.commit()) {
            setError(error, out.errorString());
            return false;
        }
    }
    return true;
}

bool exportPdf(const QString &file, const Mv100Config &config, const LegendOptions &options,
               QString *error)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error, out.errorString());
        return false;
    }
    {
        QPdfWriter writer(&out);
        writer.setCreator(QStringLiteral("Morvantide100 Editor"));
        writer.setTitle(tr("Key legend"));
        writer.setPageLayout(
            QPageLayout(options.pageSize, QPageLayout::Landscape,
                        QMarginsF(PAGE_MARGIN_MM, PAGE_MARGIN_MM, PAGE_MARGIN_MM, PAGE_MARGIN_MM),
                        QPageLayout::Millimeter));
        if (!paintPages(&writer, config, options)) {
            setError(error, tr("The PDF could not be drawn."));
            return false;
        }
    }
    if (!out.commit()) {
        setError(error, out.errorString());
        return false;
    }
    return true;
}

void print(QPrinter *printer, const Mv100Config &config, const LegendOptions &options)
{
    paintPages(printer, config, options);
}

} // namespace LegendRenderer
