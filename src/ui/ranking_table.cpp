#include "ranking_table.h"

#include <QFile>
#include <QFileInfo>

#include "bytes.h"
#include "core/data_files.h"
#include "core/ranking.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "text_label.h"

namespace fifteen {

namespace {

const QString kTableName = from_bytes(kHighscoreFile);

}  // namespace

RankingTable::RankingTable(const Labels& names, const Labels& scores, Platform& platform)
    : names_(names), scores_(scores), platform_(platform)
{
}

Captions RankingTable::captions(const Labels& labels)
{
    Captions out;
    for (std::size_t p = 0; p < kPlaces; ++p)
        out[p] = to_bytes(labels[p]->text());
    return out;
}

void RankingTable::set_captions(const Labels& labels, const Captions& captions)
{
    for (std::size_t p = 0; p < kPlaces; ++p)
        labels[p]->setText(from_bytes(captions[p]));
}

QByteArray RankingTable::read_file(bool throw_passing)
{
    try {
        QByteArray bytes = read_file_prefix(path_, kReadLimit).bytes;
        stored_ = Stored::Read;
        return bytes;
    } catch (const FileError& failure) {
        if (failure.missing()) {
            stored_ = Stored::Missing;
        } else {
            stored_ = Stored::Unreadable;
            unreadable_ = failure.what();
            if (!failure.lasting() && throw_passing)
                throw SaveFailure(failure.what(), false);
            tell_not_stored(SaveFailure(failure.what(), failure.lasting()));
        }
        return {};
    }
}

QByteArray RankingTable::read_stored(const TableLock& lock)
{
    if (lock.held())
        remove_save_leftovers(path_);
    const QByteArray bytes = read_file(false);
    if (stored_ != Stored::Read)
        return QByteArray(kDefaultTableText.data(), qsizetype(kDefaultTableText.size()));
    return bytes;
}

void RankingTable::show_text(const QByteArray& bytes)
{
    // The file's first kReadLimit bytes, more than a clean table has, say
    // as much as its whole size would whether it is one.
    StoredTable table =
        read_stored_table(std::string_view(bytes.constData(), std::size_t(bytes.size())), std::size_t(bytes.size()));
    last_bytes_ = bytes;
    damaged_ = !table.clean;
    places_read_ = table.places;
    if (places_read_ == 0)
        table = read_stored_table(kDefaultTableText, kDefaultTableText.size());
    set_captions(names_, table.names);
    set_captions(scores_, table.scores);
}

void RankingTable::take_stored_table(const TableLock& lock)
{
    lock.require();
    unlocked_ = lock.why_not_held();
    if (!unlocked_)
        remove_save_leftovers(path_);
    const QByteArray stored = read_file(true);
    if (stored_ == Stored::Read && stored != last_bytes_)
        show_text(stored);
}

void RankingTable::record(int place, const std::string& name, int move_count)
{
    Captions names = this->names();
    Captions scores = this->scores();
    record_result(names, scores, place, name, move_count);
    set_captions(scores_, scores);  // all scores move before any name
    set_captions(names_, names);
}

void RankingTable::store()
{
    std::string text = compose_table_text(names(), scores());
    if (text.size() > kTableLimit) {
        // Names of up to eight letters read, as a table written by hand may
        // hold them, but ten such places do not fit the file. Its bytes are
        // kept beside it first, as a damaged table's are; then every name is
        // cut to the six letters a winner can type, on the screen as in the
        // file, so that this result and every later one can be stored.
        damaged_ = true;
        Captions shortened = names();
        shorten_names(shortened);
        set_captions(names_, shortened);
        text = compose_table_text(shortened, scores());
    }
    store_text(text);
}

void RankingTable::store_default()
{
    if (stored_ == Stored::Missing || (stored_ == Stored::Read && places_read_ == 0))
        store_text(kDefaultTableText);
}

void RankingTable::store_text(std::string_view text)
{
    const auto bytes = table_file_bytes(text);
    if (!bytes)
        throw SaveFailure("the table is longer than " + std::to_string(kTableLimit) + " characters", false);
    const QByteArray stored = QByteArray::fromStdString(*bytes);
    if (unlocked_)
        throw *unlocked_;  // another game may be saving unseen
    switch (stored_) {
    case Stored::Unread:
        throw SaveFailure("it was not read first", false);
    case Stored::Unreadable:
        // Never written over unread: it may hold results this game cannot see.
        throw SaveFailure(unreadable_, true);
    case Stored::Missing:
        if (!create_whole_file(path_, stored))
            throw SaveFailure("another program created it meanwhile", false);
        break;
    case Stored::Read:
        replace_with(stored);
        break;
    }
    stored_ = Stored::Read;
    damaged_ = false;
    last_bytes_ = stored;
}

void RankingTable::replace_with(const QByteArray& stored)
{
    // A stored file that is no clean table keeps its bytes under another
    // name before the game first writes over it. Where no copy can be made,
    // the file is left as it is and the game plays on as with a table it
    // cannot write.
    QString kept;
    std::optional<FileIdentity> before;
    if (damaged_) {
        before = file_identity(path_);
        try {
            kept = set_aside(path_, QStringLiteral("damaged"));
        } catch (const FileError& failure) {
            throw SaveFailure(std::string("it is damaged, and its bytes could not be kept: ") + failure.what(), true);
        }
    }
    try {
        save_whole_file(path_, stored);
    } catch (...) {
        // The copy goes only while the damaged file itself is surely still
        // in its place.
        if (!kept.isEmpty() && before && file_identity(path_) == before)
            QFile::remove(kept);
        throw;
    }
    if (!kept.isEmpty())
        tell_once(kTableName + QStringLiteral(": damaged; its bytes are kept in ") + QFileInfo(kept).fileName());
}

void RankingTable::tell_not_stored(const std::exception& failure)
{
    // The window keeps the table it shows and the game goes on. A table that
    // cannot be written at all is said once; so is each other reason.
    const auto* save = dynamic_cast<const SaveFailure*>(&failure);
    const QString reason = QString::fromLocal8Bit(failure.what());
    if (save && save->lasting())
        tell_once(kTableName + QStringLiteral(": results will not be kept: ") + reason + QStringLiteral(" (")
                  + path_ + ')');
    else if (stored_ == Stored::Unreadable)
        tell_once(kTableName + QStringLiteral(": cannot be read, and is left as it is: ") + reason);
    else
        tell_once(kTableName + QStringLiteral(": not saved: ") + reason);
}

void RankingTable::tell_once(const QString& line)
{
    if (told_.insert(line).second)
        platform_.report(line);
}

}  // namespace fifteen
