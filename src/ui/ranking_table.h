#pragma once
// The ranking table as one thing: the twenty labels that show it, the text
// and the file that keep it, the lock that two games share, and what this
// game last read or stored.
#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/highscore.h"
#include "platform/table_lock.h"

namespace fifteen {

class Platform;
class TextLabel;
struct FilePrefix;

class RankingTable {
public:
    using Labels = std::array<TextLabel*, kPlaces>;
    RankingTable(const Labels& names, const Labels& scores, Platform& platform);

    void set_path(const QString& path) { path_ = path; }
    [[nodiscard]] const QString& path() const { return path_; }

    // The stored table's first kReadLimit bytes, all that the reader takes;
    // the default table's text, for the session, when there is none or it
    // cannot be read (said once). With the lock held, what a killed save left
    // beside the table is cleared away first.
    [[nodiscard]] QByteArray read_stored(const TableLock& lock);
    // Shows a stored table from its first bytes: the places that read in
    // their order, the empty ones after them; the default table when no place
    // reads.
    void show_text(const QByteArray& bytes);
    // The places that read in the text last shown.
    [[nodiscard]] int places_read() const { return places_read_; }
    // Held while the stored table is read again, a result ranked, recorded
    // and stored.
    [[nodiscard]] TableLock lock() const { return TableLock(path_); }
    // Reads the stored table again under the lock, and shows it when another
    // game changed it since this one last read or stored it. Throws
    // SaveFailure, and nothing may be stored, when the lock is not held or
    // the table cannot be read now; where it never can be (no file, no
    // right to read it), the session goes on with the table it shows.
    void take_stored_table(const TableLock& lock);

    [[nodiscard]] Captions names() const { return captions(names_); }
    [[nodiscard]] Captions scores() const { return captions(scores_); }
    // Puts a result into a place (1..10); the places below move down.
    void record(int place, const std::string& name, int move_count);

    // Stores the table the labels show: created where none is stored,
    // written over the stored one only when take_stored_table read it. A
    // failure throws; the stored file then stays as it was.
    void store();
    // The default table, where none is stored or no place of it reads.
    void store_default();
    // Says on the terminal why a table was not stored, once per cause.
    void tell_not_stored(const std::exception& failure);

private:
    [[nodiscard]] static Captions captions(const Labels& labels);
    static void set_captions(const Labels& labels, const Captions& captions);
    void store_text(std::string_view text);
    void replace_with(const QByteArray& stored);
    void tell_once(const QString& line);
    // What a read of the stored table found; throws for a failure that may
    // pass, so that nothing is stored until it has been read.
    [[nodiscard]] QByteArray read_file(bool throw_passing);

    // What this game knows of the stored file.
    enum class Stored { Unread, Read, Missing, Unreadable };

    Labels names_;
    Labels scores_;
    Platform& platform_;
    QString path_;
    QByteArray last_bytes_;  // the file as this game last read or stored it
    Stored stored_ = Stored::Unread;
    std::string unreadable_;  // why, when Unreadable
    std::optional<SaveFailure> unlocked_;  // why the last read again held no lock
    bool damaged_ = false;    // the stored bytes are no clean table: keep them before writing over them
    int places_read_ = 0;
    std::set<QString> told_;
};

}  // namespace fifteen
