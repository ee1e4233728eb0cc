// IndexedImage: colour counting, the palette (exact frequent colours plus a median cut of the
// rest) and the mapping of the pixels.
#include "IndexedImage.h"

#include <QList>

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

namespace IndexedImage {

namespace {
constexpr int PALETTE_SIZE = 256;
// The colours kept exactly when there are more than fit.
constexpr int EXACT_COLOURS = 48;

struct Colour
{
    QRgb rgb = 0;
    qint64 count = 0;
};

int channel(QRgb rgb, int which)
{
    return which == 0 ? qRed(rgb) : which == 1 ? qGreen(rgb) : qBlue(rgb);
}

// The distinct colours of an image, with open addressing: an image has a few thousand colours at
// most, and this look-up is made once per change of colour along a line.
class ColourTable
{
public:
    // The slot of rgb, made when new. RGB32 pixels always have full alpha, so 0 marks a free slot.
    int insert(QRgb rgb)
    {
        if (2 * (m_used + 1) > int(m_keys.size()))
            grow();
        const int i = find(rgb);
        if (m_keys[std::size_t(i)] == 0) {
            m_keys[std::size_t(i)] = rgb;
            ++m_used;
        }
        return i;
    }
    // The slot of rgb, or the free slot where it would go.
    int find(QRgb rgb) const
    {
        const std::size_t mask = m_keys.size() - 1;
        std::size_t i = hash(rgb) & mask;
        while (m_keys[i] != 0 && m_keys[i] != rgb)
            i = (i + 1) & mask;
        return int(i);
    }
    QRgb key(int slot) const { return m_keys[std::size_t(slot)]; }
    qint64 &count(int slot) { return m_counts[std::size_t(slot)]; }
    uchar &index(int slot) { return m_indexes[std::size_t(slot)]; }
    int capacity() const { return int(m_keys.size()); }

private:
    static std::size_t hash(QRgb rgb) { return (rgb * 0x9E3779B1u) >> 7; }
    void grow()
    {
        const std::vector<QRgb> keys = std::move(m_keys);
        const std::vector<qint64> counts = std::move(m_counts);
        const std::size_t size = keys.empty() ? 4096 : 2 * keys.size();
        m_keys.assign(size, 0);
        m_counts.assign(size, 0);
        m_indexes.assign(size, 0);
        m_used = 0;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != 0)
                m_counts[std::size_t(insert(keys[i]))] = counts[i];
        }
    }

    std::vector<QRgb> m_keys;
    std::vector<qint64> m_counts;
    std::vector<uchar> m_indexes;
    int m_used = 0;
};

// Counts the pixels of each colour; runs of one colour, the common case, are counted at once.
void countColours(const QImage &image, ColourTable *table)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb last = line[0];
        qint64 run = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != last) {
                table->count(table->insert(last)) += run;
                last = line[x];
                run = 0;
            }
            ++run;
        }
        table->count(table->insert(last)) += run;
    }
}

// The widest channel of a box and its range.
std::pair<int, int> widestChannel(const std::vector<Colour> &box)
{
    std::pair<int, int> widest {0, -1};
    for (int which = 0; which < 3; ++which) {
        const auto [low, high] = std::minmax_element(
            box.begin(), box.end(), [which](const Colour &a, const Colour &b) {
                return channel(a.rgb, which) < channel(b.rgb, which);
            });
        const int range = channel(high->rgb, which) - channel(low->rgb, which);
        if (range > widest.second)
            widest = {which, range};
    }
    return widest;
}

// Splits the colours into at most `boxes` boxes, always the box with the widest channel range at
// its pixel-weighted median; returns each box's weighted mean.
QList<QRgb> medianCut(std::vector<Colour> colours, int boxes)
{
    std::vector<std::vector<Colour>> parts;
    if (!colours.empty())
        parts.push_back(std::move(colours));
    while (int(parts.size()) < boxes) {
        int best = -1;
        std::pair<int, int> bestChannel {0, 0};
        for (int i = 0; i < int(parts.size()); ++i) {
            if (parts[std::size_t(i)].size() < 2)
                continue;
            const std::pair<int, int> widest = widestChannel(parts[std::size_t(i)]);
            if (best < 0 || widest.second > bestChannel.second) {
                best = i;
                bestChannel = widest;
            }
        }
        if (best < 0)
            break;
        std::vector<Colour> &box = parts[std::size_t(best)];
        const int which = bestChannel.first;
        std::sort(box.begin(), box.end(), [which](const Colour &a, const Colour &b) {
            return channel(a.rgb, which) < channel(b.rgb, which);
        });
        qint64 total = 0;
        for (const Colour &colour : box)
            total += colour.count;
        qint64 seen = 0;
        std::size_t cut = 1;
        while (cut < box.size() - 1 && (seen += box[cut - 1].count) < total / 2)
            ++cut;
        std::vector<Colour> upper(box.begin() + std::ptrdiff_t(cut), box.end());
        box.resize(cut);
        parts.push_back(std::move(upper));
    }
    QList<QRgb> means;
    for (const std::vector<Colour> &box : parts) {
        std::array<qint64, 3> sums {};
        qint64 total = 0;
        for (const Colour &colour : box) {
            for (int which = 0; which < 3; ++which)
                sums[std::size_t(which)] += channel(colour.rgb, which) * colour.count;
            total += colour.count;
        }
        means.append(qRgb(int(sums[0] / total), int(sums[1] / total), int(sums[2] / total)));
    }
    return means;
}

int nearest(QRgb rgb, const QList<QRgb> &palette)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(rgb) - qRed(palette[i]);
        const int dg = qGreen(rgb) - qGreen(palette[i]);
        const int db = qBlue(rgb) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}
} // namespace

QImage fromRgb(const QImage &source)
{
    if (source.isNull())
        return QImage();
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    ColourTable table;
    countColours(image, &table);

    std::vector<Colour> colours;
    for (int slot = 0; slot < table.capacity(); ++slot) {
        if (table.key(slot) != 0)
            colours.push_back({table.key(slot), table.count(slot)});
    }
    std::sort(colours.begin(), colours.end(),
              [](const Colour &a, const Colour &b) { return a.count > b.count; });

    QList<QRgb> palette;
    const std::size_t exact
        = colours.size() <= std::size_t(PALETTE_SIZE) ? colours.size() : std::size_t(EXACT_COLOURS);
    for (std::size_t i = 0; i < exact; ++i)
        palette.append(colours[i].rgb | 0xFF000000u); // opaque entries: no transparency chunk
    palette
        += medianCut(std::vector<Colour>(colours.begin() + std::ptrdiff_t(exact), colours.end()),
                     PALETTE_SIZE - int(exact));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const QRgb pixel = colours[i].rgb;
        table.index(table.find(pixel)) = uchar(i < exact ? int(i) : nearest(pixel, palette));
    }

    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        QRgb last = line[0];
        uchar value = table.index(table.find(last));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != last) {
                last = line[x];
                value = table.index(table.find(last));
            }
            out[x] = value;
        }
    }
    return indexed;
}

} // namespace IndexedImage
