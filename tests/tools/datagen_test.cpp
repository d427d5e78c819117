// The generated game folder and the pieces that make it.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>

#include "core/data_files.h"
#include "datagen/art.h"
#include "datagen/jpeg_fit.h"
#include "datagen/wav.h"

using namespace fifteen;
using namespace fifteen::datagen;

namespace {

QSize picture_size(const QString& name)
{
    if (name.startsWith(QLatin1String("0")) && name.endsWith(QLatin1String(".JPG")))
        return {80, 80};
    const QMap<QString, QSize> sizes{
        {"ENTERYOURNAME.JPG", {132, 47}}, {"OK1.JPG", {31, 16}},        {"OK2.JPG", {31, 16}},
        {"STARTOVER1.JPG", {206, 35}},    {"STARTOVER2.JPG", {206, 35}}, {"KELVANE1.JPG", {105, 29}},
        {"KELVANE2.JPG", {105, 29}},      {"WELLDONE1.JPG", {132, 170}}, {"WELLDONE2.JPG", {132, 170}},
    };
    return sizes.value(name);
}

QImage decoded(const QString& path)
{
    QImageReader reader(path, "jpeg");
    return reader.read();
}

int dots_per_inch(const QImage& image)
{
    return qRound(image.dotsPerMeterX() * 0.0254);
}

// Decoded at its size on an ordinary screen: half its pixels each way.
QImage on_screen(const QString& path)
{
    QImageReader reader(path, "jpeg");
    reader.setScaledSize(reader.size() / 2);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

QImage through_jpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return QImage::fromData(bytes, "JPEG").convertToFormat(QImage::Format_RGB32);
}

// Mean absolute difference per colour channel, 0..255.
double mean_difference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

}  // namespace

class DatagenTest : public QObject {
    Q_OBJECT
private slots:
    void gameFolderHoldsEveryFileAtItsSize()
    {
        const QDir game(QStringLiteral(FIFTEEN_GAME_DIR));
        for (const DataFile& file : kDataFiles) {
            const QString name = QString::fromLatin1(file.name.data(), qsizetype(file.name.size()));
            if (file.name == kHighscoreFile)
                continue;  // made by the game's first start, never by the build
            QFileInfo info(game.filePath(name));
            QVERIFY2(info.exists(), qPrintable(name));
            QCOMPARE(std::uintmax_t(info.size()), file.size);
            if (name.endsWith(QLatin1String(".JPG"))) {
                // Twice the size it shows at, and marked so.
                const QImage image = decoded(info.filePath());
                QVERIFY2(!image.isNull(), qPrintable(name));
                QCOMPARE(image.size(), picture_size(name) * 2);
                QCOMPARE(dots_per_inch(image), 192);
            }
        }
        QVERIFY(QFileInfo(game.filePath("ZUROZO.EXE")).isExecutable());
    }

    void tilesAreDistinctAndLitLooksAreBrighter()
    {
        const QDir game(QStringLiteral(FIFTEEN_GAME_DIR));
        QSet<QByteArray> seen;
        for (int v = 0; v <= 15; ++v) {
            const QImage tile = decoded(game.filePath(QString::asprintf("%03d.JPG", v)));
            QByteArray bits(reinterpret_cast<const char*>(tile.constBits()), tile.sizeInBytes());
            QVERIFY(!seen.contains(bits));
            seen.insert(bits);
        }
        auto brightness = [&](const char* name) {
            const QImage image = decoded(game.filePath(QLatin1String(name))).convertToFormat(QImage::Format_Grayscale8);
            double sum = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    sum += image.constScanLine(y)[x];
            return sum / (image.width() * image.height());
        };
        QVERIFY(brightness("STARTOVER1.JPG") > brightness("STARTOVER2.JPG") + 10);
        QVERIFY(brightness("KELVANE2.JPG") > brightness("KELVANE1.JPG") + 5);
        QVERIFY(brightness("OK2.JPG") > brightness("OK1.JPG") + 10);
    }

    void generatorWritesItsFilesAndLeavesTheTableAlone()
    {
        QTemporaryDir dir;
        const QString game = dir.filePath("game");
        QVERIFY(QDir().mkpath(game));
        QFile table(game + "/HIGHSCORE.RES");
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("MINE.1.");
        table.close();
        QProcess generator;
        generator.start(QStringLiteral(FIFTEEN_DATAGEN), {game, dir.filePath("design")});
        QVERIFY(generator.waitForFinished(60000));
        QCOMPARE(generator.exitCode(), 0);
        QStringList expected;
        for (const DataFile& file : kDataFiles)
            if (file.name != kSiblingProgram)
                expected << QString::fromLatin1(file.name.data(), qsizetype(file.name.size()));
        expected.sort();
        QStringList written = QDir(game).entryList(QDir::Files);
        written.sort();
        QCOMPARE(written, expected);
        QVERIFY(table.open(QIODevice::ReadOnly));
        QCOMPARE(table.readAll(), QByteArray("MINE.1."));
        // Ten design pictures and the icon at every size, each the same art
        // as the 32-pixel one.
        QCOMPARE(QDir(dir.filePath("design")).entryList(QDir::Files).size(), 10 + qsizetype(look::kIconSizes.size()));
        const QImage window_icon = QImage(dir.filePath("design/icon-32.png")).convertToFormat(QImage::Format_RGB32);
        for (int size : look::kIconSizes) {
            const QImage big(dir.filePath(QStringLiteral("design/icon-%1.png").arg(size)));
            QCOMPARE(big.size(), QSize(size, size));
            // Scaled back down it matches the window icon: a gold tile top
            // left, the dark gap bottom right.
            const QImage small = big.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                     .convertToFormat(QImage::Format_RGB32);
            for (const QPoint at : {QPoint(4, 4), QPoint(24, 24)}) {
                const QColor a = small.pixelColor(at), b = window_icon.pixelColor(at);
                QVERIFY(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 24);
            }
        }
    }

    void designPicturesAtTheirSizes()
    {
        const QDir design(QStringLiteral(FIFTEEN_DESIGN_DIR));
        QCOMPARE(QFileInfo(design.filePath("background.jpg")).size(), 59724);
        QCOMPARE(QFileInfo(design.filePath("tile.jpg")).size(), 1772);
        QCOMPARE(decoded(design.filePath("background.jpg")).size(), QSize(1000, 858));
        QCOMPARE(decoded(design.filePath("tile.jpg")).size(), QSize(160, 160));
        QCOMPARE(dots_per_inch(decoded(design.filePath("background.jpg"))), 192);
        QCOMPARE(QImage(design.filePath("icon-32.png")).size(), QSize(32, 32));
        // The pointers are drawn at twice their 32 pixels and keep their
        // clear surround through the XPM text.
        for (const char* name : {"cursor.xpm", "startover_cursor.xpm"}) {
            const QImage cursor(design.filePath(QLatin1String(name)));
            QCOMPARE(cursor.size(), QSize(64, 64));
            QVERIFY(cursor.colorCount() <= 16);
            QCOMPARE(qAlpha(cursor.pixel(63, 63)), 0);
        }
    }

    void theLogoCarriesTheBackgroundsStripes()
    {
        // The logo's outermost pixel (two at twice the size) all round,
        // against the background at the same place: the felt and its
        // stripes run on through it, as far as JPEG lets them. Drawn on a
        // rectangle of its own, it differed by 2.7 levels.
        const QImage background =
            decoded(QStringLiteral(FIFTEEN_DESIGN_DIR "/background.jpg")).convertToFormat(QImage::Format_RGB32);
        const QPoint origin(look::kLogo.x * 2, look::kLogo.y * 2);
        for (const char* name : {"KELVANE1.JPG", "KELVANE2.JPG"}) {
            const QImage logo =
                decoded(QStringLiteral(FIFTEEN_GAME_DIR "/") + QLatin1String(name)).convertToFormat(QImage::Format_RGB32);
            double sum = 0;
            int count = 0;
            for (int y = 0; y < logo.height(); ++y)
                for (int x = 0; x < logo.width(); ++x) {
                    if (x >= 2 && y >= 2 && x < logo.width() - 2 && y < logo.height() - 2)
                        continue;
                    const QRgb a = logo.pixel(x, y), b = background.pixel(origin + QPoint(x, y));
                    sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
                    count += 3;
                }
            qInfo("figures: %s differs from the background under its edge by %.2f levels", name, sum / count);
            QVERIFY(sum / count < 2.0);
        }
    }

    void twiceTheSizeLooksAsBeforeOnAnOrdinaryScreen()
    {
        // Each picture, shown at its size, against the same art drawn one
        // pixel per screen pixel, as the old files held it (at qualities of
        // 98 to 100). The measure is the mean absolute difference per colour
        // channel (0..255). JPEG noise is what a JPEG of quality 75 does to
        // that drawing; one level more is allowed, since text measured at
        // twice the size can land a fraction of a pixel apart. The qualities
        // the fitter chose are figures too.
        std::map<QString, std::function<QImage()>> art{
            {"OK1.JPG", [] { return ok_button(false); }},     {"OK2.JPG", [] { return ok_button(true); }},
            {"KELVANE1.JPG", [] { return logo(false); }},     {"KELVANE2.JPG", [] { return logo(true); }},
            {"STARTOVER1.JPG", [] { return startover(true); }}, {"STARTOVER2.JPG", [] { return startover(false); }},
            {"WELLDONE1.JPG", [] { return welldone(false); }}, {"WELLDONE2.JPG", [] { return welldone(true); }},
            {"ENTERYOURNAME.JPG", [] { return name_panel(); }},
        };
        for (int value = 0; value <= 15; ++value)
            art[QString::asprintf("%03d.JPG", value)] = [value] { return tile(value); };
        const QDir game(QStringLiteral(FIFTEEN_GAME_DIR));
        for (const auto& [name, draw] : art) {
            QImage before;
            {
                const DrawScale one(1);
                before = draw().convertToFormat(QImage::Format_RGB32);
            }
            const QImage shown = on_screen(game.filePath(name));
            QCOMPARE(shown.size(), before.size());
            const double difference = mean_difference(shown, before);
            const double noise = mean_difference(through_jpeg(before, 75), before);
            const auto fitted = fit_jpeg(draw(), qsizetype(QFileInfo(game.filePath(name)).size()));
            QVERIFY(fitted);
            qInfo("figures: %s quality %d, %.2f from the old drawing, JPEG noise %.2f", qPrintable(name),
                  fitted->quality, difference, noise);
            QVERIFY2(difference <= noise + 1, qPrintable(name));
        }
    }

    void paddingReachesTheExactSizeOrRefuses()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const auto fitted = fit_jpeg(image, 70000);  // more than one comment segment
        QVERIFY(fitted);
        QCOMPARE(fitted->bytes.size(), 70000);
        QCOMPARE(fitted->quality, 100);
        QImage back;
        QVERIFY(back.loadFromData(fitted->bytes, "jpeg"));
        QCOMPARE(back.size(), image.size());

        // The comment goes right after the JFIF header.
        const QByteArray& b = fitted->bytes;
        QCOMPARE(uchar(b[2]), uchar(0xFF));
        QCOMPARE(uchar(b[3]), uchar(0xE0));
        const int after_header = 4 + (uchar(b[4]) << 8 | uchar(b[5]));
        QCOMPARE(uchar(b[after_header + 1]), uchar(0xFE));

        QVERIFY(!fit_jpeg(image, 100));  // smaller than any JPEG of it
        QVERIFY(!pad_jpeg(QByteArray("not a jpeg"), 200));

        const auto exact = fit_jpeg(image, 5000);
        QVERIFY(exact);
        const QByteArray bare = exact->bytes;
        for (int shortfall : {1, 2, 3})
            QVERIFY(!pad_jpeg(bare, bare.size() + shortfall));
        QCOMPARE(pad_jpeg(bare, bare.size() + 4)->size(), bare.size() + 4);
    }

    void soundsAreSixteenBitMonoAtTheirSizes()
    {
        for (std::size_t size : {std::size_t(3078), std::size_t(39952)}) {
            const std::string wav = wav_file(size == 3078 ? click_sound(size) : jingle_sound(size));
            QCOMPARE(wav.size(), size);
            QCOMPARE(wav.substr(0, 4), std::string("RIFF"));
            QCOMPARE(wav.substr(8, 8), std::string("WAVEfmt "));
            QCOMPARE(int(uchar(wav[22])), 1);                     // mono
            QCOMPARE(int(uchar(wav[24])) | int(uchar(wav[25])) << 8, kSampleRate);
            QCOMPARE(int(uchar(wav[34])), 16);                    // bits per sample
        }
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, (void)click_sound(45));
    }
};

QTEST_MAIN(DatagenTest)
#include "datagen_test.moc"
