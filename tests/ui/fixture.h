#pragma once
// What the window tests share: a platform that records its calls, a copy of
// the game folder, and ways to reach and compare the window's controls.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "core/data_files.h"
#include "core/highscore.h"
#include "platform/platform.h"
#include "ui/form1.h"
#include "ui/picture_control.h"

namespace fifteen::testing {

struct FakePlatform : Platform {
    QString dir;
    QString table_folder;  // where the table lives, when not beside the program
    QStringList launched;
    int pauses = 0;
    QStringList sounds;  // file names, in order
    QList<QUrl> opened;
    QStringList reports;
    std::vector<int> ended;
    std::function<void(const QString&)> on_sound;

    [[nodiscard]] QString app_dir() const override { return dir; }
    [[nodiscard]] QString table_dir() const override { return table_folder.isEmpty() ? dir : table_folder; }
    [[nodiscard]] bool launch(const QString& program) override
    {
        launched << program;
        return QFileInfo(program).isExecutable();
    }
    void startup_pause() override { ++pauses; }
    void play_sound(const QString& path) override
    {
        if (on_sound)
            on_sound(path);
        sounds << QFileInfo(path).fileName();
    }
    void open_url(const QUrl& url) override { opened << url; }
    void report(const QString& line) override { reports << line; }
    void end_program(int status) override { ended.push_back(status); }
};

// A private copy of the built game folder, without a high-score file, in
// the temporary folder or below `parent`.
class GameFolder {
public:
    explicit GameFolder(const QString& parent = {}, bool copy = true)
        : dir_(parent.isEmpty() ? QDir::tempPath() + QStringLiteral("/game-XXXXXX") : parent + QStringLiteral("/game-XXXXXX"))
    {
        if (!copy)
            return;
        const QDir source(QStringLiteral(FIFTEEN_GAME_DIR));
        for (const QString& name : source.entryList(QDir::Files))
            if (name != QLatin1String("fifteen") && name != QLatin1String("HIGHSCORE.RES"))
                QFile::copy(source.filePath(name), dir_.filePath(name));
    }
    [[nodiscard]] QString path() const { return dir_.path(); }
    [[nodiscard]] QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const { put(file(name), bytes); }
    [[nodiscard]] QByteArray read(const QString& name) const { return get(file(name)); }
    static void put(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        f.write(bytes);
    }
    [[nodiscard]] static QByteArray get(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void append_byte(const QString& name) const { write(name, read(name) + 'x'); }
    void remove(const QString& name) const { QFile::remove(file(name)); }

private:
    QTemporaryDir dir_;
};

// The default table as the game stores it.
inline const QByteArray kDefaultFile =
    QByteArray(kDefaultTableText.data(), qsizetype(kDefaultTableText.size())) + "\r\n";

// A started game in its own folder.
struct Game {
    GameFolder folder;
    FakePlatform platform;
    std::unique_ptr<Form1> form;

    explicit Game(const QByteArray& highscore = kDefaultFile, bool load = true, const QString& parent = {},
                  const QString& table_folder = {})
        : folder(parent)
    {
        if (!highscore.isNull())
            folder.write("HIGHSCORE.RES", highscore);
        platform.dir = folder.path();
        platform.table_folder = table_folder;
        form = std::make_unique<Form1>(platform);
        if (load)
            form->Form_Load();
    }

    // A second game started from the folder of `other`, as a second copy of
    // the program would be.
    struct SameFolder {};
    Game(const Game& other, SameFolder) : folder(QString(), false)
    {
        platform.dir = other.folder.path();
        form = std::make_unique<Form1>(platform);
        form->Form_Load();
    }

    template <class T = QWidget>
    [[nodiscard]] T* control(const QString& name) const
    {
        T* found = form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    [[nodiscard]] PictureControl* picture(const QString& name) const { return control<PictureControl>(name); }
    [[nodiscard]] PictureControl* tile(int n) const { return picture(QStringLiteral("Image%1").arg(n)); }
    [[nodiscard]] QString caption(const QString& name) const { return control<QLabel>(name)->text(); }

    // A real click and a real pointer move, routed by the window.
    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    void click_tile(int n) const { click(tile(n)); }
    // Each move lands one pixel beside the last, so that it is a real move.
    void move_over(QWidget* w) { QTest::mouseMove(w, w->rect().center() + QPoint(nudge(), 0)); }
    void move_over_background() { QTest::mouseMove(form.get(), QPoint(350 + nudge(), 20)); }
    int nudge() { return jiggle_ = 1 - jiggle_; }
    int jiggle_ = 0;
};

// A picture file as an ordinary screen shows it: one drawn at more than 96
// dots per inch at its size on the screen, decoded to that size.
inline QImage file_picture(const QString& path)
{
    QImageReader probe(path, "jpeg");
    const QImage full = probe.read();
    const int dpi = qRound(full.dotsPerMeterX() * 0.0254);
    if (dpi <= 96)
        return full.convertToFormat(QImage::Format_RGB32);
    QImageReader reader(path, "jpeg");
    reader.setScaledSize(full.size() * 96 / dpi);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

inline bool shows(const PictureControl* control, const QString& path)
{
    QImage shown = control->picture().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1);
    return shown == file_picture(path);
}

inline QString tile_name(int value)
{
    return QString::fromStdString(fifteen::tile_file(value));
}

// Tiles 15..1 in reading order with the gap in `gap_cell`: never solved.
inline Cells reversed_with_gap(int gap_cell)
{
    Cells cells{};
    int value = 15;
    for (int cell = 1; cell <= 16; ++cell)
        cells[std::size_t(cell - 1)] = cell == gap_cell ? 0 : value--;
    return cells;
}

// One move (cell 16 into cell 15) before the solved order.
inline const Cells kNearlySolved{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15};

// Plays the winning move with `moves_before` moves already counted.
inline void win(Game& game, std::int16_t moves_before)
{
    game.form->set_cells_for_testing(kNearlySolved);
    game.form->set_move_count_for_testing(moves_before);
    game.click_tile(16);
}

}  // namespace fifteen::testing
