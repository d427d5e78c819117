// Draws and synthesises every picture and sound of the game.
//   fifteen-datagen GAME_DIR DESIGN_DIR
// GAME_DIR receives the data files the game loads at run time, DESIGN_DIR the
// pictures built into the program (background, icon, cursors, layout looks).
#include <QDir>
#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "art.h"
#include "core/data_files.h"
#include "jpeg_fit.h"
#include "wav.h"

using namespace fifteen;
using namespace fifteen::datagen;

namespace {

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "fifteen-datagen: %s\n", qPrintable(what));
    std::exit(1);
}

// Writes the whole file, or says why not: a file is in place only once
// every byte reached it, so a full disk never leaves a cut-off data file
// that a later build would take for a finished one.
void write_file(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format))
        fail(QStringLiteral("cannot encode a picture as %1").arg(format));
    return bytes;
}

void write_jpeg(const QString& path, const QImage& image, std::uintmax_t size)
{
    const auto fitted = fit_jpeg(image, static_cast<qsizetype>(size));
    if (!fitted)
        fail(QStringLiteral("%1 (%2 x %3) does not fit in %4 bytes at any quality")
                 .arg(path).arg(image.width()).arg(image.height()).arg(size));
    write_file(path, fitted->bytes);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3)
        fail(QStringLiteral("usage: fifteen-datagen GAME_DIR DESIGN_DIR"));
    const QString game = QString::fromLocal8Bit(argv[1]);
    const QString design = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(game) || !QDir().mkpath(design))
        fail(QStringLiteral("cannot create the output folders"));

    // How each data file of the game's list is made, by its name.
    std::map<std::string, std::function<QImage()>> pictures{
        {"ENTERYOURNAME.JPG", [] { return name_panel(); }},
        {"OK1.JPG", [] { return ok_button(false); }},
        {"OK2.JPG", [] { return ok_button(true); }},
        {"STARTOVER1.JPG", [] { return startover(true); }},
        {"STARTOVER2.JPG", [] { return startover(false); }},
        {"KELVANE1.JPG", [] { return logo(false); }},
        {"KELVANE2.JPG", [] { return logo(true); }},
        {"WELLDONE1.JPG", [] { return welldone(false); }},
        {"WELLDONE2.JPG", [] { return welldone(true); }},
    };
    for (int value = 0; value <= 15; ++value)
        pictures[tile_file(value)] = [value] { return tile(value); };
    const std::map<std::string, std::function<std::string(std::uintmax_t)>> sounds{
        {"001.WAV", [](std::uintmax_t size) { return wav_file(click_sound(size)); }},
        {"002.WAV", [](std::uintmax_t size) { return wav_file(jingle_sound(size)); }},
    };
    for (const DataFile& file : kDataFiles) {
        if (file.name == kHighscoreFile || file.name == kSiblingProgram)
            continue;  // the players' table, and a program of its own build
        const std::string name(file.name);
        const QString path = game + '/' + QString::fromStdString(name);
        if (const auto picture = pictures.find(name); picture != pictures.end())
            write_jpeg(path, picture->second(), file.size);
        else if (const auto sound = sounds.find(name); sound != sounds.end())
            write_file(path, QByteArray::fromStdString(sound->second(file.size)));
        else
            fail(QStringLiteral("no way to make %1").arg(path));
    }

    // The window's own pictures. Those that share a look with a data file
    // are the same bytes.
    write_jpeg(design + "/background.jpg", background(), 59724);
    write_jpeg(design + "/tile.jpg", tile_design(), 1772);
    const std::pair<const char*, const char*> shared[] = {
        {"STARTOVER2.JPG", "startover_normal.jpg"}, {"STARTOVER1.JPG", "startover_lit.jpg"},
        {"KELVANE1.JPG", "logo.jpg"},                {"WELLDONE1.JPG", "welldone.jpg"},
        {"ENTERYOURNAME.JPG", "name_panel.jpg"},      {"OK1.JPG", "ok.jpg"},
    };
    for (const auto& [from, to] : shared) {
        QFile source(game + '/' + from);
        if (!source.open(QIODevice::ReadOnly))
            fail(QStringLiteral("cannot read %1: %2").arg(from, source.errorString()));
        write_file(design + '/' + to, source.readAll());
    }
    // The cursors as XPM text, which the game reads without a picture
    // library; written from full colour, the one form whose clear pixels the
    // XPM writer keeps.
    const auto xpm = [](const QImage& cursor) { return encoded(cursor.convertToFormat(QImage::Format_ARGB32), "XPM"); };
    write_file(design + "/cursor.xpm", xpm(pointer_cursor()));
    write_file(design + "/startover_cursor.xpm", xpm(hand_cursor()));
    for (int size : look::kIconSizes)
        write_file(design + QStringLiteral("/icon-%1.png").arg(size), encoded(icon(size), "PNG"));
    return 0;
}
