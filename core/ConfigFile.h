// ConfigFile: the .mv100 configuration file: its 256 text lines, read into a configuration value
// whole or refused with a reason, and written atomically.
#pragma once

#include "Mv100Config.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class ConfigFile
{
    Q_DECLARE_TR_FUNCTIONS(ConfigFile)

public:
    // Line numbers (0-based) of the items of a configuration file.
    enum Line {
        LINE_PIN = 0,
        LINE_CUSTOM_DATA = 1,
        LINE_LOCK_KEYS = 2,
        LINE_MOUSE = 3,
        LINE_BACKLIGHT = 4,
        LINE_LED = 5,
        LINE_LOCK_MODE = 6,
        LINE_FIRST_BLOCK = 7,
        LINE_LAST_BLOCK = LINE_FIRST_BLOCK + MV100::BLOCK_COUNT - 1, // 254
        LINE_DEBOUNCE = LINE_LAST_BLOCK + 1,                         // 255
    };
    static constexpr int FULL_LINE_COUNT = LINE_DEBOUNCE + 1; // 256
    // Older files end with the image; their debounce time is the default.
    static constexpr int MIN_LINE_COUNT = LINE_LAST_BLOCK + 1; // 255
    // A configuration file is about 33 KB; a far larger one was chosen by mistake.
    static constexpr qint64 MAX_FILE_SIZE = 1024 * 1024;

    // Why a file or a list of lines is refused: the 1-based line (0 = the file as a whole) and
    // the reason, a sentence that follows "The file ... cannot be opened: ".
    struct Refusal
    {
        int line = 0;
        QString reason;
        bool isEmpty() const { return reason.isEmpty(); }
    };

    // The lines of a configuration; an empty PIN or custom-data text is written as its default,
    // since an empty line would be skipped on reading and shift every later line.
    static QList<QString> toLines(const Mv100Config &config);
    // Nothing when the lines form a configuration that fromLines takes whole; else the refusal.
    static Refusal check(const QList<QString> &lines);
    // The configuration of the lines, its settings normalised; false (config untouched) with
    // the refusal when check refuses them.
    static bool fromLines(const QList<QString> &lines, Mv100Config *config, Refusal *refusal = nullptr);

    // The non-empty lines of a UTF-16 LE text file. Only regular files are opened (never a FIFO,
    // device or directory, so nothing can block), at most MAX_FILE_SIZE bytes are read, and
    // text in another encoding or binary data is refused with a reason that says so.
    static bool readLines(const QString &fileName, QList<QString> *lines, Refusal *refusal);
    // readLines and fromLines in one.
    static bool read(const QString &fileName, Mv100Config *config, Refusal *refusal = nullptr);

    // Every line with a bare LF in UTF-16 LE without byte-order mark; the file is replaced only
    // once all of it has been written, so a failure leaves an existing file as it was.
    static bool writeLines(const QString &fileName, const QList<QString> &lines, QString *error);
    static bool write(const QString &fileName, const Mv100Config &config, QString *error);

    // The lines of a file's content (the bytes as read), refused like readLines.
    static bool linesOfBytes(const QByteArray &bytes, QList<QString> *lines, Refusal *refusal);
};
