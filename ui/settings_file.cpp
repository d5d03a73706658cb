#include "ui/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryFile>
#include <map>
#include <utility>

namespace rux::ui {
namespace {

// Settings files are a few hundred bytes; a larger one is damaged and only
// its beginning is read.
constexpr qint64 kMaxFileSize = 1 << 20;

// Window coordinates and sizes beyond these are taken as damage.
constexpr int kMaxCoordinate = 100000;

const char* const kStylePrefixes[kTextStyleCount] = {"main", "bold", "input", "status", "scroll"};

// Keys in the colours section: text colours by style, then the three
// backgrounds. Their order is the order they are written in.
struct ColourKey {
    const char* key;
    QColor (*get)(const DisplayOptions&);
    void (*set)(DisplayOptions&, const QColor&);
};

template <TextStyle style> QColor textColour(const DisplayOptions& o) {
    return o.font(style).colour;
}
template <TextStyle style> void setTextColour(DisplayOptions& o, const QColor& c) {
    o.font(style).colour = c;
}
template <QColor DisplayOptions::*field> QColor background(const DisplayOptions& o) {
    return o.*field;
}
template <QColor DisplayOptions::*field> void setBackground(DisplayOptions& o, const QColor& c) {
    o.*field = c;
}

const ColourKey kColourKeys[] = {
    {"mainbg", background<&DisplayOptions::textBackground>,
     setBackground<&DisplayOptions::textBackground>},
    {"main", textColour<TextStyle::Normal>, setTextColour<TextStyle::Normal>},
    {"bold", textColour<TextStyle::Bold>, setTextColour<TextStyle::Bold>},
    {"input", textColour<TextStyle::Input>, setTextColour<TextStyle::Input>},
    {"statusbg", background<&DisplayOptions::statusBackground>,
     setBackground<&DisplayOptions::statusBackground>},
    {"status", textColour<TextStyle::Status>, setTextColour<TextStyle::Status>},
    {"scrollbg", background<&DisplayOptions::scrollBackground>,
     setBackground<&DisplayOptions::scrollBackground>},
    {"scroll", textColour<TextStyle::Scroll>, setTextColour<TextStyle::Scroll>},
};

// The parsed file: section and key (both lower case, as INI files compare
// them without regard to case) to the value text.
using IniValues = std::map<std::pair<QString, QString>, QString>;

IniValues parseIni(const QString& text) {
    IniValues values;
    QString section;
    for (QString line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            const qsizetype end = line.indexOf(']');
            section = end > 0 ? line.mid(1, end - 1).trimmed().toLower() : QString();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || section.isEmpty()) continue;
        values.try_emplace({section, line.left(equals).trimmed().toLower()},
                           line.mid(equals + 1).trimmed());
    }
    return values;
}

class Reader {
  public:
    explicit Reader(IniValues values) : values_(std::move(values)) {}

    const QString* text(const char* section, const QString& key) const {
        const auto found = values_.find({QString::fromLatin1(section), key});
        return found == values_.end() ? nullptr : &found->second;
    }
    void readInt(const char* section, const QString& key, int& value) const {
        if (const QString* t = text(section, key)) {
            bool ok = false;
            const int read = t->toInt(&ok, 10);
            if (ok) value = read;
        }
    }
    void readDouble(const char* section, const QString& key, double& value) const {
        if (const QString* t = text(section, key)) {
            bool ok = false;
            const double read = t->toDouble(&ok); // always '.', never the locale's comma
            if (ok) value = read;
        }
    }
    void readColour(const char* section, const QString& key, QColor& value) const {
        int reference = -1;
        readInt(section, key, reference);
        if (reference >= 0 && reference <= 0xFFFFFF) value = colourFromReference(reference);
    }
    void readString(const char* section, const QString& key, QString& value) const {
        if (const QString* t = text(section, key); t && !t->isEmpty()) value = *t;
    }

  private:
    IniValues values_;
};

bool folderIsWritable(const QString& folder) {
    // Trying is the only sure test: permission bits say nothing about
    // read-only mounts, and they do not stop an administrator.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".winrux-probe-XXXXXX")));
    return probe.open();
}

} // namespace

int colourReference(const QColor& colour) {
    return colour.red() | colour.green() << 8 | colour.blue() << 16;
}

QColor colourFromReference(int reference) {
    return QColor(reference & 0xFF, (reference >> 8) & 0xFF, (reference >> 16) & 0xFF);
}

QString settingsFileBesideExecutable(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    QString name = executable.fileName();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot > 0) name.truncate(dot);
    return executable.dir().filePath(name + QStringLiteral(".INI"));
}

QString settingsFilePath(const QString& executablePath) {
    const QString beside = settingsFileBesideExecutable(executablePath);
    const QFileInfo besideInfo(beside);
    if (folderIsWritable(besideInfo.absolutePath())) return beside;
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (userFolder.isEmpty()) return beside;
    return QDir(userFolder).filePath(besideInfo.fileName());
}

WindowSettings parseSettings(const QString& text) {
    const Reader reader(parseIni(text));
    WindowSettings settings;
    DisplayOptions& display = settings.display;

    for (const ColourKey& entry : kColourKeys) {
        QColor colour = entry.get(display);
        reader.readColour("colours", QString::fromLatin1(entry.key), colour);
        entry.set(display, colour);
    }
    for (int i = 0; i < kTextStyleCount; ++i) {
        const QString prefix = QString::fromLatin1(kStylePrefixes[i]);
        StyleFont& font = display.fonts[i];
        reader.readString("fonts", prefix + "name", font.name);
        reader.readInt("fonts", prefix + "size", font.pointSize);
        reader.readInt("fonts", prefix + "style", font.styleBits);
    }

    int left = settings.geometry.left(), top = settings.geometry.top();
    int width = settings.geometry.width(), height = settings.geometry.height();
    reader.readInt("geometry", "left", left);
    reader.readInt("geometry", "top", top);
    reader.readInt("geometry", "width", width);
    reader.readInt("geometry", "height", height);
    const QRect defaults = settings.geometry;
    if (left < -kMaxCoordinate || left > kMaxCoordinate) left = defaults.left();
    if (top < -kMaxCoordinate || top > kMaxCoordinate) top = defaults.top();
    if (width < 1 || width > kMaxCoordinate) width = defaults.width();
    if (height < 1 || height > kMaxCoordinate) height = defaults.height();
    settings.geometry = QRect(left, top, width, height);

    reader.readInt("display", "margin", display.margin);
    reader.readDouble("display", "linespacing", display.lineSpacing);
    int toolbar = settings.toolbarVisible ? 1 : 0;
    reader.readInt("display", "toolbar", toolbar);
    settings.toolbarVisible = toolbar != 0;

    for (int i = 0; i < static_cast<int>(settings.history.size()); ++i)
        reader.readString("history", QStringLiteral("file%1").arg(i + 1), settings.history[i]);

    display = sanitised(display);
    return settings;
}

QString formatSettings(const WindowSettings& settings) {
    const DisplayOptions& display = settings.display;
    QString text;
    auto line = [&text](const QString& key, const QString& value) {
        text += key + '=' + value + '\n';
    };

    text += "[colours]\n";
    for (const ColourKey& entry : kColourKeys)
        line(QString::fromLatin1(entry.key), QString::number(colourReference(entry.get(display))));

    text += "\n[fonts]\n";
    for (int i = 0; i < kTextStyleCount; ++i) {
        const QString prefix = QString::fromLatin1(kStylePrefixes[i]);
        const StyleFont& font = display.fonts[i];
        line(prefix + "name", font.name);
        line(prefix + "size", QString::number(font.pointSize));
        line(prefix + "style",
             QString::number(font.styleBits & (kBoldBit | kItalicBit | kUnderlineBit)));
    }

    text += "\n[geometry]\n";
    line("top", QString::number(settings.geometry.top()));
    line("left", QString::number(settings.geometry.left()));
    line("height", QString::number(settings.geometry.height()));
    line("width", QString::number(settings.geometry.width()));

    text += "\n[display]\n";
    line("margin", QString::number(display.margin));
    line("linespacing", QString::number(display.lineSpacing, 'g', QLocale::FloatingPointShortest));
    line("toolbar", settings.toolbarVisible ? "1" : "0");

    text += "\n[history]\n";
    for (int i = 0; i < static_cast<int>(settings.history.size()); ++i) {
        // A path with a line break cannot be stored; the entry stays free.
        const QString& path = settings.history[i];
        const bool storable = !path.contains('\n') && !path.contains('\r');
        line(QStringLiteral("file%1").arg(i + 1), storable ? path : QString());
    }
    return text;
}

QString decodeSettings(const QByteArray& bytes) {
    // Written as UTF-8; a file saved by an editor in a single-byte code page
    // is read as Latin-1 rather than losing its umlauts.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

WindowSettings readSettings(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return WindowSettings{};
    return parseSettings(decodeSettings(file.read(kMaxFileSize)));
}

bool writeSettings(const QString& path, const WindowSettings& settings) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) return false;
    // Written beside and then renamed, so a failure never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = formatSettings(settings).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace rux::ui
